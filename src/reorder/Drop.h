// The reorder dialog's decisions: where dragged items land, and when the list scrolls by itself.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kirabo {

// True when y lies in the upper third of an item running from top to bottom.
bool InUpperThird(int y, int top, int bottom);

// The position the dropped items follow once the selected items have been taken out; -1 is the
// top of the list. `selected` holds the indices selected at drag start, ascending.
int DropAnchor(int hit, bool upperThird, const std::vector<int>& selected);

// The list after the selected items have been taken out and put back, in their order, after the
// anchor (as DropAnchor gives it). Like the list view, a position past the end appends.
template <typename Item>
std::vector<Item> ApplyDrop(const std::vector<Item>& items, const std::vector<int>& selected, int anchor) {
    std::vector<bool> isSelected(items.size());
    for (int s : selected) isSelected[static_cast<std::size_t>(s)] = true;
    std::vector<Item> kept;
    kept.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!isSelected[i]) kept.push_back(items[i]);
    }
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(anchor + 1), kept.size());
    std::vector<Item> moved(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(at));
    moved.reserve(items.size());
    for (int s : selected) moved.push_back(items[static_cast<std::size_t>(s)]);
    moved.insert(moved.end(), kept.begin() + static_cast<std::ptrdiff_t>(at), kept.end());
    return moved;
}

inline constexpr int kScrollMargin = 30;
inline constexpr int kScrollStep = 5;  // list view columns
inline constexpr std::uint32_t kScrollPauseMs = 700;

struct AutoScroll {
    int step = 0;                     // -5, 0 or +5
    std::uint32_t lastScrollTick = 0;  // as it stands after the pacing; the caller stamps a step
};

// x in the list's client coordinates; lastScrollTick 0 means a step is allowed now.
AutoScroll DecideAutoScroll(int x, int clientLeft, int clientRight, std::uint32_t lastScrollTick,
                            std::uint32_t now);

}  // namespace kirabo
