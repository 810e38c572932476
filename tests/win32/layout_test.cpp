// The palette's real controls: classes, styles, ids, texts, rectangles, the tab control and the
// PaletteWindow's size, as Windows reports them.
#include <doctest/doctest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// After a first start these give, in order: AAAAAAAAAA (check box, 設定), DD (label, 設定),
// BB (check box), EEEE (check box, 設定), CC (label, 表示). The longest name has 10 bytes.
MenuBarText FiveRows() {
    MenuBarText bar = EmptyMenus();
    bar[1].items = {Item(11, "AAAAAAAAAA"), Item(12, "BB"), Item(13, "EEEE")};
    bar[2].items = {Item(21, "AAAAAAAAAAの設定"), Item(22, "DDの設定"), Item(23, "EEEEの設定")};
    bar[5].items = {Separator(), Item(51, "CCの表示")};
    return bar;
}

struct Expected {
    int id;
    const char* className;
    LONG style;
    const char* text;
    RECT rect;
};

void CheckControls(HWND palette, const std::vector<Expected>& expected) {
    const std::vector<Child> children = Children(palette);
    for (const Expected& e : expected) {
        CAPTURE(e.id);
        const Child* c = FindChild(children, e.id);
        REQUIRE(c != nullptr);
        CHECK(c->className == e.className);
        CHECK(c->style == e.style);
        CHECK(c->text == e.text);
        CHECK(c->rect.left == e.rect.left);
        CHECK(c->rect.top == e.rect.top);
        CHECK(c->rect.right == e.rect.right);
        CHECK(c->rect.bottom == e.rect.bottom);
        CHECK(GetWindowLongA(c->hwnd, GWL_EXSTYLE) == 0);
    }
}

SIZE OuterSize(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

const int F = GetSystemMetrics(SM_CYDLGFRAME);
const int C = GetSystemMetrics(SM_CYSMCAPTION);
constexpr LONG kVisible = WS_VISIBLE;

}  // namespace

TEST_CASE("side by side in two columns") {
    Host host;
    REQUIRE(host.Start(TestOptions(FiveRows())));
    const LONG check = 0x40000002 | kVisible, label = 0x40000200 | kVisible, push = 0x40000000 | kVisible;
    CheckControls(host.paletteWindow(), {
                                            {0, "Button", check, "AAAAAAAAAA", {14, 5, 98, 22}},
                                            {100, "Button", push, "設定", {98, 5, 146, 22}},
                                            {1, "Static", label, "DD", {14, 23, 98, 40}},
                                            {101, "Button", push, "設定", {98, 23, 146, 40}},
                                            {2, "Button", check, "BB", {14, 41, 98, 58}},
                                            {3, "Button", check, "EEEE", {160, 5, 244, 22}},
                                            {103, "Button", push, "設定", {244, 5, 292, 22}},
                                            {4, "Static", label, "CC", {160, 23, 244, 40}},
                                            {104, "Button", push, "表示", {244, 23, 292, 40}},
                                            {KIRABO_COLUMN_TABS, "SysTabControl32", 0x44000000, "", {9, 2, 151, 20}},
                                        });
    CHECK(Children(host.paletteWindow()).size() == 10);  // no button for BB
    const SIZE size = OuterSize(host.paletteWindow());
    CHECK(size.cx == 292 + 2 * F + 14);
    CHECK(size.cy == 76 + C + 2 * F + 14);
}

TEST_CASE("tab mode with the second tab selected") {
    Host host;
    host.store = {{"Tab", "1"}, {"SelColumn", "1"}};
    REQUIRE(host.Start(TestOptions(FiveRows())));
    const LONG check = 0x40000002, label = 0x40000200, push = 0x40000000;
    CheckControls(host.paletteWindow(), {
                                            {3, "Button", check | kVisible, "EEEE", {14, 28, 98, 45}},
                                            {103, "Button", push | kVisible, "設定", {98, 28, 146, 45}},
                                            {4, "Static", label | kVisible, "CC", {14, 46, 98, 63}},
                                            {104, "Button", push | kVisible, "表示", {98, 46, 146, 63}},
                                        });
    for (int id : {0, 100, 1, 2}) {
        CAPTURE(id);
        CHECK(GetDlgItem(host.paletteWindow(), id) == nullptr);
    }  // the other tab's rows
    const SIZE size = OuterSize(host.paletteWindow());
    CHECK(size.cx == 84 + 2 * F + 76);
    CHECK(size.cy == 99 + C + 2 * F + 14);

    HWND tabs = GetDlgItem(host.paletteWindow(), KIRABO_COLUMN_TABS);
    REQUIRE(tabs != nullptr);
    CHECK(GetWindowLongA(tabs, GWL_STYLE) == (0x44000000 | kVisible));
    CHECK(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 2);
    CHECK(SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 1);
    RECT client = {}, r = {};
    GetClientRect(host.paletteWindow(), &client);
    GetWindowRect(tabs, &r);
    MapWindowPoints(nullptr, host.paletteWindow(), reinterpret_cast<POINT*>(&r), 2);
    CHECK(r.left == 8);
    CHECK(r.top == 2);
    CHECK(r.right - r.left == 144);
    CHECK(r.bottom - r.top == client.bottom - 11);
    // The rows lie above the tab control: it is last in the z-order.
    CHECK(GetWindow(tabs, GW_HWNDNEXT) == nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(tabs, WM_GETFONT, 0, 0));
    CHECK(font == reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(host.paletteWindow(), 3), WM_GETFONT, 0, 0)));
}

TEST_CASE("tab labels read 1列目 onwards, even for a stored count of 5") {
    Host host;
    host.store = {{"Tab", "1"}, {"Column", "5"}, {"SelColumn", "9"}};
    REQUIRE(host.Start(TestOptions(FiveRows())));
    HWND tabs = GetDlgItem(host.paletteWindow(), KIRABO_COLUMN_TABS);
    REQUIRE(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 5);
    const char* labels[] = {"1列目", "2列目", "3列目", "4列目", "5列目"};
    for (int i = 0; i < 5; ++i) {
        CAPTURE(labels[i]);
        char text[32] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        REQUIRE(SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
        CHECK(std::string(text) == labels[i]);
        RECT tab = {}, strip = {};
        GetClientRect(tabs, &strip);
        CHECK(SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab)));
        MapWindowPoints(tabs, host.paletteWindow(), reinterpret_cast<POINT*>(&strip), 2);
        RECT client = {};
        GetClientRect(host.paletteWindow(), &client);
        CHECK((tab.left >= 0 && tab.right + strip.left <= client.right));  // every tab in reach, on one line
    }
    CHECK(SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 4);
    host.Exit();
    CHECK(host.store["SelColumn"] == "4");
    CHECK(host.store["Column"] == "5");
}

namespace {

BOOL CALLBACK FindTips(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == TOOLTIPS_CLASSA) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

}  // namespace

TEST_CASE("a name longer than 64 bytes is cut with … in its row, and its tip holds it whole, while the row shows") {
    const std::string longName = "とても長い名前のフィルタ" + std::string(78, 'x');  // 102 bytes
    MenuBarText bar = EmptyMenus();
    bar[1].items = {Item(11, longName), Item(12, "BB")};
    Host host;
    host.store = {{"Column", "1"}};
    REQUIRE(host.Start(TestOptions(bar)));
    HWND palette = host.paletteWindow();
    const std::vector<Child> children = Children(palette);
    const Child* row = FindChild(children, 0);
    REQUIRE(row != nullptr);
    CHECK(row->text == "とても長い名前のフィルタ" + std::string(38, 'x') + "…");
    CHECK(row->rect.right - row->rect.left == 6 * 64 + 24);
    // The tips: a window of the palette's thread, owned by it.
    HWND tips = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTips, reinterpret_cast<LPARAM>(&tips));
    REQUIRE(tips != nullptr);
    CHECK(GetWindow(tips, GW_OWNER) == palette);
    REQUIRE(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) == 1);
    char text[256] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.lpszText = text;
    REQUIRE(SendMessageA(tips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)));
    CHECK(reinterpret_cast<HWND>(tool.uId) == row->hwnd);
    // The tool hands out its first 80 characters at most: past the cut, and no …
    CHECK((std::strlen(text) > 64 && longName.rfind(text, 0) == 0));

    host.SendToPalette(WM_COMMAND, KIRABO_CMD_FIND, 0);
    SetWindowTextA(GetDlgItem(palette, KIRABO_FIND_BOX), "BB");  // the long name leaves the screen, and its tip
    CHECK(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) == 0);
    host.Exit();
    CHECK_FALSE(IsWindow(tips));
}
