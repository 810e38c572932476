// What a real host can do to the plug-in: hundreds of filters, a damaged store, odd menus.
// Each case checks the sound outcome: started, promptly, nothing lost.
#include <doctest/doctest.h>

#include "Support.h"
#include "palette/CommandRouting.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

MenuBarText ManyFilters(int count) { return emulator::ManyFilters(count, "filter ", 3); }

}  // namespace

TEST_CASE(
    "300 rows in one column on the test screen, 1024 x 768: the window fits its work area, the wheel and the bar reach the last row, and every row posts its own commands and follows its mark") {
    Host host;
    host.store = {{"Column", "1"}};
    REQUIRE(host.Start(TestOptions(ManyFilters(300))));
    HWND palette = host.paletteWindow();
    MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
    GetMonitorInfoA(MonitorFromWindow(palette, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT frame = {}, client = {};
    GetWindowRect(palette, &frame);
    GetClientRect(palette, &client);
    CHECK((frame.top >= monitor.rcWork.top && frame.bottom <= monitor.rcWork.bottom));
    const auto inClient = [&](HWND control) {
        RECT r = {};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, palette, reinterpret_cast<POINT*>(&r), 2);
        return control && IsWindowVisible(control) && r.top >= 0 && r.bottom <= client.bottom;
    };
    const auto row = [&](int r) { return GetDlgItem(palette, static_cast<int>(MainControlId(r))); };
    CHECK((inClient(row(0)) && !inClient(row(299))));
    int notches = 0;
    for (; notches < 100 && !inClient(row(299)); ++notches)
        host.SendToPalette(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    CHECK((inClient(row(299)) && !row(0)));  // three rows a notch: within 100
    SendMessageA(row(299), BM_CLICK, 0, 0);
    std::vector<UINT> expected = {1299};
    host.SendToPalette(WM_VSCROLL, SB_TOP, 0);
    CHECK((inClient(row(0)) && !row(299)));
    host.SendToPalette(WM_VSCROLL, SB_BOTTOM, 0);
    CHECK(inClient(row(299)));
    host.SendToPalette(WM_VSCROLL, SB_TOP, 0);
    host.SendToPalette(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 299), 0);  // the thumb let go at the end
    CHECK((inClient(row(299)) && GetScrollPos(palette, SB_VERT) > 0));

    // Each row in turn, scrolled into view a line at a time: a row has controls only while in view.
    const auto eachRow = [&](int rows, const std::function<void(int r, HWND box, HWND button)>& use) {
        host.SendToPalette(WM_VSCROLL, SB_TOP, 0);
        for (int r = 0; r < rows; ++r) {
            for (int step = 0; step < 300 && !row(r); ++step) host.SendToPalette(WM_VSCROLL, SB_LINEDOWN, 0);
            CAPTURE(r);
            use(r, row(r), GetDlgItem(palette, static_cast<int>(ButtonControlId(r))));
        }
    };
    eachRow(299, [&](int r, HWND box, HWND button) {
        REQUIRE((box && button));
        CHECK(WindowText(box) == "filter " + std::to_string(r));
        CHECK(SendMessageA(box, BM_GETCHECK, 0, 0) == (r % 3 == 0 ? BST_CHECKED : BST_UNCHECKED));
        SendMessageA(box, BM_CLICK, 0, 0);
        SendMessageA(button, BM_CLICK, 0, 0);
        expected.insert(expected.end(), {static_cast<UINT>(1000 + r), static_cast<UINT>(3000 + r)});
    });
    host.Pump();
    CHECK(host.commands == expected);
    // Each toggle flipped its menu mark, and every box followed, past the hundredth row too.
    eachRow(300, [&](int r, HWND box, HWND) {
        CHECK(SendMessageA(box, BM_GETCHECK, 0, 0) == (r % 3 == 0 ? BST_UNCHECKED : BST_CHECKED));
    });
    CHECK(Children(palette).size() < 200);  // the rows in view, not all 600 controls
    host.Exit();
    CHECK(StoredNames(host).size() == 300);
}

TEST_CASE("5,000 filters: the last row scrolled to and switched, moved to the top, and the order stored") {
    Host host;
    REQUIRE(host.Start(TestOptions(ManyFilters(5000))));
    host.SendToPalette(WM_VSCROLL, SB_BOTTOM, 0);
    HWND last = GetDlgItem(host.paletteWindow(), static_cast<int>(MainControlId(4999)));
    CHECK(IsWindowVisible(last));
    SendMessageA(last, BM_CLICK, 0, 0);
    host.Pump();
    CHECK(host.commands == std::vector<UINT>{5999});
    RunInNextDialog([](HWND dialog) {
        HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
        SelectItems(list, {4999});
        SendMessageA(list, WM_SYSKEYDOWN, VK_HOME, 1 | (1 << 29));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    host.Exit();
    const std::vector<std::string> names = StoredNames(host);
    CHECK(names.size() == 5000);
    CHECK(names.front() == "filter 4999");
    CHECK(names.back() == "filter 4998");
}

TEST_CASE("a damaged store starts the plug-in promptly and keeps the user's order") {
    // The saved order puts シャープフィルタ before 色調補正, against the menus' order.
    const std::string saved = "シャープフィルタ", menuFirst = "色調補正";
    const char* values[] = {"-2147483648", "-1", "0", "5", "2147483647"};
    struct Case {
        const char* key;
        bool keepsOrder[5];  // per value above
    };
    // clang-format off
    const Case cases[] = {
        {"Column",       {true, true, true, true, true}},
        {"Tab",          {true, true, true, true, true}},
        {"SelColumn",    {true, true, true, true, true}},
        {"FilterSize",   {false, false, false, true, true}}, // fewer saved entries load
        {"FilterType0",  {false, false, true, true, true}}, // a negative kind is skipped
        {"HiddenSize",   {true, true, true, true, true}},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (int v = 0; v < 5; ++v) {
            CAPTURE(c.key);
            CAPTURE(values[v]);
            Host host;
            host.store = {{"FilterSize", "2"},        {"FilterName0", saved}, {"FilterType0", "1"},
                          {"FilterName1", menuFirst}, {"FilterType1", "1"},   {"Tab", "1"}};
            host.store[c.key] = values[v];
            REQUIRE(host.Start(TestOptions()));
            CHECK(host.initResult() == 1);
            // Three settings, then the saved order and the hidden rows: a size, and a name and a
            // type for at most 10,000 positions, each.
            CHECK(host.calls.size() <= 3 + 2 * (1 + 2 * 10000));
            CHECK(SendMessageA(GetDlgItem(host.paletteWindow(), KIRABO_COLUMN_TABS), TCM_GETITEMCOUNT, 0, 0) <= 64);
            host.Exit();
            CHECK(host.store["Column"] == (std::string(c.key) == "Column" ? values[v] : "2"));
            const std::vector<std::string> names = StoredNames(host);
            REQUIRE(names.size() >= 11);
            CHECK(names[0] == (c.keepsOrder[v] ? saved : menuFirst));
        }
    }
}

TEST_CASE("a toggle menu of 1,000 items, its settings kept in the ini file across a restart") {
    char folder[MAX_PATH] = {}, ini[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    REQUIRE(GetTempFileNameA(folder, "kir", 0, ini));
    HostOptions options = TestOptions(ManyFilters(1000));
    options.iniPath = ini;
    Host host;
    REQUIRE(host.Start(options));
    host.Stop();
    CHECK(StoredNames(host).size() == 1000);
    const auto stored = host.store;
    host.store.clear();
    REQUIRE(host.Start(options));
    CHECK(host.store == stored);
    host.Stop();
    DeleteFileA(ini);
}

TEST_CASE("settings captions of every awkward length") {
    MenuBarText bar = EmptyMenus();
    // 0 bytes: passed over; 5 and 6: the empty name; 254 and 300: cut to what the read returns.
    const std::size_t lengths[] = {0, 5, 6, 254, 300};
    for (std::size_t i = 0; i < 5; ++i) {
        bar[2].items.push_back(Item(static_cast<UINT>(21 + i), std::string(lengths[i], static_cast<char>('a' + i))));
    }
    Host host;
    REQUIRE(host.Start(TestOptions(bar)));
    host.Exit();
    CHECK(StoredNames(host) == std::vector<std::string>{"", "", std::string(248, 'd'), std::string(248, 'e')});
}

TEST_CASE("messages before func_init do nothing") {
    Host host;
    HostOptions options = TestOptions();
    options.initialise = false;
    REQUIRE(host.Start(options));
    NMHDR change = {nullptr, KIRABO_COLUMN_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    for (UINT id : {0u, 100u, UINT{KIRABO_CMD_ONE_COLUMN}, UINT{KIRABO_CMD_TAB_MODE}, UINT{KIRABO_CMD_REORDER},
                    UINT{KIRABO_CMD_RESET_ORDER}})
        host.SendToPalette(WM_COMMAND, id, 0);
    host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, reinterpret_cast<LPARAM>(&change));
    host.SendToPalette(WM_NOTIFY, KIRABO_COLUMN_TABS, 0);
    host.SendToPalette(host::kMessageMenuChanged, 0, 0);
    host.Pump();
    CHECK(host.commands.empty());
    CHECK(GetWindow(host.paletteWindow(), GW_CHILD) == nullptr);
    CHECK(GetMenu(host.paletteWindow()) == nullptr);
}
