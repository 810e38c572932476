// Any sequence of events (the host's and the user's messages: commands, the bars' codes, the wheel,
// sizing, keys in the find box, the dialog) leaves the palette as a palette started afresh in the
// same state shows it, control for control and pixel for pixel, and as a user expects to see it:
// no two controls on top of each other, every row whole above the tab page's border and none under
// the tabs, the thumbs saying which row stands first and at their end exactly when the last row or
// column shows whole, the host's marks, a find's mark on screen behind its row, the menu bar on one
// line, nothing handed to the host. Keys, the wheel and the bars make no window.
#include <doctest/doctest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "Support.h"
#include "palette/CommandRouting.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

constexpr char kPrefix[] = "filter ";
constexpr char kLongPrefix[] = "a long filter name ";

struct Step {
    std::function<void(Host&)> run;
    bool cheap = false;  // a key, the wheel or a bar
};
using Steps = std::vector<Step>;

Step Cmd(UINT id) {
    return {[id](Host& host) {
        if (id == KIRABO_CMD_RESET_ORDER) AnswerNextMessageBox(IDYES);
        host.SendToPalette(WM_COMMAND, id, 0);
    }};
}
Step Type(const char* text) {
    return {[text](Host& host) { SetWindowTextA(GetDlgItem(host.paletteWindow(), KIRABO_FIND_BOX), text); }, true};
}
Step Key(WPARAM key) {
    return {[key](Host& host) { SendMessageA(GetDlgItem(host.paletteWindow(), KIRABO_FIND_BOX), WM_KEYDOWN, key, 0); },
            key != VK_ESCAPE};  // Esc takes the box away
}
Step Wheel(int notches) {
    return {[notches](Host& host) {
                for (int n = 0; n < notches; ++n) host.SendToPalette(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
            },
            true};
}
Step Message(UINT message, WPARAM wParam) {
    return {[=](Host& host) { host.SendToPalette(message, wParam, 0); }, message != WM_COMMAND};
}
Step Thumb(int position, int bar = SB_VERT) {
    return Message(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position));
}
// The user holds the thumb at `position`, or lets it go there (`code`): Wine reports it as the
// track position; `shown`, where the bar shows it.
Step Drag(int bar, int position, WORD code, int shown = -1) {
    return {[=](Host& host) {
                SetScrollPos(host.paletteWindow(), bar, shown < 0 ? position : shown, FALSE);
                host.SendToPalette(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
            },
            true};
}
// The wheel's lines a notch set in the system for one step.
Step WithLines(UINT lines, const Step& step) {
    return {[=](Host& host) {
                SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
                step.run(host);
                SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
            },
            true};
}
// The window made smaller by so many pixels, as the host may make it.
Step Shrink(int dx, int dy) {
    return {[=](Host& host) {
        RECT r = {};
        GetWindowRect(host.paletteWindow(), &r);
        SetWindowPos(host.paletteWindow(), nullptr, 0, 0, r.right - r.left - dx, r.bottom - r.top - dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }};
}
// The user drags the border: so many pixels wider and taller (narrower and shorter when negative).
Step Grow(int pixels) {
    return {[pixels](Host& host) {
        RECT r = {};
        GetWindowRect(host.paletteWindow(), &r);
        host.SendToPalette(WM_ENTERSIZEMOVE, 0, 0);
        SetWindowPos(host.paletteWindow(), nullptr, 0, 0, r.right - r.left + pixels, r.bottom - r.top + pixels,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        host.SendToPalette(WM_EXITSIZEMOVE, 0, 0);
    }};
}
Step Tab(int tab) {
    return {[tab](Host& host) {
        HWND columnTabs = GetDlgItem(host.paletteWindow(), KIRABO_COLUMN_TABS);
        SendMessageA(columnTabs, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
        NMHDR change = {columnTabs, KIRABO_COLUMN_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, reinterpret_cast<LPARAM>(&change));
    }};
}
// The reorder dialog, `script` run in it, then OK.
Step Reorder(std::function<void(HWND dialog, HWND list)> script) {
    return {[script](Host& host) {
        RunInNextDialog([script](HWND dialog) {
            script(dialog, GetDlgItem(dialog, KIRABO_REORDER_LIST));
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    }};
}

// A click on group P's heading.
Step ClickHeading() {
    return {[](Host& host) {
        for (const Child& c : Children(host.paletteWindow())) {
            if (c.id != KIRABO_GROUP_HEADING || c.text.back() != 'P') continue;
            host.SendToPalette(WM_COMMAND, MAKEWPARAM(KIRABO_GROUP_HEADING, STN_CLICKED),
                               reinterpret_cast<LPARAM>(c.hwnd));
        }
    }};
}

// The generated filters stored in their order, cut into groups P (from 0) and Q (from `second`).
std::map<std::string, std::string> Grouped(int filters, int second, std::map<std::string, std::string> more) {
    more.insert({{"FilterSize", std::to_string(filters)},
                 {"GroupSize", "2"},
                 {"GroupName0", "P"},
                 {"GroupFirst0", "0"},
                 {"GroupName1", "Q"},
                 {"GroupFirst1", std::to_string(second)}});
    for (int n = 0; n < filters; ++n) {
        more["FilterName" + std::to_string(n)] = kPrefix + std::to_string(n);
        more["FilterType" + std::to_string(n)] = "1";
    }
    return more;
}

Steps Join(Steps first, const Steps& then, int times = 1) {
    for (int i = 0; i < times; ++i) first.insert(first.end(), then.begin(), then.end());
    return first;
}

RECT RectIn(HWND child, HWND parent) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool RowControl(int id) { return id < KIRABO_COLUMN_TABS || id >= static_cast<int>(kLongIdBase); }

std::vector<Child> Visible(HWND palette) {
    std::vector<Child> shown = Children(palette);
    shown.erase(std::remove_if(shown.begin(), shown.end(), [](const Child& c) { return !IsWindowVisible(c.hwnd); }),
                shown.end());
    return shown;
}

// What the user sees of the palette, a line each: the controls, the bars, the window's size. A
// row's ids are left out: after a reorder its controls keep the ids they had.
std::string Screen(HWND palette) {
    std::ostringstream out;
    for (const Child& c : Visible(palette)) {
        out << (RowControl(c.id) ? std::string("row") : std::to_string(c.id)) << " " << c.className << " '" << c.text
            << "' " << c.rect.left << "," << c.rect.top << "-" << c.rect.right << "," << c.rect.bottom << " style "
            << std::hex << c.style << std::dec;
        if (c.className == "Button") out << " check " << SendMessageA(c.hwnd, BM_GETCHECK, 0, 0);
        if (c.id == KIRABO_COLUMN_TABS) out << " tab " << SendMessageA(c.hwnd, TCM_GETCURSEL, 0, 0);
        out << "\n";
    }
    for (int which : {SB_VERT, SB_HORZ}) {
        SCROLLINFO bar = {sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
        const bool shown = (GetWindowLongA(palette, GWL_STYLE) & (which == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
        if (shown) GetScrollInfo(palette, which, &bar);
        out << "bar " << shown << " " << bar.nPos << "/" << bar.nPage << "/" << bar.nMax << "\n";
    }
    RECT window = {};
    GetWindowRect(palette, &window);
    out << "window " << window.right - window.left << "x" << window.bottom - window.top << "\n";
    return out.str();
}

// The column count: the 列 item marked, or a stored count beyond the menu's.
int Columns(HWND palette, const std::map<std::string, std::string>& stored) {
    const auto count = stored.find("Column");
    if (count != stored.end() && std::stoi(count->second) > 4) return std::stoi(count->second);
    for (UINT columns = 4; columns > 1; --columns) {
        if (GetMenuState(GetMenu(palette), KIRABO_CMD_ONE_COLUMN + columns - 1, MF_BYCOMMAND) & MF_CHECKED)
            return static_cast<int>(columns);
    }
    return 1;
}

// What must hold of any palette, whatever led to it; `order`: the generated filters in the
// palette's order, the hidden ones left out.
bool AtEnd(const SCROLLINFO& bar) { return bar.nPos + static_cast<int>(bar.nPage) == bar.nMax + 1; }

void CheckSound(Host& host, const std::string& prefix, const std::vector<int>& order, int columns, bool grouped) {
    HWND palette = host.paletteWindow();
    const std::vector<Child> shown = Visible(palette);
    RECT client = {}, window = {}, columnsItem = {}, settings = {};
    GetClientRect(palette, &client);
    GetWindowRect(palette, &window);
    GetMenuItemRect(palette, GetMenu(palette), 0, &columnsItem);
    GetMenuItemRect(palette, GetMenu(palette), 1, &settings);
    CHECK((settings.top == columnsItem.top && settings.bottom < window.bottom));  // the menu bar whole, on one line
    HWND tabs = GetDlgItem(palette, KIRABO_COLUMN_TABS);
    const bool tabMode = tabs && IsWindowVisible(tabs);
    RECT page = tabMode ? RectIn(tabs, palette) : client;
    if (tabMode) SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    if (tabMode) CHECK(GetWindow(tabs, GW_HWNDNEXT) == nullptr);  // under every row, which it would paint over
    HWND box = GetDlgItem(palette, KIRABO_FIND_BOX);
    const std::string typed = box ? WindowText(box) : std::string();
    std::vector<int> matches;
    for (int n : order) {
        if ((prefix + std::to_string(n)).find(typed) != std::string::npos) matches.push_back(n);
    }
    const int perColumn = (static_cast<int>(matches.size()) + columns - 1) / columns;
    const Child* topLeft = nullptr;
    std::set<int> ids;
    bool lastRowWhole = false, lastColumnWhole = false;
    std::map<int, std::size_t> place;  // of each filter among the matches
    for (std::size_t i = 0; i < matches.size(); ++i) place[matches[i]] = i;
    const std::size_t lastColumn = perColumn > 0 ? (matches.size() - 1) / static_cast<std::size_t>(perColumn) : 0;
    for (const Child& c : shown) {
        CAPTURE(c.text);
        if (c.id != KIRABO_GROUP_HEADING) CHECK(ids.insert(c.id).second);  // headings share theirs
        const bool row = RowControl(c.id);
        if (row) CHECK((c.rect.top >= page.top && c.rect.bottom <= page.bottom && c.rect.bottom <= client.bottom));
        for (const Child& d : shown) {
            const bool onTabPage =
                (row && d.id == KIRABO_COLUMN_TABS) || (c.id == KIRABO_COLUMN_TABS && RowControl(d.id));
            if (c.hwnd == d.hwnd || c.id == KIRABO_FIND_MARK || d.id == KIRABO_FIND_MARK || onTabPage) continue;
            CAPTURE(d.text);
            CHECK_FALSE(Overlap(c.rect, d.rect));
            // A row's button carries the ids of its row's controls.
            if (row && c.rect.right == d.rect.left && c.rect.top == d.rect.top) {
                CHECK(static_cast<UINT>(d.id) ==
                      ButtonControlId(c.id < 100 ? c.id : 100 + (c.id - static_cast<int>(kLongIdBase)) / 2));
            }
        }
        if (c.text.rfind(prefix, 0) != 0) continue;
        const int n = std::stoi(c.text.substr(prefix.size()));
        const UINT state = GetMenuState(host.menuBar(), 1000 + static_cast<UINT>(n), MF_BYCOMMAND);
        REQUIRE(place.count(n) == 1);  // a row the palette must show
        const auto rows = static_cast<std::size_t>(perColumn);
        // The last row of a column, or in tab mode the last match (the last tab may be shorter).
        lastRowWhole = lastRowWhole || place[n] % rows == rows - 1 || (tabMode && place[n] + 1 == matches.size());
        lastColumnWhole = lastColumnWhole || (place[n] / rows == lastColumn && c.rect.right <= client.right);
        CHECK(SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == ((state & MF_CHECKED) ? BST_CHECKED : BST_UNCHECKED));
        if (!topLeft || std::make_pair(c.rect.top, c.rect.left) < std::make_pair(topLeft->rect.top, topLeft->rect.left))
            topLeft = &c;
    }
    // The thumbs say which row stands at the top left, and are at their ends exactly when the last
    // row, and the last column, show whole.
    const LONG style = GetWindowLongA(palette, GWL_STYLE);
    SCROLLINFO vertical = {sizeof vertical, SIF_ALL, 0, 0, 0, 0, 0}, horizontal = vertical;
    if (style & WS_VSCROLL) GetScrollInfo(palette, SB_VERT, &vertical);
    if (style & WS_HSCROLL) GetScrollInfo(palette, SB_HORZ, &horizontal);
    const int column = tabMode ? static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) : horizontal.nPos;
    const auto first = static_cast<std::size_t>(column * perColumn + vertical.nPos);
    if (grouped) topLeft = nullptr;  // headings take places: the rows stand elsewhere than counted here
    if (topLeft && first < matches.size()) CHECK(topLeft->text == prefix + std::to_string(matches[first]));
    if ((style & WS_VSCROLL) && topLeft) {
        // In tab mode the bar scrolls through the tab shown.
        const int inTab = std::min(perColumn, static_cast<int>(matches.size()) - column * perColumn);
        CHECK(vertical.nMax + 1 == (tabMode ? inTab : perColumn));
        CHECK(AtEnd(vertical) == lastRowWhole);
    }
    if (!tabMode && (style & WS_HSCROLL) && topLeft) {
        CHECK(horizontal.nMax == static_cast<int>(lastColumn));
        CHECK(AtEnd(horizontal) == lastColumnWhole);
    }
    CHECK(host.ownerMessages.empty());
    // A find with matches shows its mark, behind the marked row's controls.
    HWND mark = GetDlgItem(palette, KIRABO_FIND_MARK);
    if (box && !matches.empty()) {
        REQUIRE((mark && IsWindowVisible(mark)));
        int covering = 0;
        for (HWND above = GetWindow(mark, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
            covering += IsWindowVisible(above) && Overlap(RectIn(above, palette), RectIn(mark, palette));
        }
        CHECK(covering >= 1);
    }
}

std::set<HWND> Windows(HWND palette) {
    std::set<HWND> windows;
    for (const Child& c : Children(palette)) windows.insert(c.hwnd);
    return windows;
}

struct Sequence {
    const char* what;
    std::map<std::string, std::string> stored;
    int filters;  // generated; 0: the emulator's own menus
    Steps steps;
    Steps fresh;                  // what brings a palette started on the settings stored at the end to the same state
    std::vector<int> order = {};  // of the generated filters, when the steps change it
    const char* prefix = kPrefix;
};

}  // namespace

TEST_CASE("any sequence of events leaves the palette as a fresh one in the same state, and sound") {
    const Steps findOne = {Cmd(KIRABO_CMD_FIND), Type("1")};
    const Steps intoColumnTwo = Join(findOne, {Key(VK_DOWN)}, 70);
    const Steps pastTheScreen = Join(Join(findOne, {Key(VK_DOWN)}, 45), {Key(VK_UP)});
    const std::map<std::string, std::string> one = {{"Column", "1"}}, two = {}, tabs = {{"Tab", "1"}};
    // 拡張色調補正 saved first: a reset moves it back to its place in the menus.
    const std::map<std::string, std::string> saved = {
        {"Tab", "1"}, {"FilterSize", "1"}, {"FilterName0", "拡張色調補正"}, {"FilterType0", "1"}};
    // 300 rows in one column scrolled to row 100; 1,001 in eight columns of 126 rows, three or four in
    // view, at row 50 of the third column. Each starts so, and its fresh palette does too.
    const std::map<std::string, std::string> eight = {{"Column", "8"}};
    const Steps tall = {Thumb(100)}, wide = {Thumb(50), Thumb(2, SB_HORZ)};
    const auto atColumn = [](int column, int row = 50) { return Steps{Thumb(row), Thumb(column, SB_HORZ)}; };
    const WPARAM towardsUser = MAKEWPARAM(0, -WHEEL_DELTA), away = MAKEWPARAM(0, WHEEL_DELTA);
    std::vector<int> movedAndHidden;  // 0 moved to the end, 1 hidden
    for (int n = 2; n < 300; ++n) movedAndHidden.push_back(n);
    movedAndHidden.push_back(0);
    // clang-format off
    const Sequence sequences[] = {
        {"find opened, typed, emptied and closed on a palette scrolled down",                                 one,                                                                     300,   {Thumb(100), Cmd(KIRABO_CMD_FIND), Type("1"), Type("12"), Type(""), Key(VK_ESCAPE)},                                                                                                   {Thumb(100)}},
        {"typed into on a palette scrolled down: the first matches in view",                                  one,                                                                     300,   {Thumb(100), Cmd(KIRABO_CMD_FIND), Type("2"), Type("12")},                                                                                                                             {Cmd(KIRABO_CMD_FIND), Type("12")}},
        {"↓ into the next column of a palette the user made narrow: the columns scroll to the mark",          {{"Column", "4"}},                                                       1000,  Join({Grow(-500)}, intoColumnTwo),                                                                                                                                                     intoColumnTwo},
        {"↓ far past the screen's rows, then ↑: the thumb follows the mark",                                  one,                                                                     300,   pastTheScreen,                                                                                                                                                                         pastTheScreen},
        {"a find whose matches have only short names: every control sized to the narrower column",            one,                                                                     11,    {Cmd(KIRABO_CMD_FIND), Type("5")},                                                                                                                                                     {Cmd(KIRABO_CMD_FIND), Type("5")}},
        {"1列 and a reset while a find is open, then closed: every row has its controls",                      two,                                                                     300,   {Cmd(KIRABO_CMD_FIND), Type("3"), Cmd(KIRABO_CMD_ONE_COLUMN), Key(VK_ESCAPE), Cmd(KIRABO_CMD_FIND), Type("1"), Cmd(KIRABO_CMD_RESET_ORDER), Key(VK_ESCAPE)},                           {}},
        {"tab mode scrolled to its end, a find open: the tabs below the box, no row over the page's border",  tabs,                                                                    300,   {Thumb(1000), Cmd(KIRABO_CMD_FIND), Type("1")},                                                                                                                                        findOne},
        {"the wheel, the bars, 1列 to 4列 and tab mode in turns",                                               two,                                                                     1000,  {Wheel(5), Cmd(KIRABO_CMD_FOUR_COLUMNS), Thumb(30), Cmd(KIRABO_CMD_TAB_MODE), Wheel(2), Cmd(KIRABO_CMD_TAB_MODE), Cmd(KIRABO_CMD_THREE_COLUMNS), Wheel(1)},                            {Thumb(39)}},
        {"reordered and a row hidden, then made larger by the user",  one,  300,  {Reorder([](HWND, HWND list) {SelectItems(list, {0}); SendMessageA(list, WM_SYSKEYDOWN, VK_END, 1 | (1 << 29)); SetCheckBox(list, 1, false);}), Grow(60), Thumb(10)},  {Thumb(10)},  movedAndHidden},
        {"the arrow above the thumb: a row back",                                                             one,                                                                     300,   Join(tall, {Message(WM_VSCROLL, SB_LINEUP)}),                                                                                                                                          {Thumb(99)}},
        {"the arrow below the thumb: a row on",                                                               one,                                                                     300,   Join(tall, {Message(WM_VSCROLL, SB_LINEDOWN)}),                                                                                                                                        {Thumb(101)}},
        {"the bar above the thumb: a page back",                                                              one,                                                                     300,   Join(tall, {Message(WM_VSCROLL, SB_PAGEUP)}),                                                                                                                                          {Thumb(60)}},
        {"the bar below the thumb: a page on",                                                                one,                                                                     300,   Join(tall, {Message(WM_VSCROLL, SB_PAGEDOWN)}),                                                                                                                                        {Thumb(140)}},
        {"Home: the first row",                                                                               one,                                                                     300,   Join(tall, {Message(WM_VSCROLL, SB_TOP)}),                                                                                                                                             {}},
        {"End: the last page",                                                                                one,                                                                     300,   Join(tall, {Message(WM_VSCROLL, SB_BOTTOM)}),                                                                                                                                          {Thumb(1000)}},
        {"the thumb dragged to row 200",                                                                      one,                                                                     300,   Join(tall, {Drag(SB_VERT, 200, SB_THUMBTRACK)}),                                                                                                                                       {Thumb(200)}},
        {"the thumb let go at row 250",                                                                       one,                                                                     300,   Join(tall, {Drag(SB_VERT, 250, SB_THUMBPOSITION)}),                                                                                                                                    {Thumb(250)}},
        {"the thumb let go on the row it started from: put back where the view is",                           one,                                                                     300,   Join(tall, {Drag(SB_VERT, 100, SB_THUMBPOSITION, 180)}),                                                                                                                               tall},
        {"a wheel notch towards the user: three rows on",                                                     one,                                                                     300,   Join(tall, {Message(WM_MOUSEWHEEL, towardsUser)}),                                                                                                                                     {Thumb(103)}},
        {"a wheel notch away from the user: three rows back",                                                 one,                                                                     300,   Join(tall, {Message(WM_MOUSEWHEEL, away)}),                                                                                                                                            {Thumb(97)}},
        {"a notch with one line a notch set",                                                                 one,                                                                     300,   Join(tall, {WithLines(1, Message(WM_MOUSEWHEEL, towardsUser))}),                                                                                                                       {Thumb(101)}},
        {"a notch with a page a notch set",                                                                   one,                                                                     300,   Join(tall, {WithLines(WHEEL_PAGESCROLL, Message(WM_MOUSEWHEEL, towardsUser))}),                                                                                                        {Thumb(140)}},
        {"a sideways wheel with no columns to scroll: nothing moves",                                         one,                                                                     300,   Join(tall, {Message(WM_MOUSEHWHEEL, away)}),                                                                                                                                           tall},
        {"made 300 pixels shorter, then End: the rows follow the new size",                                   one,                                                                     300,   Join(tall, {Shrink(0, 300), Message(WM_VSCROLL, SB_BOTTOM)}),                                                                                                                          {Shrink(0, 300), Thumb(1000)}},
        {"two columns from one: the bars follow the new layout",                                              one,                                                                     300,   Join(tall, {Cmd(KIRABO_CMD_TWO_COLUMNS)}),                                                                                                                                             tall},
        {"tab mode on: the bars follow the new layout",                                                       one,                                                                     300,   Join(tall, {Cmd(KIRABO_CMD_TAB_MODE)}),                                                                                                                                                tall},
        {"tab mode on at the end: the last row whole, above the tab page's border",                           one,                                                                     300,   {Thumb(300), Cmd(KIRABO_CMD_TAB_MODE)},                                                                                                                                                {Thumb(1000)}},
        {"the arrow right of the thumb: a column on",                               eight,  1001,  Join(wide, {Message(WM_HSCROLL, SB_LINEDOWN)}),                atColumn(3),                            {},  kLongPrefix},
        {"the arrow left of the thumb: a column back",                              eight,  1001,  Join(wide, {Message(WM_HSCROLL, SB_LINEUP)}),                  atColumn(1),                            {},  kLongPrefix},
        {"the bar left of the thumb: a page of columns back",                       eight,  1001,  Join(wide, {Message(WM_HSCROLL, SB_PAGEUP)}),                  atColumn(0),                            {},  kLongPrefix},
        {"the bar right of the thumb: to the last, part-filled column",             eight,  1001,  Join(wide, {Message(WM_HSCROLL, SB_PAGEDOWN)}),                atColumn(100),                          {},  kLongPrefix},
        {"End of the vertical bar: the bottom row whole above the horizontal bar",  eight,  1001,  Join(wide, {Message(WM_VSCROLL, SB_BOTTOM)}),                  atColumn(2, 1000),                      {},  kLongPrefix},
        {"the horizontal thumb dragged to column 3",                                eight,  1001,  Join(wide, {Drag(SB_HORZ, 3, SB_THUMBTRACK)}),                 atColumn(3),                            {},  kLongPrefix},
        {"a sideways wheel pushed right: one column on",                            eight,  1001,  Join(wide, {Message(WM_MOUSEHWHEEL, away)}),                   atColumn(3),                            {},  kLongPrefix},
        {"a sideways wheel pushed left: one column back",                           eight,  1001,  Join(wide, {Message(WM_MOUSEHWHEEL, towardsUser)}),            atColumn(1),                            {},  kLongPrefix},
        {"the wheel over rows that do not fit scrolls rows, not columns",           eight,  1001,  Join(wide, {Message(WM_MOUSEWHEEL, towardsUser)}),             atColumn(2, 53),                        {},  kLongPrefix},
        {"made 300 pixels narrower, then End: the columns follow the new size",     eight,  1001,  Join(wide, {Shrink(300, 0), Message(WM_HSCROLL, SB_BOTTOM)}),  Join({Shrink(300, 0)}, atColumn(100)),  {},  kLongPrefix},
        {"300 rows scrolled, then one column from two",                                                       two,                                                                     300,   {Wheel(10), Cmd(KIRABO_CMD_ONE_COLUMN)},                                                                                                                                               {Wheel(10)}},
        {"300 rows scrolled, then tab mode on",                                                               one,                                                                     300,   {Wheel(10), Cmd(KIRABO_CMD_TAB_MODE)},                                                                                                                                                 {Wheel(10)}},
        {"300 rows scrolled to the end, then tab mode on",                                                    one,                                                                     300,   {Wheel(100), Cmd(KIRABO_CMD_TAB_MODE)},                                                                                                                                                {Wheel(100)}},
        {"every row hidden: the whole menu bar still shows",                                                  two,                                                                     0,     {Reorder([](HWND, HWND list) {for (int i = 0; i < listview::ItemCount(list); ++i) SetCheckBox(list, i, false);})},                                                                     {}},
        {"one column, from two",                                                                              two,                                                                     0,     {Cmd(KIRABO_CMD_ONE_COLUMN)},                                                                                                                                                          {}},
        {"three columns, from one",                                                                           one,                                                                     0,     {Cmd(KIRABO_CMD_THREE_COLUMNS)},                                                                                                                                                       {}},
        {"tab mode on",                                                                                       two,                                                                     0,     {Cmd(KIRABO_CMD_TAB_MODE)},                                                                                                                                                            {}},
        {"tab mode off",                                                                                      tabs,                                                                    0,     {Cmd(KIRABO_CMD_TAB_MODE)},                                                                                                                                                            {}},
        {"one column in tab mode",                                                                            tabs,                                                                    0,     {Cmd(KIRABO_CMD_ONE_COLUMN)},                                                                                                                                                          {}},
        {"the second tab",                                                                                    tabs,                                                                    0,     {Tab(1)},                                                                                                                                                                              {}},
        {"in tab mode a find that showed the second tab, then Esc: the first tab as before, no trace",        tabs,                                                                    300,   Join(intoColumnTwo, {Key(VK_ESCAPE)}),                                                                                                                                                 {}},
        {"OK in the reorder dialog, in tab mode",                                                             tabs,                                                                    0,     {Reorder([](HWND dialog, HWND list) {SelectItems(list, {0, 2}); BeginDrag(dialog, list, 0); SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 7, false)));})},  {}},
        {"a reset, in tab mode",                                                                              saved,                                                                   0,     {Cmd(KIRABO_CMD_RESET_ORDER)},                                                                                                                                                         {}},
        {"a group folded by a click on its heading",                                                          Grouped(300, 100, two),                                                  300,   {ClickHeading()},                                                                                                                                                                      {}},
        {"a folded group opened by a click on its heading",                                                   Grouped(300, 100, {{"GroupFold0", "1"}}),                                300,   {ClickHeading()},                                                                                                                                                                      {}},
        {"a tab scrolled, then another: shown from its top",                                                  Grouped(300, 10, tabs),                                                  300,   {Tab(1), Wheel(10), Tab(0)},                                                                                                                                                           {}},
        {"and back: where it was left",                                                                       Grouped(300, 10, tabs),                                                  300,   {Tab(1), Wheel(10), Tab(0), Tab(1)},                                                                                                                                                   {Tab(1), Wheel(10)}},
        {"a reset, side by side",                                                                             {{"FilterSize", "1"}, {"FilterName0", "拡張色調補正"}, {"FilterType0", "1"}},  0,     {Cmd(KIRABO_CMD_RESET_ORDER)},                                                                                                                                                         {}},
    };
    // clang-format on
    for (const Sequence& s : sequences) {
        const std::string what = s.what;
        CAPTURE(what);
        const MenuBarText menus = s.filters ? emulator::ManyFilters(s.filters, s.prefix, 3) : emulator::DefaultMenus();
        std::vector<int> order = s.order;
        if (order.empty()) {
            for (int n = 0; n < s.filters; ++n) order.push_back(n);
        }
        Host host;
        host.store = s.stored;
        REQUIRE(host.Start(TestOptions(menus)));
        HWND palette = host.paletteWindow();
        for (const Step& step : s.steps) {
            const std::set<HWND> before = Windows(palette);
            step.run(host);
            host.Pump();
            if (step.cheap) CHECK(Windows(palette) == before);
        }
        const std::string reached = Screen(palette);
        const bool caret = GetDlgItem(palette, KIRABO_FIND_BOX) != nullptr;  // it blinks: no pixels compared
        const Capture pixels = caret ? Capture{} : CaptureClient(host, palette);
        CheckSound(host, s.prefix, order, Columns(palette, s.stored), s.stored.count("GroupSize") > 0);
        host.Exit();
        CHECK((GetWindowLongA(palette, GWL_STYLE) & WS_THICKFRAME) == 0);  // the host's window as it gave it

        Host fresh;
        fresh.store = host.store;
        REQUIRE(fresh.Start(TestOptions(menus)));
        for (const Step& step : s.fresh) step.run(fresh);
        CHECK(Screen(fresh.paletteWindow()) == reached);
        if (!caret) CHECK((CaptureClient(fresh, fresh.paletteWindow()) == pixels));
    }
}
