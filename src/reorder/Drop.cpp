#include "reorder/Drop.h"

namespace kirabo {

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

AutoScroll DecideAutoScroll(int x, int clientLeft, int clientRight, std::uint32_t lastScrollTick,
                            std::uint32_t now) {
    AutoScroll scroll;
    scroll.lastScrollTick = lastScrollTick;
    if (lastScrollTick != 0 && now - lastScrollTick > kScrollPauseMs) scroll.lastScrollTick = 0;
    if (scroll.lastScrollTick != 0) return scroll;
    if (x < clientLeft + kScrollMargin) {
        scroll.step = -kScrollStep;
    } else if (x > clientRight - kScrollMargin) {
        scroll.step = kScrollStep;
    }
    return scroll;
}

}  // namespace kirabo
