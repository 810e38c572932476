// The reorder dialog, driven from inside its modal loop the way a list view and a mouse would.
#include <doctest/doctest.h>

#include <algorithm>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// Six filters A to F, each with a settings item, in one column.
MenuBarText SixRows() {
    MenuBarText bar = EmptyMenus();
    for (int i = 0; i < 6; ++i) {
        const std::string name(1, static_cast<char>('A' + i));
        bar[1].items.push_back(Item(static_cast<UINT>(11 + i), name));
        bar[2].items.push_back(Item(static_cast<UINT>(21 + i), name + "の設定"));
    }
    return bar;
}

std::string Texts(const std::vector<ListItem>& items) {
    std::string texts;
    for (const ListItem& item : items) texts += item.text;
    return texts;
}

// Opens the dialog, runs `script` in it, and reports what the list showed when it closed.
struct Opened {
    std::vector<ListItem> atOpen;
    std::vector<ListItem> atClose;
    HWND captureAfter = nullptr;
};

Opened OpenReorder(Host& host, std::function<void(HWND dialog, HWND list)> script, UINT closeWith) {
    Opened opened;
    RunInNextDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
        opened.atOpen = ListItems(list);
        script(dialog, list);
        opened.atClose = ListItems(list);
        SendMessageA(dialog, WM_COMMAND, closeWith, 0);
    });
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    opened.captureAfter = GetCapture();
    return opened;
}

// The worked example: B and F dropped into the upper third of E.
void DragBAndFOntoUpperE(HWND dialog, HWND list) {
    SelectItems(list, {1, 5});
    BeginDrag(dialog, list, 1);
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParam(ItemPoint(dialog, list, 3, false)));
    SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 4, true)));
}

int RowAt(Host& host, int row) {
    POINT p = {20, 5 + 18 * row + 8};
    return GetDlgCtrlID(ChildWindowFromPoint(host.paletteWindow(), p));
}

}  // namespace

TEST_CASE("the list shows the rows; a drag moves the selected ones; OK reorders the palette") {
    Host host;
    host.store = {{"Column", "1"}};
    REQUIRE(host.Start(TestOptions(SixRows())));
    HWND controlOfB = GetDlgItem(host.paletteWindow(), 1);
    const Opened opened = OpenReorder(host, DragBAndFOntoUpperE, IDOK);
    CHECK(Texts(opened.atOpen) == "ABCDEF");
    CHECK(Texts(opened.atClose) == "ACDBFE");
    for (std::size_t i = 0; i < opened.atClose.size(); ++i) {
        CAPTURE(i);
        CHECK(opened.atClose[i].selected == (i == 3 || i == 4));  // the dropped B and F stay selected
    }
    CHECK(opened.captureAfter == nullptr);

    // Every row keeps its controls and ids, at its new place.
    const int expected[] = {0, 2, 3, 1, 5, 4};
    for (int row = 0; row < 6; ++row) {
        CAPTURE(row);
        CHECK(RowAt(host, row) == expected[row]);
    }
    CHECK(GetDlgItem(host.paletteWindow(), 1) == controlOfB);
    SendMessageA(controlOfB, BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(host.paletteWindow(), 105), BM_CLICK, 0, 0);
    host.Pump();
    CHECK(host.commands == std::vector<UINT>{12, 26});  // B's toggle, F's settings
    host.Exit();
    CHECK(StoredNames(host) == std::vector<std::string>{"A", "C", "D", "B", "F", "E"});
}

TEST_CASE(
    "Esc during a drag ends only the drag; Cancel after drops and unchecked rows leaves everything as it was; later drags work") {
    Host host;
    host.store = {{"Column", "1"}};
    REQUIRE(host.Start(TestOptions(SixRows())));
    HWND captured = nullptr, afterEsc = nullptr;
    std::string beforeEsc, stillOpen;
    const Opened opened = OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            DragBAndFOntoUpperE(dialog, list);
            DragBAndFOntoUpperE(dialog, list);
            SetCheckBox(list, 0, false);
            SelectItems(list, {0});
            BeginDrag(dialog, list, 0);
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParam(ItemPoint(dialog, list, 4, false)));
            captured = GetCapture();
            beforeEsc = Texts(ListItems(list));
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc, as the dialog manager turns it
            afterEsc = GetCapture();
            stillOpen = !IsWindowEnabled(GetWindow(dialog, GW_OWNER)) ? Texts(ListItems(list)) : "";  // not ended
        },
        IDCANCEL);
    CHECK(Texts(opened.atClose) != "ABCDEF");
    CHECK((captured != nullptr && afterEsc == nullptr && opened.captureAfter == nullptr));
    CHECK(stillOpen == beforeEsc);  // the dialog open, every change made in it kept, nothing dropped
    for (int row = 0; row < 6; ++row) {
        CAPTURE(row);
        CHECK(RowAt(host, row) == row);
    }
    const Opened again = OpenReorder(host, DragBAndFOntoUpperE, IDOK);
    CHECK(Texts(again.atOpen) == "ABCDEF");
    CHECK(Texts(again.atClose) == "ACDBFE");
    host.Exit();
    CHECK(StoredNames(host) == std::vector<std::string>{"A", "C", "D", "B", "F", "E"});
    CHECK(host.store.count("HiddenSize") == 0);
}

TEST_CASE("drops that move nothing") {
    struct Case {
        const char* what;
        std::function<void(HWND, HWND)> script;
    };
    // clang-format off
    const Case cases[] = {
        {"a drop where no item lies",                     [](HWND dialog, HWND list) {SelectItems(list, {0}); BeginDrag(dialog, list, 0); SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  /* above the list */ }},
        {"a begin-drag on no item, then a release",       [](HWND dialog, HWND list) {SelectItems(list, {0}); NMLISTVIEW begin = {}; begin.hdr = {list, KIRABO_REORDER_LIST, static_cast<UINT>(LVN_BEGINDRAG)}; begin.iItem = -1; SendMessageA(dialog, WM_NOTIFY, KIRABO_REORDER_LIST, reinterpret_cast<LPARAM>(&begin)); SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 5, false)));}},
        {"a right-button drag",                           [](HWND dialog, HWND list) {SelectItems(list, {0}); NMLISTVIEW begin = {}; begin.hdr = {list, KIRABO_REORDER_LIST, static_cast<UINT>(LVN_BEGINRDRAG)}; SendMessageA(dialog, WM_NOTIFY, KIRABO_REORDER_LIST, reinterpret_cast<LPARAM>(&begin)); SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 5, false)));}},
        {"the capture taken by another window mid-drag",  [](HWND dialog, HWND list) {SelectItems(list, {0}); BeginDrag(dialog, list, 0); SetCapture(list); ReleaseCapture(); SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 5, false)));}},
    };
    // clang-format on
    for (const Case& c : cases) {
        CAPTURE(c.what);
        Host host;
        REQUIRE(host.Start(TestOptions(SixRows())));
        const Opened opened = OpenReorder(host, c.script, IDOK);
        CHECK(Texts(opened.atClose) == "ABCDEF");
        CHECK(opened.captureAfter == nullptr);
    }
}

TEST_CASE(
    "a drag held beyond the list's bottom edge scrolls faster the further it is: a row a step in the margin, a page 100 pixels beyond") {
    MenuBarText bar = EmptyMenus();
    for (int i = 0; i < 1000; ++i)
        bar[1].items.push_back(Item(static_cast<UINT>(100 + i), "filter " + std::to_string(i)));
    Host host;
    REQUIRE(host.Start(TestOptions(bar)));
    struct Seen {
        int page = 0, inMargin = -1, beyond = -1, heldStill = -1;
    } seen;
    OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            RECT client = {};
            GetClientRect(list, &client);
            const auto at = [&](int y) {
                POINT point = {client.right / 2, y};
                MapWindowPoints(list, dialog, &point, 1);
                return PointParam(point);
            };
            const auto rest = [](DWORD ms) {
                for (const DWORD until = GetTickCount() + ms; GetTickCount() < until; Sleep(5)) {
                    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
                }
            };
            seen.page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
            SelectItems(list, {0});
            BeginDrag(dialog, list, 0);
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, at(client.bottom - 5));
            seen.inMargin = GetScrollPos(list, SB_VERT);
            rest(100);  // the pause after a step
            const int before = GetScrollPos(list, SB_VERT);
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, at(client.bottom + 100));
            seen.beyond = GetScrollPos(list, SB_VERT) - before;
            rest(1000);
            seen.heldStill = GetScrollPos(list, SB_VERT) - before;
            SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        },
        IDCANCEL);
    CHECK(seen.inMargin == 1);
    CHECK(seen.beyond >= seen.page);
    CHECK(seen.heldStill >= 5 * seen.page);  // held still, the mouse not moving, it keeps going
}

TEST_CASE("right after the dialog opens, Ctrl+A then Space typed on the keyboard hide every row, and it stays open") {
    Host host;
    REQUIRE(host.Start(TestOptions(SixRows())));
    bool open = false, atStart = false;
    std::vector<bool> checked;
    OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            // The first row focused, nothing selected, and the columns within the list's width.
            atStart = listview::FocusedItem(list) == 0 && listview::SelectedItems(list).empty() &&
                      !(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL);
            std::vector<INPUT> keys;
            for (auto [key, up] : {std::pair{VK_CONTROL, false},
                                   {'A', false},
                                   {'A', true},
                                   {VK_CONTROL, true},
                                   {VK_SPACE, false},
                                   {VK_SPACE, true}}) {
                INPUT input = {};
                input.type = INPUT_KEYBOARD;
                input.ki.wVk = static_cast<WORD>(key);
                input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
                keys.push_back(input);
            }
            SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
            for (const DWORD until = GetTickCount() + 300; GetTickCount() < until; Sleep(10)) {
                for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
                    if (!IsDialogMessageA(dialog, &msg)) {
                        TranslateMessage(&msg);
                        DispatchMessageA(&msg);
                    }
                }
            }
            open = !IsWindowEnabled(GetWindow(dialog, GW_OWNER));  // EndDialog gives the palette back
            for (const ListItem& item : ListItems(list)) checked.push_back(item.checked);
        },
        IDOK);
    CHECK((atStart && open));
    CHECK(checked == std::vector<bool>(6, false));
    host.Exit();
    CHECK(host.store["HiddenSize"] == "6");
    CHECK(host.store.count("ReorderSize") == 0);  // the user did not size the dialog
}

TEST_CASE("a dialog the user made larger opens at that size next time, its buttons at the bottom right") {
    // The dialog's size, the list's height, and ｷｬﾝｾﾙ's right and bottom margins.
    const auto frameOf = [](HWND dialog, HWND list) {
        RECT client = {}, cancel = {}, window = {}, inList = {};
        GetClientRect(dialog, &client);
        GetWindowRect(GetDlgItem(dialog, IDCANCEL), &cancel);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cancel), 2);
        GetWindowRect(dialog, &window);
        GetClientRect(list, &inList);
        return std::vector<LONG>{window.right - window.left, window.bottom - window.top, inList.bottom,
                                 client.right - cancel.right, client.bottom - cancel.bottom};
    };
    Host host;
    REQUIRE(host.Start(TestOptions(SixRows())));
    std::vector<LONG> opened, again;
    OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            opened = frameOf(dialog, list);
            SetWindowPos(dialog, nullptr, 0, 0, opened[0] + 200, opened[1] + 100, SWP_NOMOVE | SWP_NOZORDER);
        },
        IDCANCEL);
    OpenReorder(
        host, [&](HWND dialog, HWND list) { again = frameOf(dialog, list); }, IDCANCEL);
    CHECK(again == std::vector<LONG>{opened[0] + 200, opened[1] + 100, opened[2] + 100, opened[3], opened[4]});
    host.Exit();
    CHECK(host.store["ReorderSize"] == std::to_string(again[0]) + "," + std::to_string(again[1]));
}

TEST_CASE("rows unchecked in the dialog leave the palette and the store; the others renumber and post their own") {
    Host host;
    host.store = {{"Column", "1"}};
    REQUIRE(host.Start(TestOptions(SixRows())));
    OpenReorder(
        host,
        [](HWND, HWND list) {
            SetCheckBox(list, 1, false);
            SetCheckBox(list, 4, false);
        },
        IDOK);
    HWND palette = host.paletteWindow();
    CHECK(GetDlgItem(palette, 4) == nullptr);
    for (int row = 0; row < 4; ++row) {
        CAPTURE(row);
        CHECK(WindowText(GetDlgItem(palette, row)) == std::string(1, "ACDF"[row]));
        CHECK(RowAt(host, row) == row);
        SendMessageA(GetDlgItem(palette, row), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(palette, row + 100), BM_CLICK, 0, 0);
    }
    host.Pump();
    CHECK(host.commands == std::vector<UINT>{11, 21, 13, 23, 14, 24, 16, 26});
    const Opened reopened = OpenReorder(
        host, [](HWND, HWND) {}, IDCANCEL);
    CHECK(Texts(reopened.atOpen) == "ABCDEF");  // they keep their place
    host.Exit();
    CHECK(host.store["HiddenSize"] == "2");
    CHECK(host.store["HiddenName0"] == "B");
    CHECK(host.store["HiddenName1"] == "E");
}

TEST_CASE("Alt+End, sent to the list, moves the selected rows; they stay selected, the focus goes with them") {
    Host host;
    REQUIRE(host.Start(TestOptions(SixRows())));
    int focused = -1;
    const Opened opened = OpenReorder(
        host,
        [&](HWND, HWND list) {
            SelectItems(list, {1, 3});
            listview::SetItemState(list, 3, LVIS_FOCUSED, LVIS_FOCUSED);
            SendMessageA(list, WM_SYSKEYDOWN, VK_END, 1 | (1 << 29));  // the context bit: Alt is held
            focused = listview::FocusedItem(list);
        },
        IDOK);
    CHECK(Texts(opened.atClose) == "ACEFBD");
    CHECK((opened.atClose[4].selected && opened.atClose[5].selected));
    CHECK(focused == 5);  // D
    host.Exit();
    CHECK(StoredNames(host) == std::vector<std::string>{"A", "C", "E", "F", "B", "D"});
}

TEST_CASE("each thing done in the dialog, as its list, its frame and the store then show it") {
    MenuBarText menus = SixRows();
    menus[5].items = {Separator(), Item(51, "Gの表示")};
    const auto altKey = [](int position, WPARAM key) {
        return [=](HWND, HWND list) {
            SelectItems(list, {position});
            SendMessageA(list, WM_SYSKEYDOWN, key, 1 | (1 << 29));
        };
    };
    // E found, the keyboard on control `from`, then F with `held`; what is typed then replaces E.
    const auto findAgain = [](int from, WORD held, WORD typed) {
        return [=](HWND dialog, HWND list) {
            HWND box = GetDlgItem(dialog, KIRABO_REORDER_FIND);
            SetFocus(box);
            TypeKeys({'E'});
            SetFocus(GetDlgItem(dialog, from));
            TypeKeys({'F'}, held);
            DWORD first = 1, last = 0;
            SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
            if (GetFocus() != box || first != 0 || last != 1) return;
            TypeKeys({typed, VK_RETURN});
            SendMessageA(list, WM_SYSKEYDOWN, VK_HOME, 1 | (1 << 29));
        };
    };
    struct Row {
        const char* what;
        std::function<void(HWND dialog, HWND list)> act;
        const char* list;    // the names top to bottom at OK, unchecked ones in lower case
        const char* hidden;  // the names stored as hidden after OK
        int grow = 0;        // pixels the user makes the dialog wider and taller, or smaller
    };
    // clang-format off
    const Row rows[] = {
        {"as it opens: the row hidden before unchecked",                                                              [](HWND, HWND) {},                                                                                                                                                                                                                                                                                 "AbCDEFG",  "B"},
        {"C unchecked, then Alt+Home: its box goes with it, the right rows are hidden",                               [&](HWND d, HWND list) {SetCheckBox(list, 2, false); altKey(2, VK_HOME)(d, list);},                                                                                                                                                                                                                "cAbDEFG",  "CB"},
        {"the unchecked B moved down twice: still the one hidden",                                                    [&](HWND d, HWND list) {altKey(1, VK_DOWN)(d, list); SendMessageA(list, WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29));},                                                                                                                                                                                  "ACDbEFG",  "B"},
        {"made larger: the list and its name column take the room",     [](HWND, HWND) {},  "AbCDEFG",  "B",  200},
        {"made smaller: no smaller than it opened, the buttons whole",  [](HWND, HWND) {},  "AbCDEFG",  "B",  -200},
        {"E typed into the find box, Enter, then Alt+Home: the match gathered at the top",                            [&](HWND dialog, HWND list) {SetFocus(GetDlgItem(dialog, KIRABO_REORDER_FIND)); TypeKeys({'E', VK_RETURN}); if (GetFocus() == list && listview::SelectedItems(list) == std::vector<int>{4}) altKey(4, VK_HOME)(dialog, list);},                                                                    "EAbCDFG",  "B"},
        {"Ctrl+F in the list: the find box takes the keyboard, its text selected; C typed over it, Enter, Alt+Home",  findAgain(KIRABO_REORDER_LIST, VK_CONTROL, 'C'),                                                                                                                                                                                                                                                   "CAbDEFG",  "B"},
        {"Alt+F on OK: the same, by the box's label",                                                                 findAgain(IDOK, VK_MENU, 'D'),                                                                                                                                                                                                                                                                     "DAbCEFG",  "B"},
        {"Ctrl+F in the find box: its text selected",                                                                 findAgain(KIRABO_REORDER_FIND, VK_CONTROL, 'C'),                                                                                                                                                                                                                                                   "CAbDEFG",  "B"},
        {"D typed in the list, then Alt+Home: the list's own find took the row that begins with it",                  [&](HWND, HWND list) {SetFocus(list); TypeKeys({'D'}); SendMessageA(list, WM_SYSKEYDOWN, VK_HOME, 1 | (1 << 29));},                                                                                                                                                                                "DAbCEFG",  "B"},
        {"Esc in the find box clears it and leaves the dialog open",                                                  [&](HWND dialog, HWND list) {SetFocus(GetDlgItem(dialog, KIRABO_REORDER_FIND)); TypeKeys({'C', VK_ESCAPE}); if (listview::SelectedItems(list).empty() && WindowText(GetDlgItem(dialog, KIRABO_REORDER_FIND)).empty()) {SetCheckBox(list, 0, false);  /* still open: this reaches the store */ }},  "abCDEFG",  "AB"},
    };
    // clang-format on
    for (const Row& r : rows) {
        CAPTURE(r.what);
        Host host;
        host.store = {{"HiddenSize", "1"}, {"HiddenName0", "B"}, {"HiddenType0", "1"}};
        REQUIRE(host.Start(TestOptions(menus)));
        std::string list, kinds;
        bool sizable = false, buttonsWhole = false;  // and the find box clear of the label
        SIZE opened = {}, closed = {};
        int nameColumn = 0, listWidth = 0;
        OpenReorder(
            host,
            [&](HWND dialog, HWND view) {
                RECT window = {};
                GetWindowRect(dialog, &window);
                opened = {window.right - window.left, window.bottom - window.top};
                r.act(dialog, view);
                SetWindowPos(dialog, nullptr, 0, 0, opened.cx + r.grow, opened.cy + r.grow, SWP_NOMOVE | SWP_NOZORDER);
                const std::vector<ListItem> items = ListItems(view);
                for (std::size_t i = 0; i < items.size(); ++i) {
                    list += items[i].checked ? items[i].text : std::string(1, static_cast<char>(items[i].text[0] + 32));
                    char kind[32] = {};
                    LVITEMA item = {};
                    item.iSubItem = 1;
                    item.pszText = kind;
                    item.cchTextMax = sizeof kind;
                    SendMessageA(view, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
                    kinds += std::string(kind) == "表示" ? 'D' : std::string(kind) == "フィルタ" ? 'F' : '?';
                }
                sizable = (GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME) != 0;
                GetWindowRect(dialog, &window);
                closed = {window.right - window.left, window.bottom - window.top};
                RECT client = {}, ok = {}, inList = {};
                GetClientRect(dialog, &client);
                GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
                RECT label = {}, find = {}, count = {};
                GetWindowRect(GetDlgItem(dialog, KIRABO_REORDER_FIND_LABEL), &label);
                GetWindowRect(GetDlgItem(dialog, KIRABO_REORDER_FIND), &find);
                GetWindowRect(GetDlgItem(dialog, KIRABO_REORDER_FIND_COUNT), &count);
                buttonsWhole = ok.left >= 0 && ok.bottom <= client.bottom && find.left >= label.right &&
                               label.right > label.left && count.left >= find.right && count.right > count.left;
                GetClientRect(view, &inList);
                listWidth = inList.right;
                nameColumn = static_cast<int>(SendMessageA(view, LVM_GETCOLUMNWIDTH, 0, 0));
            },
            IDOK);
        CHECK(list == r.list);
        CHECK(kinds == "FFFFFFD");
        CHECK((sizable && buttonsWhole));
        CHECK(closed.cx == opened.cx + std::max(r.grow, 0));
        CHECK(closed.cy == opened.cy + std::max(r.grow, 0));
        CHECK(nameColumn == listWidth - 64 - 96);
        host.Exit();
        std::string hidden;
        for (int i = 0; i < std::stoi(host.store["HiddenSize"]); ++i)
            hidden += host.store["HiddenName" + std::to_string(i)];
        CHECK(hidden == r.hidden);
    }
}

TEST_CASE("during a drag a line shows where the rows will land; in the find box the arrows and F3 walk the matches") {
    Host host;
    REQUIRE(host.Start(TestOptions(emulator::ManyFilters(30, "filter ", 1))));
    std::vector<std::string> lines;  // where the line shows, step by step: "3 after", "5 before", ""
    std::vector<int> focused;
    std::vector<int> selected;
    bool imageClear = false, highlighted = false, textInHighlight = false;
    OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            // The rows whose top or bottom edge is drawn in the text's colour, the drag image put aside.
            Capture shot;
            const auto shows = [&](int y, int colour, int x = -4) {
                const DWORD pixel = shot.pixels[static_cast<std::size_t>(y * shot.width + shot.width + x)] & 0xFFFFFF;
                const DWORD c = GetSysColor(colour);
                return pixel == static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
            };
            const auto line = [&] {
                ImageList_DragShowNolock(FALSE);
                shot = CaptureClient(host, list);
                ImageList_DragShowNolock(TRUE);
                const auto drawn = [&](int y) { return shows(y, COLOR_WINDOWTEXT); };
                std::string found;
                for (int i = 0; i < 8; ++i) {
                    const RECT r = listview::ItemBounds(list, i);
                    // The inner of the line's two pixels: the focused row's focus frame may cover the outer one.
                    if (drawn(r.top + 1)) found += std::to_string(i) + " before";
                    if (drawn(r.bottom - 2)) found += std::to_string(i) + " after";
                }
                lines.push_back(found);
            };
            ShowWindow(dialog, SW_SHOW);  // as the modal loop would once it is idle
            line();
            SelectItems(list, {1});
            BeginDrag(dialog, list, 1);
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParam(ItemPoint(dialog, list, 3, false)));
            const Capture withImage = CaptureClient(host, list);
            line();
            // The drag image begins a row below the pointer: the line and the row beside it stay in sight.
            const auto firstChange =
                std::mismatch(shot.pixels.begin(), shot.pixels.end(), withImage.pixels.begin()).first;
            const auto imageTop = (firstChange - shot.pixels.begin()) / shot.width;
            imageClear =
                imageTop >= listview::ItemBounds(list, 3).bottom && imageTop < listview::ItemBounds(list, 4).bottom;
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParam(ItemPoint(dialog, list, 0, false)));
            line();
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParam(ItemPoint(dialog, list, 5, true)));
            line();
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc: the drag ends, the line goes
            line();
            BeginDrag(dialog, list, 1);
            SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParam(ItemPoint(dialog, list, 3, false)));
            SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 3, false)));
            line();

            SetFocus(GetDlgItem(dialog, KIRABO_REORDER_FIND));
            TypeKeys({'2'});  // filter 2, 12, 20 to 29
            focused.push_back(listview::FocusedItem(list));
            shot = CaptureClient(host, list);  // the box has the keyboard; filter 2 selected, filter 0 not
            const RECT first = listview::ItemBounds(list, 0), second = listview::ItemBounds(list, 1);
            highlighted = shows(second.top + 4, COLOR_HIGHLIGHT) && shows(first.top + 4, COLOR_WINDOW);
            for (int y = second.top; y < second.bottom; ++y) {  // フィルタ, in the kind column
                for (int x = -160; x < -96; ++x) textInHighlight = textInHighlight || shows(y, COLOR_HIGHLIGHTTEXT, x);
            }
            for (WORD key : {VK_DOWN, VK_F3, VK_UP}) {
                TypeKeys({key});
                focused.push_back(listview::FocusedItem(list));
            }
            TypeKeys({VK_F3}, VK_SHIFT);
            focused.push_back(listview::FocusedItem(list));
            TypeKeys({VK_UP});  // before the first: the last
            focused.push_back(listview::FocusedItem(list));
            selected = listview::SelectedItems(list);
            TypeKeys({VK_BACK, '0'});  // filter 0 at the top, 10, 20, going round to the top
            TypeKeys({VK_DOWN, VK_DOWN, VK_DOWN});
            focused.push_back(listview::FocusedItem(list));
        },
        IDCANCEL);
    CHECK(lines == std::vector<std::string>{"", "3 after", "0 after", "5 before", "", ""});
    // filter 1 was dropped after filter 3: filter 2 stands at 1, filter 12 at 12.
    CHECK(focused == std::vector<int>{1, 12, 20, 12, 1, 29, 0});
    CHECK(selected.size() == 12);  // every match stays selected
    CHECK(imageClear);
    CHECK((highlighted && textInHighlight));
}

TEST_CASE(
    "a drag held by the real mouse just inside the list's bottom edge reaches the end of 5,000 rows in under 10 s") {
    Host host;
    REQUIRE(host.Start(TestOptions(emulator::ManyFilters(5000, "filter ", 1))));
    int lastShown = 0;
    DWORD took = 0;
    OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            ShowWindow(dialog, SW_SHOW);
            SelectItems(list, {0});
            BeginDrag(dialog, list, 0);
            RECT client = {};
            GetClientRect(list, &client);
            POINT edge = {client.right / 2, client.bottom - 5};  // within the margin, inside the list
            ClientToScreen(list, &edge);
            INPUT move = {};
            move.type = INPUT_MOUSE;
            move.mi.dx = edge.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
            move.mi.dy = edge.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
            move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            SendInput(1, &move, sizeof move);
            const DWORD start = GetTickCount();
            const auto shown = [&] {
                return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0) +
                                        SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
            };
            while (shown() < 5000 && GetTickCount() - start < 15000) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                host.Pump();
            }
            took = GetTickCount() - start;
            lastShown = shown();
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc: the drag ends where it started
        },
        IDCANCEL);
    CHECK(lastShown >= 5000);
    CHECK(took < 10000);
    std::printf("auto-scroll through 5,000 rows: %lu ms\n", took);
}

// Menu mode, were the dialog put in it, would hold every key after the Alt: Esc at intervals ends it.
void CALLBACK EndMenuMode(HWND, UINT, UINT_PTR, DWORD) { keybd_event(VK_ESCAPE, 0, 0, 0); }

TEST_CASE(
    "Alt+Up on the real keyboard, Alt let go first, then Down, then Esc: the row moves once, the focus once, Esc closes the dialog") {
    Host host;
    REQUIRE(host.Start(TestOptions(SixRows())));
    int focused = -1;
    bool closed = false;
    const Opened opened = OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            SelectItems(list, {2});
            listview::SetItemState(list, 2, LVIS_FOCUSED, LVIS_FOCUSED);
            const UINT_PTR watchdog = SetTimer(nullptr, 0, 1000, EndMenuMode);
            for (auto [key, up] :
                 {std::pair{VK_MENU, 0}, {VK_UP, 0}, {VK_MENU, KEYEVENTF_KEYUP}, {VK_UP, KEYEVENTF_KEYUP}}) {
                keybd_event(static_cast<BYTE>(key), 0, static_cast<DWORD>(up), 0);
            }
            TypeKeys({VK_DOWN});
            focused = listview::FocusedItem(list);
            TypeKeys({VK_ESCAPE});
            KillTimer(nullptr, watchdog);
            closed = IsWindowEnabled(GetWindow(dialog, GW_OWNER)) != FALSE;  // EndDialog gives the palette back
        },
        IDCANCEL);
    CHECK(Texts(opened.atClose) == "ACBDEF");
    CHECK((focused == 2 && closed));
}

TEST_CASE(
    "a group made with Ctrl+G on the real keyboard, named in place, drawn bold, its first heading kept by Delete with a "
    "tip saying why, is stored at exit and is a tab at the next start, the 列 items greyed") {
    Host host;
    host.store = {{"Column", "1"}};
    REQUIRE(host.Start(TestOptions(SixRows())));
    char editing[16] = {};
    OpenReorder(
        host,
        [&](HWND dialog, HWND list) {
            listview::SetItemState(list, 3, LVIS_FOCUSED, LVIS_FOCUSED);
            TypeKeys({'G'}, VK_CONTROL);
            GetClassNameA(GetFocus(), editing, sizeof editing);
            TypeKeys({'C', 'O', 'L', VK_RETURN});
            const auto drawnWeight = [&](DWORD_PTR item) {  // of the font the custom draw selects
                HDC dc = CreateCompatibleDC(nullptr);
                NMLVCUSTOMDRAW draw = {};
                draw.nmcd = {{list, KIRABO_REORDER_LIST, NM_CUSTOMDRAW}, CDDS_ITEMPREPAINT, dc, {}, item, 0, 0};
                SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
                SendMessageA(dialog, WM_NOTIFY, KIRABO_REORDER_LIST, reinterpret_cast<LPARAM>(&draw));
                LOGFONTA face = {};
                GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof face, &face);
                DeleteDC(dc);
                return face.lfWeight;
            };
            CHECK((drawnWeight(0) == FW_BOLD && drawnWeight(1) < FW_BOLD));  // グループ 1, then A
            TypeKeys({VK_HOME, VK_DELETE});  // グループ 1 alone selected: it stays while col does
            char tip[128] = {};
            TOOLINFOA tool = {sizeof tool, 0, dialog, reinterpret_cast<UINT_PTR>(list), {}, nullptr, tip, 0, nullptr};
            for (HWND t = nullptr; (t = FindWindowExA(nullptr, t, TOOLTIPS_CLASSA, nullptr));)
                if (IsWindowVisible(t)) SendMessageA(t, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
            CHECK(std::string(tip) == "最初の見出しは、ほかの見出しがある間は消せません。");
        },
        IDOK);
    CHECK(std::string(editing) == "Edit");
    host.Exit();
    CHECK(host.store["GroupSize"] == "2");  // the rows above it named too
    CHECK((host.store["GroupName0"] == "グループ 1" && host.store["GroupFirst0"] == "0"));
    CHECK((host.store["GroupName1"] == "col" && host.store["GroupFirst1"] == "3"));
    Host again;
    again.store = host.store;
    again.store["Tab"] = "1";
    REQUIRE(again.Start(TestOptions(SixRows())));
    HWND tabs = GetDlgItem(again.paletteWindow(), KIRABO_COLUMN_TABS);
    std::vector<std::string> labels;
    for (int i = 0; i < SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
        char text[80] = {};
        TCITEMA item = {TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        labels.push_back(text);
    }
    CHECK(labels == std::vector<std::string>{"グループ 1", "col"});
    CHECK((GetMenuState(GetMenu(again.paletteWindow()), KIRABO_CMD_TWO_COLUMNS, MF_BYCOMMAND) & MF_GRAYED) != 0);
}
