#include "reorder/Arrangement.h"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "entries/NameMatch.h"

namespace kirabo {
namespace {

// The positions in their new order: the old position of each new one.
using Order = std::vector<std::size_t>;

// The selected positions taken out and put back together, in their order, after the first `split`
// of the others (after all of them when there are fewer).
Order Regroup(const std::vector<bool>& flags, std::size_t split) {
    Order taken, order;
    order.reserve(flags.size());
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (flags[i]) taken.push_back(i);
    }
    std::size_t others = 0;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (flags[i]) continue;
        if (others++ == split) order.insert(order.end(), taken.begin(), taken.end());
        order.push_back(i);
    }
    if (split >= others) order.insert(order.end(), taken.begin(), taken.end());
    return order;
}

// One place towards the start: each selected position, met from the start, changes places with an
// unselected one just before it; a selected block already at the start stays.
Order StepUp(std::vector<bool> flags) {
    Order order(flags.size());
    std::iota(order.begin(), order.end(), 0);
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (flags[i] && !flags[i - 1]) {
            std::swap(order[i], order[i - 1]);
            flags[i - 1] = true;
            flags[i] = false;
        }
    }
    return order;
}

Order StepDown(std::vector<bool> flags) {
    Order order(flags.size());
    std::iota(order.begin(), order.end(), 0);
    for (std::size_t i = order.size(); i-- > 1;) {
        if (flags[i - 1] && !flags[i]) {
            std::swap(order[i], order[i - 1]);
            flags[i] = true;
            flags[i - 1] = false;
        }
    }
    return order;
}

// "グループ N", N the smallest number from 1 that makes a name none of `names` is.
std::string DefaultGroupName(const std::vector<std::string>& names) {
    for (std::size_t n = 1;; ++n) {
        char digits[20];
        char* first = std::end(digits);
        for (std::size_t rest = n; rest > 0; rest /= 10) *--first = static_cast<char>('0' + rest % 10);
        std::string name = "\x83\x4f\x83\x8b\x81\x5b\x83\x76 ";  // グループ
        name.append(first, std::end(digits));
        if (std::find(names.begin(), names.end(), name) == names.end()) return name;
    }
}

bool ValidPosition(const Arrangement& list, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < list.items.size();
}

Order NewOrder(const std::vector<bool>& flags, Move move) {
    switch (move.kind) {
        case MoveKind::Up:
            return StepUp(flags);
        case MoveKind::Down:
            return StepDown(flags);
        case MoveKind::ToTop:
            return Regroup(flags, 0);
        case MoveKind::ToBottom:
            return Regroup(flags, flags.size());
        case MoveKind::Drop:
            break;
    }
    return Regroup(flags, static_cast<std::size_t>(std::max(move.anchor, -1) + 1));
}

}  // namespace

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

ListUpdate UpdateForMove(const Arrangement& before, const std::vector<int>& selected, int focused, Move move) {
    const std::size_t count = before.items.size();
    const bool focusValid = focused >= 0 && static_cast<std::size_t>(focused) < count;
    std::vector<bool> flags(count);
    for (int s : selected) {
        if (s >= 0 && static_cast<std::size_t>(s) < count) flags[static_cast<std::size_t>(s)] = true;
    }
    // A key with nothing selected moves the focused row, the one the user sees the cursor on.
    if (selected.empty() && move.kind != MoveKind::Drop && focusValid) flags[static_cast<std::size_t>(focused)] = true;
    const Order order = NewOrder(flags, move);
    ListUpdate update;
    update.list.headings = before.headings;
    update.list.items.reserve(count);
    update.list.checked.reserve(count);
    for (std::size_t p = 0; p < count; ++p) {
        const std::size_t from = order[p];
        update.list.items.push_back(before.items[from]);
        update.list.checked.push_back(from >= before.checked.size() || before.checked[from]);
        if (flags[from]) update.selected.push_back(static_cast<int>(p));
        if (move.kind != MoveKind::Drop && focusValid && from == static_cast<std::size_t>(focused)) {
            update.focused = static_cast<int>(p);
        }
    }
    if (move.kind == MoveKind::Drop && !update.selected.empty()) update.focused = update.selected.front();
    return update;
}

std::optional<ReorderResult> CommitList(const Arrangement& list, std::size_t count) {
    if (list.checked.size() != list.items.size()) return std::nullopt;
    std::vector<bool> seen(count);
    ReorderResult result;
    result.order.reserve(count);
    result.hidden.reserve(count);
    const std::string* heading = nullptr;  // the last heading met, until a row stands under it
    for (std::size_t p = 0; p < list.items.size(); ++p) {
        const std::int32_t d = list.items[p];
        if (IsHeading(d)) {
            if (HeadingIndex(d) >= list.headings.size()) return std::nullopt;
            heading = &list.headings[HeadingIndex(d)];
            continue;
        }
        if (static_cast<std::size_t>(d) >= count || seen[static_cast<std::size_t>(d)]) return std::nullopt;
        seen[static_cast<std::size_t>(d)] = true;
        if (heading) result.groups.push_back({*heading, result.groups.empty() ? 0 : result.order.size()});
        heading = nullptr;
        result.order.push_back(static_cast<std::size_t>(d));
        result.hidden.push_back(!list.checked[p]);
    }
    if (result.order.size() != count) return std::nullopt;
    return result;
}

namespace {

// A heading named "グループ N" put at `at`, alone selected and focused.
ListUpdate WithHeadingAt(Arrangement list, int at) {
    list.items.push_back(HeadingItem(list.headings.size()));
    list.checked.push_back(true);
    list.headings.push_back(DefaultGroupName(list.headings));
    const int last = static_cast<int>(list.items.size()) - 1;
    return UpdateForMove(list, {last}, -1, {MoveKind::Drop, at - 1});
}

// `list` becomes the step Ctrl+Z returns to, shown with `now`; the steps undone are gone.
void Record(DialogList& shown, Arrangement list, const Selection& now, std::int32_t wordsRow = -1,
            std::string words = {}) {
    shown.undo.push_back({std::move(list), now, wordsRow, std::move(words)});
    shown.redo.clear();
}

}  // namespace

Arrangement OpenList(const std::vector<ReorderRow>& rows, const std::vector<Group>& groups) {
    Arrangement list;
    std::vector<std::size_t> starts;  // the row each heading stands before
    for (Group& group : ValidGroups(groups, rows.size())) {
        starts.push_back(starts.empty() ? 0 : group.first);
        list.headings.push_back(std::move(group.name));
    }
    list.items.reserve(rows.size() + starts.size());
    list.checked.reserve(rows.size() + starts.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (next < starts.size() && starts[next] == i) {
            list.items.push_back(HeadingItem(next++));
            list.checked.push_back(true);
        }
        list.items.push_back(static_cast<std::int32_t>(i));
        list.checked.push_back(!rows[i].hidden);
    }
    return list;
}

ListUpdate MakeGroup(const Arrangement& before, int position) {
    const int at = std::min(std::max(position, 0), static_cast<int>(before.items.size()));
    if (!before.headings.empty() || at == 0) return WithHeadingAt(before, at);
    return WithHeadingAt(WithHeadingAt(before, 0).list, at + 1);
}

Arrangement RenameGroup(const Arrangement& before, int position, std::string_view typed) {
    Arrangement list = before;
    std::string name = GroupName(typed);
    if (!ValidPosition(list, position) || name.empty()) return list;
    const std::int32_t item = list.items[static_cast<std::size_t>(position)];
    if (IsHeading(item) && HeadingIndex(item) < list.headings.size())
        list.headings[HeadingIndex(item)] = std::move(name);
    return list;
}

Removal RemoveGroups(const Arrangement& before, const std::vector<int>& selected, int focused) {
    const std::size_t count = before.items.size();
    std::vector<bool> flags(count), gone(count);
    for (int s : selected) {
        if (ValidPosition(before, s)) flags[static_cast<std::size_t>(s)] = true;
    }
    std::size_t headings = 0, going = 0, first = count;
    for (std::size_t p = 0; p < count; ++p) {
        if (!IsHeading(before.items[p])) continue;
        if (headings++ == 0) first = p;
        gone[p] = flags[p];
        going += flags[p];
    }
    Removal removal;
    if (first < count && going < headings) {
        gone[first] = false;
        if (flags[first]) removal.kept = static_cast<int>(first);  // only rows stand above it: it stays there
    }
    // What stays, the headings numbered again in their order.
    ListUpdate& update = removal.update;
    for (std::size_t p = 0; p < count; ++p) {
        const auto here = static_cast<int>(update.list.items.size());
        if (static_cast<int>(p) == focused) update.focused = here;
        std::int32_t item = before.items[p];
        if (gone[p] || (IsHeading(item) && HeadingIndex(item) >= before.headings.size())) continue;
        if (flags[p]) update.selected.push_back(here);
        if (IsHeading(item)) {
            update.list.headings.push_back(std::string(before.headings[HeadingIndex(item)]));
            item = HeadingItem(update.list.headings.size() - 1);
        }
        update.list.items.push_back(item);
        update.list.checked.push_back(p >= before.checked.size() || before.checked[p]);
    }
    if (update.focused >= static_cast<int>(update.list.items.size())) --update.focused;
    return removal;
}

bool ApplyChange(DialogList& shown, Arrangement next, const Selection& now) {
    if (next == shown.list) return false;
    Record(shown, std::move(shown.list), now);
    shown.list = std::move(next);
    return true;
}

bool ApplyChecks(DialogList& shown, const CheckChange& change, const Selection& now) {
    if (change.positions.empty()) return false;
    Record(shown, shown.list, now);
    for (int p : change.positions) {
        if (p >= 0 && static_cast<std::size_t>(p) < shown.list.checked.size()) {
            shown.list.checked[static_cast<std::size_t>(p)] = change.checked;
        }
    }
    return true;
}

bool ApplyWords(DialogList& shown, int position, std::string words, const Selection& now) {
    if (!ValidPosition(shown.list, position)) return false;
    const std::int32_t row = shown.list.items[static_cast<std::size_t>(position)];
    if (IsHeading(row) || static_cast<std::size_t>(row) >= shown.rows.size()) return false;
    std::string& kept = shown.rows[static_cast<std::size_t>(row)].words;
    if (kept == words) return false;
    Record(shown, shown.list, now, row, std::move(kept));
    kept = std::move(words);
    return true;
}

std::optional<Selection> StepHistory(DialogList& shown, Selection now, bool back) {
    std::vector<UndoStep>& from = back ? shown.undo : shown.redo;
    std::vector<UndoStep>& to = back ? shown.redo : shown.undo;
    if (from.empty()) return std::nullopt;
    UndoStep step = std::move(from.back());
    from.pop_back();
    UndoStep other{std::move(shown.list), std::move(now), step.wordsRow};
    if (step.wordsRow >= 0 && static_cast<std::size_t>(step.wordsRow) < shown.rows.size()) {
        std::string& words = shown.rows[static_cast<std::size_t>(step.wordsRow)].words;
        other.words = std::move(words);
        words = std::move(step.words);
    }
    shown.list = std::move(step.list);
    to.push_back(std::move(other));
    return std::move(step.selection);
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

int FindByBeginning(const std::vector<ReorderRow>& rows, const std::vector<std::int32_t>& items, std::string_view typed,
                    int start) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    const auto count = static_cast<int>(items.size());
    if (count == 0 || typed.empty()) return -1;
    const int from = start < 0 || start >= count ? 0 : start;
    const auto firstFrom = [&](std::string_view letters, int first) {
        for (int n = 0; n < count; ++n) {
            const int p = (first + n) % count;
            const auto row = static_cast<std::size_t>(items[static_cast<std::size_t>(p)]);
            if (row >= rows.size() || rows[row].name.size() < letters.size()) continue;
            if (std::equal(letters.begin(), letters.end(), rows[row].name.begin(),
                           [&](char a, char b) { return lower(a) == lower(b); })) {
                return p;
            }
        }
        return -1;
    };
    const int found = firstFrom(typed, from);
    const bool oneLetterAgain = typed.find_first_not_of(typed.front()) == std::string_view::npos;
    return found == -1 && oneLetterAgain ? firstFrom(typed.substr(0, 1), (from + 1) % count) : found;
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
