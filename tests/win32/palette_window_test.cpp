// The palette window's size as the user gives it. (Each message to a palette larger than its screen
// is a row of the sequences test.)
#include <doctest/doctest.h>

#include <algorithm>
#include <map>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// The last of the rows "filter N" that show whole.
int LastShownWhole(HWND palette) {
    RECT client = {};
    GetClientRect(palette, &client);
    int last = -1;
    for (const Child& c : Children(palette)) {
        if (c.text.rfind("filter ", 0) == 0 && IsWindowVisible(c.hwnd) && c.rect.bottom <= client.bottom) {
            last = std::max(last, std::stoi(c.text.substr(7)));
        }
    }
    return last;
}

}  // namespace

TEST_CASE(
    "a palette that scrolls has a border the user drags; the size given is kept across a restart, and one whose rows fit ignores it") {
    const auto outer = [](HWND window) {
        RECT r = {};
        GetWindowRect(window, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    const auto sizable = [](HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) != 0; };
    std::map<std::string, std::string> store = {{"Column", "1"}};
    SIZE given = {};
    {
        Host host;
        host.store = store;
        REQUIRE(host.Start(TestOptions(emulator::ManyFilters(300, "filter ", 3))));
        HWND palette = host.paletteWindow();
        CHECK(sizable(palette));
        const SIZE before = outer(palette);
        MINMAXINFO limits = {};
        host.SendToPalette(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        CHECK((limits.ptMaxTrackSize.y == before.cy && limits.ptMinTrackSize.x > 0 &&
               limits.ptMinTrackSize.x < before.cx));
        host.SendToPalette(WM_ENTERSIZEMOVE, 0, 0);  // the user takes the bottom border, 300 pixels up
        SetWindowPos(palette, nullptr, 0, 0, before.cx, before.cy - 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        host.SendToPalette(WM_EXITSIZEMOVE, 0, 0);
        given = outer(palette);
        CHECK(given.cy == before.cy - 300);
        host.SendToPalette(WM_VSCROLL, SB_BOTTOM, 0);
        CHECK(LastShownWhole(palette) == 299);  // the rows follow the new size
        host.SendToPalette(WM_COMMAND, KIRABO_CMD_TWO_COLUMNS, 0);
        CHECK(outer(palette).cy == given.cy);  // a relayout keeps it while the palette scrolls
        host.SendToPalette(WM_COMMAND, KIRABO_CMD_ONE_COLUMN, 0);
        host.Exit();
        store = host.store;
    }
    CHECK(store["PaletteSize"] == std::to_string(given.cx) + "," + std::to_string(given.cy));
    {
        Host again;
        again.store = store;
        REQUIRE(again.Start(TestOptions(emulator::ManyFilters(300, "filter ", 3))));
        CHECK(outer(again.paletteWindow()).cy == given.cy);
    }
    Host fits;
    fits.store = store;
    REQUIRE(fits.Start(TestOptions()));
    CHECK_FALSE(sizable(fits.paletteWindow()));
    CHECK(outer(fits.paletteWindow()).cy < given.cy);
}
