#include "reorder/Arrangement.h"

#include <algorithm>
#include <iterator>

#include "entries/NameMatch.h"

namespace kirabo {
namespace {

std::vector<bool> SelectedFlags(const Arrangement& list) {
    std::vector<bool> flags(list.items.size());
    for (int s : list.selected) {
        if (s >= 0 && static_cast<std::size_t>(s) < flags.size()) flags[static_cast<std::size_t>(s)] = true;
    }
    return flags;
}

Arrangement FromFlags(std::vector<std::int32_t> items, const std::vector<bool>& flags) {
    Arrangement out;
    out.items = std::move(items);
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (flags[i]) out.selected.push_back(static_cast<int>(i));
    }
    return out;
}

// The selected items taken out and put back together, in their order, after the first `split`
// of the others (all of them when there are fewer).
Arrangement Regroup(const Arrangement& list, const std::vector<bool>& flags, std::size_t split) {
    std::vector<std::int32_t> taken;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (flags[i]) taken.push_back(list.items[i]);
    }
    Arrangement out;
    out.items.reserve(list.items.size());
    bool placed = false;
    const auto place = [&] {
        for (std::size_t t = 0; t < taken.size(); ++t) {
            out.selected.push_back(static_cast<int>(out.items.size() + t));
        }
        out.items.insert(out.items.end(), taken.begin(), taken.end());
        placed = true;
    };
    std::size_t others = 0;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (flags[i]) continue;
        if (others++ == split) place();
        out.items.push_back(list.items[i]);
    }
    if (!placed) place();
    return out;
}

// One place towards the start: each selected item, met from the start, changes places with an
// unselected item just before it; a selected block already at the start stays.
Arrangement StepUp(const Arrangement& list, std::vector<bool> flags) {
    std::vector<std::int32_t> items = list.items;
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (flags[i] && !flags[i - 1]) {
            std::swap(items[i], items[i - 1]);
            flags[i - 1] = true;
            flags[i] = false;
        }
    }
    return FromFlags(std::move(items), flags);
}

Arrangement StepDown(const Arrangement& list, std::vector<bool> flags) {
    std::vector<std::int32_t> items = list.items;
    for (std::size_t i = items.size(); i-- > 1;) {
        if (flags[i - 1] && !flags[i]) {
            std::swap(items[i], items[i - 1]);
            flags[i] = true;
            flags[i - 1] = false;
        }
    }
    return FromFlags(std::move(items), flags);
}

}  // namespace

Arrangement MoveSelection(const Arrangement& list, Move move) {
    const std::vector<bool> flags = SelectedFlags(list);
    switch (move.kind) {
        case MoveKind::Up:
            return StepUp(list, flags);
        case MoveKind::Down:
            return StepDown(list, flags);
        case MoveKind::ToTop:
            return Regroup(list, flags, 0);
        case MoveKind::ToBottom:
            return Regroup(list, flags, list.items.size());
        case MoveKind::Drop:
            break;
    }
    return Regroup(list, flags, static_cast<std::size_t>(std::max(move.anchor, -1) + 1));
}

SelectionChange ChangeSelection(const std::vector<int>& before, const std::vector<int>& after) {
    SelectionChange change;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(change.deselect));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(change.select));
    return change;
}

DragOffset DragImageOffset(int rowHeight) { return {kDragImageRight, rowHeight}; }

bool InUpperThird(int y, int top, int bottom) {
    const long long third = (static_cast<long long>(bottom) - top) / 3;
    return y < top + third;
}

int DropAnchor(int hit, bool upperThird, const std::vector<int>& selected) {
    const int found = upperThird ? hit - 1 : hit;
    int anchor = found;
    for (int s : selected) {
        if (s < found) --anchor;
    }
    return anchor;
}

ListUpdate UpdateForMove(const ReorderList& before, const std::vector<int>& selected, int focused, Move move) {
    const std::size_t count = before.items.size();
    const bool focusValid = focused >= 0 && static_cast<std::size_t>(focused) < count;
    // A key with nothing selected moves the focused row, the one the user sees the cursor on.
    Arrangement moving{before.items, selected};
    if (moving.selected.empty() && move.kind != MoveKind::Drop && focusValid) moving.selected = {focused};
    Arrangement after = MoveSelection(moving, move);
    // Each item's check box by its data; an item whose data leads nowhere counts as checked.
    std::vector<char> checkedByData(count, 1);
    for (std::size_t i = 0; i < count && i < before.checked.size(); ++i) {
        const std::int32_t d = before.items[i];
        if (d >= 0 && static_cast<std::size_t>(d) < count) checkedByData[static_cast<std::size_t>(d)] = before.checked[i];
    }
    ListUpdate update;
    update.list.checked.reserve(count);
    for (std::int32_t d : after.items) {
        update.list.checked.push_back(d < 0 || static_cast<std::size_t>(d) >= count || checkedByData[static_cast<std::size_t>(d)]);
    }
    if (move.kind == MoveKind::Drop) {
        if (!after.selected.empty()) update.focused = after.selected.front();
    } else if (focusValid) {
        const std::int32_t focusedData = before.items[static_cast<std::size_t>(focused)];
        const auto found = std::find(after.items.begin(), after.items.end(), focusedData);
        update.focused = static_cast<int>(found - after.items.begin());
    }
    update.list.items = std::move(after.items);
    update.selected = std::move(after.selected);
    return update;
}

std::optional<ReorderResult> CommitList(const ReorderList& list, std::size_t count) {
    if (list.items.size() != count || list.checked.size() != count) return std::nullopt;
    std::vector<bool> seen(count);
    ReorderResult result;
    result.order.reserve(count);
    for (std::int32_t d : list.items) {
        if (d < 0 || static_cast<std::size_t>(d) >= count || seen[static_cast<std::size_t>(d)]) return std::nullopt;
        seen[static_cast<std::size_t>(d)] = true;
        result.order.push_back(static_cast<std::size_t>(d));
    }
    result.hidden.reserve(count);
    for (bool mark : list.checked) result.hidden.push_back(!mark);
    return result;
}

std::vector<int> FindInList(const std::vector<ReorderRow>& rows, const std::vector<std::int32_t>& items,
                            std::string_view typed) {
    const NameQuery query(typed);
    std::vector<int> found;
    if (query.empty()) return found;
    for (std::size_t p = 0; p < items.size(); ++p) {
        const auto row = static_cast<std::size_t>(items[p]);
        if (row < rows.size() && query.Matches(rows[row].name, rows[row].words)) found.push_back(static_cast<int>(p));
    }
    return found;
}

int NextMatch(const std::vector<int>& found, int focused, bool forward) {
    if (found.empty()) return -1;
    if (forward) {
        const auto next = std::upper_bound(found.begin(), found.end(), focused);
        return next == found.end() ? found.front() : *next;
    }
    const auto next = std::lower_bound(found.begin(), found.end(), focused);
    return next == found.begin() ? found.back() : *(next - 1);
}

int FindByBeginning(const std::vector<ReorderRow>& rows, const std::vector<std::int32_t>& items,
                    std::string_view typed, int start) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    const auto count = static_cast<int>(items.size());
    if (count == 0 || typed.empty()) return -1;
    for (int n = 0; n < count; ++n) {
        const int p = ((start < 0 || start >= count ? 0 : start) + n) % count;
        const auto row = static_cast<std::size_t>(items[static_cast<std::size_t>(p)]);
        if (row >= rows.size() || rows[row].name.size() < typed.size()) continue;
        if (std::equal(typed.begin(), typed.end(), rows[row].name.begin(),
                       [&](char a, char b) { return lower(a) == lower(b); })) {
            return p;
        }
    }
    return -1;
}

AutoScroll DecideAutoScroll(int y, int clientTop, int clientBottom, int page, const AutoScroll& before,
                            std::uint32_t now) {
    AutoScroll scroll = before;
    scroll.step = 0;
    if (before.lastScrollTick != 0 && now - before.lastScrollTick > kScrollPauseMs) scroll.lastScrollTick = 0;
    // How far beyond the list's edge the mouse is; within the margin, not beyond at all.
    long long beyond = 0;
    int direction = 0;
    if (y < clientTop + kScrollMargin) {
        direction = -1;
        beyond = static_cast<long long>(clientTop) - y;
    } else if (y > clientBottom - kScrollMargin) {
        direction = 1;
        beyond = static_cast<long long>(y) - clientBottom;
    }
    if (direction == 0) {
        scroll.heldSince = 0;  // back inside: it stops at once, and starts slow again
        return scroll;
    }
    if (scroll.heldSince == 0) scroll.heldSince = now;
    if (scroll.lastScrollTick != 0) return scroll;
    const long long pageRows = std::max(page, 1);
    const long long most = pageRows * kMostPagesAStep;
    // Three times the full-page distance already asks for more than the most a step takes.
    const long long past = std::clamp(beyond, 0LL, 3LL * kFullPageDistance);
    long long rows = 1 + (pageRows - 1) * past * past / (kFullPageDistance * kFullPageDistance);
    const std::uint32_t held = now - scroll.heldSince;
    if (held >= kHoldBeforeFasterMs) {
        const std::uint32_t doublings = (held - kHoldBeforeFasterMs) / kHoldDoublingMs + 1;
        for (std::uint32_t d = 0; d < doublings && rows < most; ++d) rows *= 2;
    }
    scroll.step = direction * static_cast<int>(std::min(rows, most));
    scroll.lastScrollTick = now == 0 ? 1 : now;
    return scroll;
}

}  // namespace kirabo
