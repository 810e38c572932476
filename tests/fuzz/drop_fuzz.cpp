// Any selection and any drop or key move: the items are the same afterwards, the moved ones in
// their order (together, but for a one-place step); the auto-scroll never steps while held back.
#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>
#include <vector>

#include "FuzzInput.h"
#include "reorder/Arrangement.h"

using namespace kirabo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const int count = 1 + in.Byte() % 64;
    std::vector<std::int32_t> items(static_cast<std::size_t>(count));
    std::iota(items.begin(), items.end(), 0);
    std::set<int> chosen;
    const int picks = in.Byte() % 8;
    for (int i = 0; i < picks; ++i) chosen.insert(in.Byte() % count);
    const std::vector<int> selected(chosen.begin(), chosen.end());
    const int hit = in.Byte() % count;
    const int anchor = DropAnchor(hit, in.Byte() & 1, selected);
    if (anchor < -1 || anchor >= count) std::abort();
    const auto kind = static_cast<MoveKind>(in.Byte() % 5);
    const ListUpdate after = UpdateForMove({items, {}}, selected, -1, {kind, anchor});
    // Every move keeps the moved items selected, wherever they went.
    if (after.selected.size() != selected.size()) std::abort();
    for (std::size_t s = 0; s < after.selected.size(); ++s) {
        if (after.list.items[static_cast<std::size_t>(after.selected[s])] != selected[s]) std::abort();
    }
    const std::vector<std::int32_t>& moved = after.list.items;
    std::vector<std::int32_t> sorted = moved;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != items) std::abort();
    if (!selected.empty() && kind != MoveKind::Up && kind != MoveKind::Down) {
        const auto first = std::find(moved.begin(), moved.end(), selected.front());
        if (!std::equal(selected.begin(), selected.end(), first)) std::abort();
    }

    const std::uint32_t last = in.Word();
    const std::uint32_t held = in.Word();
    const std::uint32_t now = in.Word();
    const int page = in.Int();
    const AutoScroll scroll = DecideAutoScroll(in.Int(), 0, in.Int(), page, {0, last, held}, now);
    if (std::abs(static_cast<long long>(scroll.step)) > std::max(page, 1) * static_cast<long long>(kMostPagesAStep))
        std::abort();
    const bool heldBack = last != 0 && now - last <= kScrollPauseMs;
    if (heldBack && (scroll.step != 0 || scroll.lastScrollTick != last)) std::abort();
    return 0;
}
