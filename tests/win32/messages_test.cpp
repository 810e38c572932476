// Clicks, the own menu, the reset, forwarding and check mirroring, as the host delivers them.
#include <doctest/doctest.h>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// Rows of the emulator's default menus (see the README): 0 色調補正 (on), 3 シャープフィルタ (on),
// 8 ヒストグラム (display tool).
constexpr int kColorRow = 0;
constexpr int kBlurRow = 5;
constexpr int kHistogramRow = 8;

HWND Control(Host& host, int id) { return GetDlgItem(host.paletteWindow(), id); }

LRESULT CheckState(Host& host, int id) { return SendMessageA(Control(host, id), BM_GETCHECK, 0, 0); }

bool OwnMark(Host& host, UINT id) {
    return (GetMenuState(GetMenu(host.paletteWindow()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

RECT PlaceOf(Host& host, int id) {
    RECT r = {};
    GetWindowRect(Control(host, id), &r);
    MapWindowPoints(nullptr, host.paletteWindow(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Command(Host& host, UINT id) { host.SendToPalette(WM_COMMAND, id, 0); }

}  // namespace

TEST_CASE("a click on a check box posts its toggle and the box follows the host's menu; a push button posts its item") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    host.Pump();
    REQUIRE(CheckState(host, kColorRow) == BST_CHECKED);
    SendMessageA(Control(host, kColorRow), BM_CLICK, 0, 0);
    CHECK(host.commands.empty());                       // posted, not sent
    CHECK(CheckState(host, kColorRow) == BST_CHECKED);  // the click alone changes no mark
    host.Pump();
    CHECK(host.commands == std::vector<UINT>{1001});
    CHECK((GetMenuState(host.menuBar(), 1001, MF_BYCOMMAND) & MF_CHECKED) == 0);
    CHECK(CheckState(host, kColorRow) == BST_UNCHECKED);  // after the host's menu-changed message

    SendMessageA(Control(host, kBlurRow), BM_CLICK, 0, 0);
    SendMessageA(Control(host, kColorRow + 100), BM_CLICK, 0, 0);      // a filter's settings
    SendMessageA(Control(host, kHistogramRow + 100), BM_CLICK, 0, 0);  // a display tool
    host.Pump();
    CHECK(host.commands == std::vector<UINT>{1001, 1005, 2001, 5002});
    CHECK(CheckState(host, kBlurRow) == BST_CHECKED);
}

TEST_CASE(
    "the host's item for the palette lists it as a display tool, and closes and reopens it; the plug-in's own item opens find") {
    HostOptions options = TestOptions();
    options.paletteItem = true;
    Host host;
    REQUIRE(host.Start(options));
    host.Pump();
    const HWND palette = host.paletteWindow();
    auto marked = [&] { return (GetMenuState(host.menuBar(), host.paletteItem(), MF_BYCOMMAND) & MF_CHECKED) != 0; };
    CHECK(MenuCaption(host.menuBar(), host.paletteItem()) == "キラボの表示");
    CHECK(WindowText(Control(host, 11)) == "キラボ");  // after 波形, the last display tool
    CHECK(WindowText(Control(host, 111)) == "表示");
    CHECK((IsWindowVisible(palette) && marked()));
    SendMessageA(palette, WM_CLOSE, 0, 0);
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_THREE_COLUMNS, 0);  // a layout of the hidden palette
    CHECK((!IsWindowVisible(palette) && !marked()));
    PostMessageA(host.mainWindow(), WM_COMMAND, host.paletteItem(), 0);
    host.Pump();
    CHECK((IsWindowVisible(palette) && marked()));
    SendMessageA(Control(host, 111), BM_CLICK, 0, 0);  // the palette's own row does what the item does
    host.Pump();
    CHECK((!IsWindowVisible(palette) && !marked()));

    CHECK(MenuCaption(host.menuBar(), emulator::kFirstPluginItemId) == "キラボで検索");
    PostMessageA(host.mainWindow(), WM_COMMAND, emulator::kFirstPluginItemId, 0);
    host.Pump();
    HWND box = Control(host, KIRABO_FIND_BOX);
    CHECK((IsWindowVisible(palette) && box && GetFocus() == box));
    TypeKeys({'K', 'I', 'R', 'A', 'B', 'O'});
    TypeKeys({VK_RETURN}, VK_CONTROL);  // Ctrl+Enter on the palette's own row hides it, the box kept
    CHECK(!IsWindowVisible(palette));
    PostMessageA(host.mainWindow(), WM_COMMAND, host.paletteItem(), 0);
    host.Pump();
    CHECK((IsWindowVisible(palette) && GetFocus() == box));  // shown again, the open box has the keyboard
}

TEST_CASE(
    "a command ends by mirroring the host's marks, unless is_saving answers exactly 1: then it is dropped whole") {
    struct Case {
        const char* what;
        int saving;
        UINT id;
        bool mirrored;
    };
    // clang-format off
    const Case cases[] = {
        {"an id of no row",              2,  50,                        true},
        {"an id past the push buttons",  2,  150,                       true},
        {"an id past the own menu",      0,  40000,                     true},
        {"saving: a click",              1,  0,                         false},
        {"saving: 3列",                   1,  KIRABO_CMD_THREE_COLUMNS,  false},
    };
    // clang-format on
    Host host;
    REQUIRE(host.Start(TestOptions()));
    for (const Case& c : cases) {
        CAPTURE(c.what);
        host.saving = c.saving;
        const bool checked = CheckState(host, kColorRow) == BST_CHECKED;
        CheckMenuItem(host.menuBar(), 1001, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
        Command(host, c.id);
        CHECK((CheckState(host, kColorRow) == BST_CHECKED) == (c.mirrored != checked));
    }
    host.Pump();
    CHECK(host.commands.empty());
    CHECK(OwnMark(host, KIRABO_CMD_TWO_COLUMNS));
    host.SendToPalette(host::kMessageMenuChanged, 0, 0);  // the host's own message mirrors all the same
    CHECK(CheckState(host, kColorRow) ==
          ((GetMenuState(host.menuBar(), 1001, MF_BYCOMMAND) & MF_CHECKED) ? BST_CHECKED : BST_UNCHECKED));
}

TEST_CASE("the own menu's marks follow the column count and tab mode, and the tabs show and hide") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    CHECK(OwnMark(host, KIRABO_CMD_TWO_COLUMNS));

    Command(host, KIRABO_CMD_ONE_COLUMN);
    CHECK(OwnMark(host, KIRABO_CMD_ONE_COLUMN));
    CHECK_FALSE(OwnMark(host, KIRABO_CMD_TWO_COLUMNS));

    Command(host, KIRABO_CMD_FOUR_COLUMNS);
    CHECK(OwnMark(host, KIRABO_CMD_FOUR_COLUMNS));

    Command(host, KIRABO_CMD_TAB_MODE);
    CHECK(OwnMark(host, KIRABO_CMD_TAB_MODE));
    HWND tabs = Control(host, KIRABO_COLUMN_TABS);
    CHECK(IsWindowVisible(tabs));
    CHECK(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 4);
    Command(host, KIRABO_CMD_TAB_MODE);
    CHECK_FALSE(OwnMark(host, KIRABO_CMD_TAB_MODE));
    CHECK_FALSE(IsWindowVisible(tabs));
}

TEST_CASE("a tab change shows the chosen column") {
    Host host;
    host.store = {{"Tab", "1"}};
    REQUIRE(host.Start(TestOptions()));
    HWND tabs = Control(host, KIRABO_COLUMN_TABS);
    CHECK(IsWindowVisible(Control(host, 0)));
    CHECK_FALSE(IsWindowVisible(Control(host, 6)));
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    NMHDR change = {tabs, KIRABO_COLUMN_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, reinterpret_cast<LPARAM>(&change));
    CHECK_FALSE(IsWindowVisible(Control(host, 0)));
    CHECK(IsWindowVisible(Control(host, 6)));
    CHECK(PlaceOf(host, 6).left == 14);
    CHECK(PlaceOf(host, 6).top == 28);

    // Other notifications, and one without its header, do nothing.
    SendMessageA(tabs, TCM_SETCURSEL, 0, 0);
    NMHDR other = {tabs, KIRABO_COLUMN_TABS, static_cast<UINT>(TCN_SELCHANGING)};
    host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, reinterpret_cast<LPARAM>(&other));
    host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, 0);
    CHECK(IsWindowVisible(Control(host, 6)));
    host.Exit();
    CHECK(host.store["SelColumn"] == "1");
}

TEST_CASE("keys and the wheel reach the host's window; other messages do not") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    host.SendToPalette(WM_KEYDOWN, 'A', 1);
    host.SendToPalette(WM_KEYUP, 'A', 2);
    host.SendToPalette(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 3);
    host.SendToPalette(WM_CHAR, 'a', 4);
    host.SendToPalette(WM_SYSKEYDOWN, VK_MENU, 5);
    REQUIRE(host.ownerMessages.size() == 3);
    CHECK(host.ownerMessages[0].message == WM_KEYDOWN);
    CHECK(host.ownerMessages[0].wParam == 'A');
    CHECK(host.ownerMessages[0].lParam == 1);
    CHECK(host.ownerMessages[1].message == WM_KEYUP);
    CHECK(host.ownerMessages[2].message == WM_MOUSEWHEEL);
    CHECK(host.ownerMessages[2].lParam == 3);
}

TEST_CASE("the reset asks first; No changes nothing, Yes rebuilds in the host's menu order") {
    Host host;
    // A saved order that differs from the menus': 拡張色調補正 first.
    host.store = {{"FilterSize", "1"}, {"FilterName0", "拡張色調補正"}, {"FilterType0", "1"}};
    REQUIRE(host.Start(TestOptions()));
    HWND firstBefore = Control(host, 0);
    CHECK(WindowText(firstBefore) == "拡張色調補正");

    AnswerNextMessageBox(IDNO);
    Command(host, KIRABO_CMD_RESET_ORDER);
    CHECK(LastAnsweredBox().seen);
    CHECK(LastAnsweredBox().text == "フィルターの並びを初期化します。\r\n宜しいですか?");
    CHECK(LastAnsweredBox().caption == "キラボ");
    CHECK(LastAnsweredBox().style == (MB_YESNO | MB_ICONQUESTION));
    CHECK(Control(host, 0) == firstBefore);

    AnswerNextMessageBox(IDYES);
    Command(host, KIRABO_CMD_RESET_ORDER);
    CHECK(LastAnsweredBox().seen);
    CHECK(WindowText(Control(host, 0)) == "色調補正");
    CHECK(WindowText(Control(host, 7)) == "拡張色調補正");
    CHECK(CheckState(host, 0) == BST_CHECKED);
    CHECK_FALSE(IsWindow(firstBefore));
    host.Exit();
    CHECK(StoredNames(host).front() == "色調補正");
}

TEST_CASE("messages before func_init and after func_exit do nothing") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    host.Exit();
    NMHDR change = {nullptr, KIRABO_COLUMN_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    for (UINT id : {0u, 100u, UINT{KIRABO_CMD_ONE_COLUMN}, UINT{KIRABO_CMD_TAB_MODE}, UINT{KIRABO_CMD_RESET_ORDER}})
        Command(host, id);
    host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, reinterpret_cast<LPARAM>(&change));
    host.SendToPalette(host::kMessageMenuChanged, 0, 0);
    host.SendToPalette(WM_KEYDOWN, 'A', 0);
    host.Pump();
    CHECK(host.commands.empty());
    CHECK(host.ownerMessages.empty());
    CHECK(GetWindow(host.paletteWindow(), GW_CHILD) == nullptr);
}

TEST_CASE(
    "after a real click on any part of the palette every key goes to the host, Alt and a menu letter too, and Space switches nothing; an open find box keeps them") {
    const auto centre = [](HWND window) {
        RECT r = {};
        GetWindowRect(window, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const auto secondTab = [](Host& host) {
        HWND tabs = Control(host, KIRABO_COLUMN_TABS);
        RECT r = {};
        SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    struct Row {
        const char* what;
        bool tabs, find;
        std::function<POINT(Host&)> click;
        std::vector<UINT> commands;  // what reaches the host: the click's command alone
        const char* typed;           // what the find box holds afterwards
        bool grouped = false;        // every row in the user's group P: the click folds it, kept across runs
    };
    // clang-format off
    const Row rows[] = {
        {"a check box",                                                         false,  false,  [&](Host& host) {return centre(Control(host, kColorRow));},                                                       {1001},  ""},
        {"a push button",                                                       false,  false,  [&](Host& host) {return centre(Control(host, kColorRow + 100));},                                                 {2001},  ""},
        {"the palette's own client area",                                       false,  false,  [](Host& host) {RECT r = {}; GetWindowRect(host.paletteWindow(), &r); return POINT{r.right - 8, r.bottom - 8};},  {},      ""},
        {"the tab strip's second tab",                                          true,   false,  secondTab,                                                                                                        {},      ""},
        {"the tab strip's second tab while the find box is open",               true,   true,   secondTab,                                                                                                        {},      " a"},
        {"a check box while the find box is open: the keys type into the box",  false,  true,   [&](Host& host) {return centre(Control(host, kColorRow));},                                                       {1001},  " a"},
        {"the palette's own client area while the find box is open",            false,  true,   [](Host& host) {RECT r = {}; GetWindowRect(host.paletteWindow(), &r); return POINT{r.right - 8, r.bottom - 8};},  {},      " a"},
        {"a group's heading",  false,  false,  [&](Host& host) {return centre(Control(host, KIRABO_GROUP_HEADING));},  {},  "",  true},
    };
    // clang-format on
    for (const Row& r : rows) {
        CAPTURE(r.what);
        Host host;
        host.store = {{"Tab", r.tabs ? "1" : "0"}};
        if (r.grouped) {
            host.store.insert({{"FilterSize", "1"},
                               {"FilterName0", "色調補正"},
                               {"FilterType0", "1"},
                               {"GroupSize", "1"},
                               {"GroupName0", "P"},
                               {"GroupFirst0", "0"}});
        }
        REQUIRE(host.Start(TestOptions()));
        if (r.find) Command(host, KIRABO_CMD_FIND);
        SetForegroundWindow(host.mainWindow());  // the user was working in the host
        ClickAt(r.click(host));
        TypeKeys({'A', VK_LEFT, VK_SPACE});
        if (!r.find) {
            TypeKeys({'T'}, VK_MENU, {VK_ESCAPE, VK_ESCAPE});  // the host's フィルタ(&T) menu, closed again
            CHECK(host.menusOpened == std::vector<int>{emulator::kToggleMenu});
        }
        std::vector<WPARAM> keys;
        for (const MSG& m : host.ownerMessages) {
            if (m.message == WM_KEYDOWN) keys.push_back(m.wParam);
        }
        CHECK(keys == (r.find ? std::vector<WPARAM>{} : std::vector<WPARAM>{'A', VK_LEFT, VK_SPACE}));
        CHECK(host.commands == r.commands);
        HWND box = Control(host, KIRABO_FIND_BOX);
        CHECK((box ? WindowText(box) : std::string()) == r.typed);
        if (!r.find) CHECK(GetFocus() == host.mainWindow());  // no row keeps the keyboard, nor draws its focus
        if (r.grouped) {
            CHECK(WindowText(Control(host, KIRABO_GROUP_HEADING)) == "＋ P");
            CHECK(Control(host, kColorRow) == nullptr);
            host.Exit();
            CHECK(host.store["GroupFold0"] == "1");
        }
    }
}
