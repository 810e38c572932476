// The palette window's own messages, one row per message as the host or the user sends it: the
// scroll bars' codes for both bars, the wheel and the sideways wheel, WM_SIZE and the relayouts.
// Each row says what the user then sees: the row at the top left, the thumbs, what reached the host.
#include <doctest/doctest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// Generated filters "<prefix>N", laid out in `columns` columns on the 1024 x 768 test screen.
struct Palette {
    const char* prefix;
    int filters, columns;
    int row, column;  // where each row of the table starts scrolled to
};
// Taller than the screen only.
const Palette kTall{"filter ", 300, 1, 100, 0};
// Scrolled to its last row.
const Palette kTallAtEnd{"filter ", 300, 1, 300, 0};
// Taller and wider: 8 columns of 126 rows, the last one of 119, three or four columns in view.
const Palette kWide{"a long filter name ", 1001, 8, 50, 2};

// An expected scroll position: `base` plus so many of the bar's pages, or the last position.
struct At {
    int base = 0;
    int pages = 0;
    bool last = false;
    At(int b, int p = 0) : base(b), pages(p) {}  // NOLINT: a bare number reads as a position
    At(bool l) : last(l) {}                      // NOLINT
};
const At kLast{true};

SCROLLINFO Bar(HWND window, int which) {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, which, &info);
    return info;
}

bool AtEnd(const SCROLLINFO& bar) { return bar.nPos + static_cast<int>(bar.nPage) == bar.nMax + 1; }

int Expected(const At& at, const SCROLLINFO& bar) {
    return at.last ? bar.nMax + 1 - static_cast<int>(bar.nPage) : at.base + at.pages * static_cast<int>(bar.nPage);
}

// The rows the user sees: the one at the top left, the numbers of those shown whole, and how many
// show only a strip (cut by the bottom edge, or by the tab page's border in tab mode).
struct Seen {
    int topLeft = -1;
    std::vector<int> whole;
    int cut = 0;
};

Seen Look(HWND palette, const std::string& prefix) {
    RECT client = {};
    GetClientRect(palette, &client);
    HWND tabs = GetDlgItem(palette, KIRABO_COLUMN_TABS);
    if (tabs && IsWindowVisible(tabs)) {
        RECT page = {};
        GetWindowRect(tabs, &page);
        SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        MapWindowPoints(nullptr, palette, reinterpret_cast<POINT*>(&page), 2);
        client.bottom = page.bottom;
    }
    Seen seen;
    POINT best = {INT_MAX, INT_MAX};
    for (const Child& c : Children(palette)) {
        if (c.text.rfind(prefix, 0) != 0 || !IsWindowVisible(c.hwnd)) continue;
        const int n = std::stoi(c.text.substr(prefix.size()));
        if (c.rect.top < best.y || (c.rect.top == best.y && c.rect.left < best.x)) {
            best = {c.rect.left, c.rect.top};
            seen.topLeft = n;
        }
        if (c.rect.left >= 0 && c.rect.top >= 0 && c.rect.right <= client.right && c.rect.bottom <= client.bottom) {
            seen.whole.push_back(n);
        }
        if (c.rect.bottom > client.bottom) ++seen.cut;
    }
    return seen;
}

void Send(Host& host, UINT message, WPARAM wParam) { host.SendToPalette(message, wParam, 0); }

// The user moved the thumb to `position` before the message: Wine reports it as the track position.
std::function<void(Host&)> Thumb(int bar, int position, WORD code) {
    return [=](Host& host) {
        SetScrollPos(host.paletteWindow(), bar, position, FALSE);
        Send(host, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position));
    };
}

std::function<void(Host&)> Message(UINT message, WPARAM wParam) {
    return [=](Host& host) { Send(host, message, wParam); };
}

// The palette made smaller by the user, then scrolled to the end in that direction.
std::function<void(Host&)> Shrunk(int dx, int dy) {
    return [=](Host& host) {
        RECT r = {};
        GetWindowRect(host.paletteWindow(), &r);
        SetWindowPos(host.paletteWindow(), nullptr, 0, 0, r.right - r.left - dx, r.bottom - r.top - dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Send(host, dy ? WM_VSCROLL : WM_HSCROLL, SB_BOTTOM);
    };
}

}  // namespace

TEST_CASE("each message to a palette larger than its screen, as the user then sees it") {
    const WPARAM towardsUser = MAKEWPARAM(0, -WHEEL_DELTA), away = MAKEWPARAM(0, WHEEL_DELTA);
    struct Row {
        const char* what;
        Palette palette;
        std::function<void(Host&)> send;
        At row, column;
        UINT linesPerNotch = 3;
        int columnsAfter = 0;  // the column count the message leaves; 0: as it was
    };
    const Row rows[] = {
        {"the arrow above the thumb: a row back", kTall, Message(WM_VSCROLL, SB_LINEUP), 99, 0},
        {"the arrow below the thumb: a row on", kTall, Message(WM_VSCROLL, SB_LINEDOWN), 101, 0},
        {"the bar above the thumb: a page back", kTall, Message(WM_VSCROLL, SB_PAGEUP), {100, -1}, 0},
        {"the bar below the thumb: a page on", kTall, Message(WM_VSCROLL, SB_PAGEDOWN), {100, 1}, 0},
        {"Home: the first row", kTall, Message(WM_VSCROLL, SB_TOP), 0, 0},
        {"End: the last page, the last row whole and the thumb at the bar's end", kTall,
         Message(WM_VSCROLL, SB_BOTTOM), kLast, 0},
        {"the thumb dragged to row 200", kTall, Thumb(SB_VERT, 200, SB_THUMBTRACK), 200, 0},
        {"the thumb let go at row 250", kTall, Thumb(SB_VERT, 250, SB_THUMBPOSITION), 250, 0},
        {"the thumb let go on the row it started from: put back where the view is", kTall, [](Host& host) {
             SetScrollPos(host.paletteWindow(), SB_VERT, 180, FALSE);
             Send(host, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100));
         }, 100, 0},
        {"a wheel notch towards the user: three rows on, the thumb along, nothing to the host", kTall,
         Message(WM_MOUSEWHEEL, towardsUser), 103, 0},
        {"a wheel notch away from the user: three rows back", kTall, Message(WM_MOUSEWHEEL, away), 97, 0},
        {"a notch with one line a notch set", kTall, Message(WM_MOUSEWHEEL, towardsUser), 101, 0, 1},
        {"a notch with a page a notch set", kTall, Message(WM_MOUSEWHEEL, towardsUser), {100, 1}, 0, WHEEL_PAGESCROLL},
        {"a sideways wheel with no columns to scroll: nothing moves", kTall, Message(WM_MOUSEHWHEEL, away), 100, 0},
        {"made 300 pixels shorter, then End: the rows follow the new size", kTall, Shrunk(0, 300), kLast, 0},
        {"two columns from one: the bars follow the new layout", kTall, Message(WM_COMMAND, KIRABO_CMD_TWO_COLUMNS),
         100, 0, 3, 2},
        {"tab mode on: the bars follow the new layout", kTall, Message(WM_COMMAND, KIRABO_CMD_TAB_MODE), 100, 0},
        {"tab mode on at the end: the last row whole, above the tab page's border", kTallAtEnd,
         Message(WM_COMMAND, KIRABO_CMD_TAB_MODE), kLast, 0},

        {"the arrow right of the thumb: a column on", kWide, Message(WM_HSCROLL, SB_LINEDOWN), 50, 3},
        {"the arrow left of the thumb: a column back", kWide, Message(WM_HSCROLL, SB_LINEUP), 50, 1},
        {"the bar left of the thumb: a page of columns back", kWide, Message(WM_HSCROLL, SB_PAGEUP), 50, 0},
        {"the bar right of the thumb: to the last, part-filled column", kWide, Message(WM_HSCROLL, SB_PAGEDOWN), 50,
         kLast},
        {"End of the vertical bar: the bottom row whole above the horizontal bar", kWide,
         Message(WM_VSCROLL, SB_BOTTOM), kLast, 2},
        {"the horizontal thumb dragged to column 3", kWide, Thumb(SB_HORZ, 3, SB_THUMBTRACK), 50, 3},
        {"a sideways wheel pushed right: one column on", kWide, Message(WM_MOUSEHWHEEL, away), 50, 3},
        {"a sideways wheel pushed left: one column back", kWide, Message(WM_MOUSEHWHEEL, towardsUser), 50, 1},
        {"the wheel over rows that do not fit scrolls rows, not columns", kWide, Message(WM_MOUSEWHEEL, towardsUser),
         53, 2},
        {"made 300 pixels narrower, then End: the columns follow the new size", kWide, Shrunk(300, 0), 50, kLast},
    };
    for (const Row& r : rows) {
        CAPTURE(r.what);
        Host host;
        host.store = {{"Column", std::to_string(r.palette.columns)}};
        REQUIRE(host.Start(TestOptions(emulator::ManyFilters(r.palette.filters, r.palette.prefix, 3))));
        HWND palette = host.paletteWindow();
        Send(host, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, r.palette.row));
        Send(host, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, r.palette.column));
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, r.linesPerNotch, nullptr, 0);
        r.send(host);
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);

        const int columns = r.columnsAfter ? r.columnsAfter : r.palette.columns;
        const int perColumn = (r.palette.filters + columns - 1) / columns;
        const int lastColumn = (r.palette.filters - 1) / perColumn;
        const SCROLLINFO vertical = Bar(palette, SB_VERT), horizontal = Bar(palette, SB_HORZ);
        const bool wide = (GetWindowLongA(palette, GWL_STYLE) & WS_HSCROLL) != 0;
        const Seen seen = Look(palette, r.palette.prefix);
        CHECK(host.ownerMessages.empty());
        CHECK(seen.cut == 0);  // no strip of a row
        CHECK(seen.topLeft % perColumn == Expected(r.row, vertical));
        CHECK(vertical.nPos == seen.topLeft % perColumn);
        CHECK(vertical.nMax + 1 == perColumn);
        const auto shownWhole = [&](auto&& wanted) { return std::any_of(seen.whole.begin(), seen.whole.end(), wanted); };
        CHECK(AtEnd(vertical) == shownWhole([&](int n) { return n % perColumn == perColumn - 1; }));
        CHECK(seen.topLeft / perColumn == (wide ? Expected(r.column, horizontal) : 0));
        if (wide) {
            CHECK(horizontal.nPos == seen.topLeft / perColumn);
            CHECK(horizontal.nMax == lastColumn);
            CHECK(AtEnd(horizontal) == shownWhole([&](int n) { return n / perColumn == lastColumn; }));
        }
    }
}

TEST_CASE("a palette that scrolls has a border the user drags; the size given is kept across a restart, and one whose rows fit ignores it") {
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
        CHECK((limits.ptMaxTrackSize.y == before.cy && limits.ptMinTrackSize.x > 0 && limits.ptMinTrackSize.x < before.cx));
        host.SendToPalette(WM_ENTERSIZEMOVE, 0, 0);  // the user takes the bottom border, 300 pixels up
        SetWindowPos(palette, nullptr, 0, 0, before.cx, before.cy - 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        host.SendToPalette(WM_EXITSIZEMOVE, 0, 0);
        given = outer(palette);
        CHECK(given.cy == before.cy - 300);
        host.SendToPalette(WM_VSCROLL, SB_BOTTOM, 0);
        const std::vector<int> whole = Look(palette, "filter ").whole;
        CHECK(*std::max_element(whole.begin(), whole.end()) == 299);  // the rows follow the new size
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
