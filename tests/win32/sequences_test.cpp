// Any sequence of events leaves the palette's real controls as a palette started afresh in the same
// state shows them, and always as a user expects to see them: no two controls on top of each other,
// every row whole above the tab page's border, the thumbs saying which rows show, the marks the
// host's, the mark of a find on screen behind its row. One table of sequences, one check.
#include <doctest/doctest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include "Support.h"
#include "palette/CommandRouting.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

constexpr char kPrefix[] = "filter ";

struct Step {
    enum Kind { Command, Type, Key, Wheel, Thumb, Size, Reorder } kind;
    int value = 0;
    const char* text = "";
};
Step Cmd(int id) { return {Step::Command, id}; }
Step Type(const char* text) { return {Step::Type, 0, text}; }
Step Key(int key) { return {Step::Key, key}; }
Step WheelDown(int notches) { return {Step::Wheel, notches}; }
Step Thumb(int position) { return {Step::Thumb, position}; }
Step Grow(int pixels) { return {Step::Size, pixels}; }
// Row 0 moved to the end and row 1 unchecked, in the reorder dialog.
Step Reorder() { return {Step::Reorder}; }

std::vector<Step> Then(std::vector<Step> steps, int times, const Step& step) {
    steps.insert(steps.end(), static_cast<std::size_t>(times), step);
    return steps;
}

std::vector<Step> Join(std::vector<Step> first, const std::vector<Step>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The filters in the palette's order: as the host made them, or as Reorder() left them.
std::vector<int> Order(int filters, bool reordered) {
    std::vector<int> order;
    for (int n = reordered ? 2 : 0; n < filters; ++n) order.push_back(n);
    if (reordered) order.push_back(0);
    return order;
}

int ColumnsChecked(HWND palette) {
    for (int columns = 1; columns <= 4; ++columns) {
        if (GetMenuState(GetMenu(palette), KIRABO_CMD_ONE_COLUMN + static_cast<UINT>(columns) - 1, MF_BYCOMMAND) & MF_CHECKED) {
            return columns;
        }
    }
    return 1;
}

// Keys, the wheel and the bars make no window once the controls cover the screen.
bool Cheap(const Step& step) { return step.kind == Step::Type || step.kind == Step::Wheel || step.kind == Step::Thumb; }

void Do(Host& host, const Step& step) {
    HWND palette = host.paletteWindow();
    switch (step.kind) {
        case Step::Command:
            if (step.value == KIRABO_CMD_RESET_ORDER) AnswerNextMessageBox(IDYES);
            host.SendToPalette(WM_COMMAND, static_cast<WPARAM>(step.value), 0);
            break;
        case Step::Type:
            SetWindowTextA(GetDlgItem(palette, KIRABO_FIND_BOX), step.text);
            break;
        case Step::Key:
            SendMessageA(GetDlgItem(palette, KIRABO_FIND_BOX), WM_KEYDOWN, static_cast<WPARAM>(step.value), 0);
            break;
        case Step::Wheel:
            host.SendToPalette(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * step.value)), 0);
            break;
        case Step::Thumb:
            host.SendToPalette(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, step.value), 0);
            break;
        case Step::Size: {
            RECT r = {};
            GetWindowRect(palette, &r);
            host.SendToPalette(WM_ENTERSIZEMOVE, 0, 0);
            SetWindowPos(palette, nullptr, 0, 0, r.right - r.left + step.value, r.bottom - r.top + step.value,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            host.SendToPalette(WM_EXITSIZEMOVE, 0, 0);
            break;
        }
        case Step::Reorder:
            RunInNextDialog([](HWND dialog) {
                HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
                SelectItems(list, {0});
                SendMessageA(list, WM_SYSKEYDOWN, VK_END, 1 | (1 << 29));
                listview::SetChecked(list, 1, false);
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            });
            host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
            break;
    }
    host.Pump();
}

RECT ClientRectOf(HWND child, HWND parent) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

std::vector<Child> Visible(HWND palette) {
    std::vector<Child> shown;
    for (const Child& c : Children(palette)) {
        if (IsWindowVisible(c.hwnd)) shown.push_back(c);
    }
    return shown;
}

// Everything the user sees of the palette, a line each: the controls, the bars, the window's size.
std::string Screen(HWND palette) {
    std::ostringstream out;
    for (const Child& c : Visible(palette)) {
        out << c.id << " " << c.className << " '" << c.text << "' " << Describe(c.rect) << " style " << std::hex
            << c.style << std::dec;
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

bool RowControl(int id) { return id < KIRABO_COLUMN_TABS || id >= static_cast<int>(kLongIdBase); }

// What must hold of any palette, whatever led to it.
void CheckSound(Host& host, const std::vector<int>& order) {
    HWND palette = host.paletteWindow();
    const int columns = ColumnsChecked(palette);
    const std::vector<Child> shown = Visible(palette);
    RECT client = {};
    GetClientRect(palette, &client);
    HWND tabs = GetDlgItem(palette, KIRABO_COLUMN_TABS);
    const bool tabMode = tabs && IsWindowVisible(tabs);
    RECT page = tabMode ? ClientRectOf(tabs, palette) : client;
    if (tabMode) SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    if (tabMode) CHECK(GetWindow(tabs, GW_HWNDNEXT) == nullptr);  // under every row, which it would paint over
    HWND box = GetDlgItem(palette, KIRABO_FIND_BOX);
    const std::string typed = box ? WindowText(box) : std::string();
    std::vector<int> matches;  // the filters the palette shows, in order
    for (int n : order) {
        if ((std::string(kPrefix) + std::to_string(n)).find(typed) != std::string::npos) matches.push_back(n);
    }
    const int perColumn = (static_cast<int>(matches.size()) + columns - 1) / std::max(columns, 1);
    const Child* topLeft = nullptr;
    for (const Child& c : shown) {
        CAPTURE(c.text);
        const bool row = RowControl(c.id);
        if (row && tabMode) CHECK(c.rect.bottom <= page.bottom);  // whole above the tab page's border
        if (row && tabMode) CHECK(c.rect.top >= page.top);
        if (row) CHECK(c.rect.bottom <= client.bottom);
        for (const Child& d : shown) {
            if (c.hwnd == d.hwnd || c.id == KIRABO_FIND_MARK || d.id == KIRABO_FIND_MARK) continue;
            // The rows stand on the tab page.
            if ((row && d.id == KIRABO_COLUMN_TABS) || (c.id == KIRABO_COLUMN_TABS && RowControl(d.id))) continue;
            CAPTURE(d.text);
            CHECK_FALSE(Overlap(c.rect, d.rect));
        }
        if (c.text.rfind(kPrefix, 0) != 0) continue;
        const UINT state = GetMenuState(host.menuBar(), 1000 + std::stoi(c.text.substr(sizeof kPrefix - 1)), MF_BYCOMMAND);
        CHECK(SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == ((state & MF_CHECKED) ? BST_CHECKED : BST_UNCHECKED));
        if (!topLeft || c.rect.top < topLeft->rect.top || (c.rect.top == topLeft->rect.top && c.rect.left < topLeft->rect.left)) {
            topLeft = &c;
        }
    }
    // The thumbs say which row stands at the top left.
    SCROLLINFO vertical = {sizeof vertical, SIF_POS, 0, 0, 0, 0, 0}, horizontal = vertical;
    if (GetWindowLongA(palette, GWL_STYLE) & WS_VSCROLL) GetScrollInfo(palette, SB_VERT, &vertical);
    if (GetWindowLongA(palette, GWL_STYLE) & WS_HSCROLL) GetScrollInfo(palette, SB_HORZ, &horizontal);
    const int column = tabMode ? static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) : horizontal.nPos;
    const std::size_t first = static_cast<std::size_t>(column * perColumn + vertical.nPos);
    if (topLeft && first < matches.size()) {
        CHECK(topLeft->text == std::string(kPrefix) + std::to_string(matches[first]));
    }
    // A find with matches shows its mark, behind the marked row's controls.
    HWND mark = GetDlgItem(palette, KIRABO_FIND_MARK);
    if (box && !matches.empty()) {
        REQUIRE((mark && IsWindowVisible(mark)));
        const RECT around = ClientRectOf(mark, palette);
        int covered = 0;
        for (HWND above = GetWindow(mark, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
            if (IsWindowVisible(above) && Overlap(ClientRectOf(above, palette), around)) ++covered;
        }
        CHECK(covered >= 1);
    }
}

std::set<HWND> Windows(HWND palette) {
    std::set<HWND> windows;
    for (const Child& c : Children(palette)) windows.insert(c.hwnd);
    return windows;
}

struct Sequence {
    const char* what;
    int filters, columns;
    bool tabs;
    std::vector<Step> steps;
    std::vector<Step> fresh;  // what brings a palette started on the stored settings to the same state
    bool reordered = false;
};

}  // namespace

TEST_CASE("any sequence of events leaves the palette as a fresh one in the same state, and sound") {
    const std::vector<Step> findOne = {Cmd(KIRABO_CMD_FIND), Type("1")};
    const std::vector<Step> intoColumnTwo = Then(findOne, 70, Key(VK_DOWN));
    const std::vector<Step> pastTheScreen = Then(Then(findOne, 45, Key(VK_DOWN)), 1, Key(VK_UP));
    const Sequence sequences[] = {
        {"find opened, typed, emptied and closed on a palette scrolled down", 300, 1, false,
         {Thumb(100), Cmd(KIRABO_CMD_FIND), Type("1"), Type("12"), Type(""), Key(VK_ESCAPE)}, {Thumb(100)}},
        {"typed into on a palette scrolled down: the first matches in view", 300, 1, false,
         {Thumb(100), Cmd(KIRABO_CMD_FIND), Type("2"), Type("12")}, {Cmd(KIRABO_CMD_FIND), Type("12")}},
        {"↓ into the next column of a palette the user made narrow: the columns scroll to the mark", 1000, 4, false,
         Join({Grow(-500)}, intoColumnTwo), intoColumnTwo},
        {"↓ far past the screen's rows, then ↑: the thumb follows the mark", 300, 1, false, pastTheScreen, pastTheScreen},
        {"1列 and a reset while a find is open, then closed: every row has its controls", 300, 2, false,
         {Cmd(KIRABO_CMD_FIND), Type("3"), Cmd(KIRABO_CMD_ONE_COLUMN), Key(VK_ESCAPE), Cmd(KIRABO_CMD_FIND), Type("1"),
          Cmd(KIRABO_CMD_RESET_ORDER), Key(VK_ESCAPE)},
         {}},
        {"tab mode scrolled to its end, a find open: the tabs below the box, no row over the page's border", 300, 2, true,
         {Thumb(1000), Cmd(KIRABO_CMD_FIND), Type("1")}, findOne},
        {"the wheel, the bars, 1列 to 4列 and tab mode in turns", 1000, 2, false,
         {WheelDown(5), Cmd(KIRABO_CMD_FOUR_COLUMNS), Thumb(30), Cmd(KIRABO_CMD_TAB_MODE), WheelDown(2),
          Cmd(KIRABO_CMD_TAB_MODE), Cmd(KIRABO_CMD_THREE_COLUMNS), WheelDown(1)},
         {Thumb(39)}},
        {"reordered and a row hidden, then made larger by the user", 300, 1, false, {Reorder(), Grow(60), Thumb(10)},
         {Thumb(10)}, true},
    };
    for (const Sequence& s : sequences) {
        const std::string what = s.what;
        CAPTURE(what);
        Host host;
        host.store = {{"Column", std::to_string(s.columns)}, {"Tab", s.tabs ? "1" : "0"}};
        REQUIRE(host.Start(TestOptions(emulator::ManyFilters(s.filters, kPrefix, 3))));
        bool findOpened = false;
        for (const Step& step : s.steps) {
            const std::set<HWND> before = Windows(host.paletteWindow());
            Do(host, step);
            if (Cheap(step) && findOpened) CHECK(Windows(host.paletteWindow()) == before);
            findOpened = findOpened || (step.kind == Step::Command && step.value == KIRABO_CMD_FIND);
        }
        const std::string reached = Screen(host.paletteWindow());
        CheckSound(host, Order(s.filters, s.reordered));
        host.Exit();
        CHECK((GetWindowLongA(host.paletteWindow(), GWL_STYLE) & WS_THICKFRAME) == 0);  // the host's window as it gave it

        Host fresh;
        fresh.store = host.store;
        REQUIRE(fresh.Start(TestOptions(emulator::ManyFilters(s.filters, kPrefix, 3))));
        for (const Step& step : s.fresh) Do(fresh, step);
        CHECK(Screen(fresh.paletteWindow()) == reached);
    }
}
