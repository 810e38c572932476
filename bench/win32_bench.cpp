// The plug-in's start-up and relayout at scale under Wine, beside a baseline that makes exactly
// the Win32 and host calls the behaviour prescribes for the same host and nothing else. The
// ratio is the plug-in's own computation. Prints one "name: value" line per figure.
// Usage: kirabo-win32-bench [--smoke]   (--smoke: one run of the smallest size)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Host.h"
#include "resources/ResourceIds.h"

#include <cstdlib>

using namespace kirabo;
using emulator::Host;
using emulator::HostOptions;
using emulator::Item;
using emulator::MenuBarText;
using emulator::Separator;

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// `filters` filters with a toggle and a settings item, and a display tool for every tenth.
MenuBarText Menus(int filters, const char* prefix = "フィルタ") {
    MenuBarText bar = emulator::ManyFilters(filters, prefix, 2);
    bar[5].items.push_back(Separator());
    for (int i = 0; i < filters / 10; ++i) {
        bar[5].items.push_back(Item(static_cast<UINT>(5000 + i), "ツール" + std::to_string(i) + "の表示"));
    }
    return bar;
}

// A host that did not come up would make every figure meaningless.
void Start(Host& host, const HostOptions& options) {
    if (!host.Start(options) || !host.paletteWindow()) {
        std::fprintf(stderr, "kirabo-win32-bench: the host emulator did not start\n");
        std::exit(1);
    }
}

HostOptions Options(int filters, const char* prefix = "フィルタ") {
    HostOptions options;
    options.menus = Menus(filters, prefix);
    options.initialise = false;
    options.showWindows = false;
    return options;
}

struct Row {
    std::string name;
    UINT toggle = 0;
    UINT settings = 0;
    bool tool = false;
    HWND main = nullptr;
    HWND button = nullptr;
};

// The calls of a first start, made directly: settings read, own menu, font, every caption read
// with the item count asked before every item, the tab control, the window sized within the work
// area, the controls of the rows in view created with their font and placed, and one GetMenuState
// per row in the mirroring.
struct Baseline {
    Host& host;
    std::vector<Row> rows;
    HFONT font = nullptr;
    HWND tabs = nullptr;

    void Mirror() {
        HMENU menu = GetMenu(host.mainWindow());
        for (const Row& row : rows) {
            const UINT state = GetMenuState(menu, row.toggle, MF_BYCOMMAND);
            SendMessageA(row.main, BM_SETCHECK, (state != UINT(-1) && (state & MF_CHECKED)) ? 1 : 0, 0);
        }
        HMENU own = GetMenu(host.paletteWindow());
        CheckMenuRadioItem(own, KIRABO_CMD_ONE_COLUMN, KIRABO_CMD_FOUR_COLUMNS, KIRABO_CMD_TWO_COLUMNS, MF_BYCOMMAND);
        CheckMenuItem(own, KIRABO_CMD_TAB_MODE, MF_BYCOMMAND | MF_UNCHECKED);
    }

    void Read(HMENU bar, int position, bool display) {
        HMENU menu = GetSubMenu(bar, position);
        int separators = 0;
        char caption[255];
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT id = GetMenuItemID(menu, i);
            if (id == 0 && ++separators == 2) break;
            if (display && separators == 0) continue;
            const int length = GetMenuStringA(menu, id, caption, sizeof caption, MF_BYCOMMAND);
            if (length <= 0) continue;
            std::string text(caption, static_cast<std::size_t>(std::min(length, 254)));
            if (position == 1) {
                rows.push_back({text, id, 0, false});
            } else if (position == 2) {
                rows[static_cast<std::size_t>(i)].settings = id;
            } else {
                rows.push_back({text.substr(0, text.size() - 6), 0, id, true});
            }
        }
    }

    void Init() {
        host::HostServices* services = host.record()->exfunc;
        host::FilterRecord* fp = host.record();
        for (const char* key : {"Column", "Tab", "SelColumn", "FilterSize"}) services->ini_load_int(fp, key, 0);
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        HWND palette = host.paletteWindow();
        SetMenu(palette, LoadMenuA(host.module(), MAKEINTRESOURCEA(KIRABO_MENU_PALETTE)));
        DrawMenuBar(palette);
        GetWindow(palette, GW_OWNER);
        font = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 2, 48, "ＭＳ Ｐゴシック");
        HMENU bar = GetMenu(host.mainWindow());
        Read(bar, 1, false);
        Read(bar, 2, false);
        Read(bar, 5, true);

        tabs = CreateWindowExA(0, WC_TABCONTROLA, "", 0x44000000, 9, 2, 100, 18, palette,
                               reinterpret_cast<HMENU>(KIRABO_COLUMN_TABS), host.module(), nullptr);
        SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        ShowWindow(tabs, SW_HIDE);
        Place(2);
        Mirror();
    }

    void Create(std::size_t i, int x, int y) {
        Row& row = rows[i];
        HWND palette = host.paletteWindow();
        row.main =
            CreateWindowExA(0, row.toggle ? "BUTTON" : "STATIC", row.name.c_str(), row.toggle ? 0x40000002 : 0x40000200,
                            x, y, 138, 17, palette, reinterpret_cast<HMENU>(i), host.module(), nullptr);
        SendMessageA(row.main, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        row.button = CreateWindowExA(0, "BUTTON", row.tool ? "表示" : "設定", 0x40000000, x + 138, y, 48, 17, palette,
                                     reinterpret_cast<HMENU>(i + 100), host.module(), nullptr);
        SendMessageA(row.button, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }

    // The window sized to the layout within the work area, its scroll bar set, and the rows in view
    // made and shown at their places; the rows of the last view that left it gone.
    void Place(int columns) {
        HWND palette = host.paletteWindow();
        GetSystemMetrics(SM_CYDLGFRAME);
        GetSystemMetrics(SM_CYSMCAPTION);
        const int perColumn = static_cast<int>((rows.size() + columns - 1) / static_cast<std::size_t>(columns));
        RECT frame = {}, item = {};
        GetWindowRect(palette, &frame);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(palette, MONITOR_DEFAULTTONEAREST), &monitor);
        GetMenuItemRect(palette, GetMenu(palette), 0, &item);
        GetMenuItemRect(palette, GetMenu(palette), 1, &item);
        const int height =
            std::min(5 + 18 * perColumn + 17 + 40, static_cast<int>(monitor.rcWork.bottom - monitor.rcWork.top));
        SetWindowPos(palette, HWND_TOP, 0, 0, 14 + 200 * columns, height, SWP_NOMOVE);
        RECT client = {};
        GetClientRect(palette, &client);
        SCROLLINFO info = {
            sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, perColumn - 1, static_cast<UINT>(client.bottom / 18), 0, 0};
        SetScrollInfo(palette, SB_VERT, &info, TRUE);
        GetClientRect(palette, &client);
        const int inView = std::min(perColumn, static_cast<int>(client.bottom) / 18 + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int column = static_cast<int>(i / static_cast<std::size_t>(perColumn));
            const int row = static_cast<int>(i % static_cast<std::size_t>(perColumn));
            if (row < inView) {
                const int x = 14 + column * 200, y = 5 + 18 * row;
                if (!rows[i].main) Create(i, x, y);
                SetWindowPos(rows[i].main, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
                SetWindowPos(rows[i].button, HWND_TOP, x + 138, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
            } else if (rows[i].main) {
                DestroyWindow(rows[i].main);
                DestroyWindow(rows[i].button);
                rows[i].main = rows[i].button = nullptr;
            }
        }
    }

    // A column change: the rows in view placed, those that left it hidden, the window sized, and
    // the two mirrorings the command prescribes (the layout's and the command's own).
    void Relayout(int columns) {
        Place(columns);
        Mirror();
        Mirror();
    }

    void Destroy() {
        for (Row& row : rows) {
            if (row.main) DestroyWindow(row.main);
            if (row.button) DestroyWindow(row.button);
        }
        DestroyWindow(tabs);
        DeleteObject(font);
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Kirabo's times and the baseline's, measured in pairs back to back.
struct Pair {
    std::vector<double> kirabo;
    std::vector<double> baseline;
};

// Kirabo and the baseline alternate, so that both see the same state of the machine.
Pair MeasureInit(int filters, int runs) {
    std::vector<double> kirabo, baseline;
    for (int run = 0; run < runs; ++run) {
        {
            Host host;
            Start(host, Options(filters));
            const double start = Now();
            host.record()->func_init(host.record());
            kirabo.push_back(Now() - start);
            host.Stop();
        }
        {
            Host host;
            Start(host, Options(filters));
            Baseline base{host, {}, nullptr, nullptr};
            const double start = Now();
            base.Init();
            baseline.push_back(Now() - start);
            base.Destroy();
            host.Stop();
        }
    }
    return {kirabo, baseline};
}

// Rounds of a few column changes each, Kirabo's and the baseline's in turn (ABAB...), each on a
// fresh host, so that drift of a shared machine hits both alike.
Pair MeasureRelayout(int filters, int rounds, int perRound) {
    std::vector<double> kirabo, baseline;
    for (int round = 0; round < rounds; ++round) {
        {
            Host host;
            Start(host, Options(filters));
            host.record()->func_init(host.record());
            for (int run = 0; run < perRound; ++run) {
                const double start = Now();
                host.SendToPalette(WM_COMMAND, run % 2 ? KIRABO_CMD_TWO_COLUMNS : KIRABO_CMD_ONE_COLUMN, 0);
                kirabo.push_back(Now() - start);
            }
            host.Stop();
        }
        {
            Host raw;
            Start(raw, Options(filters));
            Baseline base{raw, {}, nullptr, nullptr};
            base.Init();
            for (int run = 0; run < perRound; ++run) {
                const double start = Now();
                base.Relayout(run % 2 ? 2 : 1);  // both start in two columns: every run is a change
                baseline.push_back(Now() - start);
            }
            base.Destroy();
            raw.Stop();
        }
    }
    return {kirabo, baseline};
}

// One wheel step (three rows) at a time in one column, down and up again, the window as tall as the
// screen allows whatever the number of rows.
std::vector<double> MeasureWheelStep(int filters, int steps) {
    Host host;
    HostOptions options = Options(filters);
    options.showWindows = true;
    Start(host, options);
    host.store["Column"] = "1";
    host.record()->func_init(host.record());
    std::vector<double> times;
    for (int step = 0; step < steps; ++step) {
        const short delta = (step / 10) % 2 ? WHEEL_DELTA : -WHEEL_DELTA;  // ten down, ten up
        const double start = Now();
        host.SendToPalette(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        times.push_back(Now() - start);
    }
    host.Stop();
    return times;
}

// The reorder dialog from the command until it is up with every row in its list, at `filters` rows:
// a hook notes when the dialog is activated and cancels it.
double g_dialogUp = 0;
HHOOK g_dialogHook = nullptr;

LRESULT CALLBACK NoteDialog(int code, WPARAM wParam, LPARAM lParam) {
    char name[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        std::strcmp(name, "#32770") == 0 && g_dialogUp == 0) {
        g_dialogUp = Now();
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(g_dialogHook, code, wParam, lParam);
}

// The host's filters stored in its order, cut into `groups` of the user's groups of as many rows each.
void StoreOrderInGroups(Host& host, int filters, int groups) {
    host.store["FilterSize"] = std::to_string(filters);
    for (int i = 0; i < filters; ++i) {
        const std::string n = std::to_string(i);
        host.store.insert({{"FilterName" + n, "フィルタ" + n}, {"FilterType" + n, "1"}});
    }
    for (int g = 0; g < groups; ++g) {
        const std::string n = std::to_string(g);
        host.store.insert(
            {{"GroupName" + n, "グループ" + n}, {"GroupFirst" + n, std::to_string(g * filters / groups)}});
    }
    if (groups > 0) host.store["GroupSize"] = std::to_string(groups);
}

// The dialog opened on the palette's rows in 50 groups.
std::vector<double> MeasureReorderOpen(int filters, int runs) {
    Host host;
    HostOptions options = Options(filters);
    options.showWindows = true;
    Start(host, options);
    StoreOrderInGroups(host, filters, 50);
    host.record()->func_init(host.record());
    std::vector<double> times;
    g_dialogHook = SetWindowsHookExA(WH_CBT, NoteDialog, nullptr, GetCurrentThreadId());
    for (int run = 0; run < runs; ++run) {
        g_dialogUp = 0;
        const double start = Now();
        host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
        times.push_back(g_dialogUp - start);
    }
    UnhookWindowsHookEx(g_dialogHook);
    host.Stop();
    return times;
}

// Inside the reorder dialog at `filters` rows (1,000 or more) cut into 50 groups of as many rows
// each, in rounds: a character typed into its find box and taken away again, until the list has
// repainted ("フィルタ7" selects 111 rows, "フィルタ79" 11, at any size), and Alt+Home on 500 items
// selected across the list, each timed; the dialog is cancelled after.
struct DialogActions {
    std::vector<double> keys, moves;
};
DialogActions g_actions;
int g_actionRounds = 0;

void CALLBACK MeasureInDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    HWND box = GetDlgItem(dialog, KIRABO_REORDER_FIND);
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int group = 0; group < 50; ++group) {  // each heading made above the rows it heads
        LVITEMA focus = {};
        focus.stateMask = focus.state = LVIS_FOCUSED;
        const auto at = static_cast<WPARAM>(group * rows / 50 + group);
        SendMessageA(list, LVM_SETITEMSTATE, at, reinterpret_cast<LPARAM>(&focus));
        SendMessageA(dialog, WM_COMMAND, KIRABO_REORDER_GROUP, 0);
    }
    SetFocus(list);  // the last heading keeps its name
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int round = 0; round < g_actionRounds; ++round) {
        SetWindowTextA(box, "フィルタ7");
        UpdateWindow(list);
        for (const char* typed : {"フィルタ79", "フィルタ7"}) {
            const double start = Now();
            SetWindowTextA(box, typed);
            UpdateWindow(list);
            g_actions.keys.push_back(Now() - start);
        }
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        item.state = LVIS_SELECTED;
        for (int i = 0; i < 500; ++i) {
            SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(i * count / 500), reinterpret_cast<LPARAM>(&item));
        }
        UpdateWindow(list);
        const double start = Now();
        SendMessageA(list, WM_SYSKEYDOWN, VK_HOME, 1 | (1 << 29));  // Alt held
        UpdateWindow(list);
        g_actions.moves.push_back(Now() - start);
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

DialogActions MeasureDialogActions(int filters, int rounds) {
    Host host;
    HostOptions options = Options(filters);
    options.showWindows = true;
    Start(host, options);
    host.record()->func_init(host.record());
    g_actions = {};
    g_actionRounds = rounds;
    SetTimer(nullptr, 0, 0, MeasureInDialog);  // runs in the dialog's modal loop, once it is up
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    host.Stop();
    return g_actions;
}

// A palette of `filters` in so many columns, shown, its find box open: the box.
HWND StartWithFindOpen(Host& host, int filters, const char* columns, bool learned = false,
                       const char* prefix = "フィルタ") {
    HostOptions options = Options(filters, prefix);
    options.showWindows = true;
    Start(host, options);
    host.store["Column"] = columns;
    // What a heavy user's find has learned: 200 picks, a count for every row and words for every row.
    for (int i = 0; learned && i < filters; ++i) {
        const std::string n = std::to_string(i), name = "フィルタ" + n;
        if (i < 200) {
            host.store.insert({{"PickText" + n, "9" + n}, {"PickName" + n, name}, {"PickType" + n, "1"}});
        }
        host.store.insert({{"UseName" + n, name},
                           {"UseType" + n, "1"},
                           {"UseCount" + n, "100"},
                           {"UseDay" + n, "20000"},
                           {"WordsName" + n, name},
                           {"WordsType" + n, "1"},
                           {"Words" + n, "word" + n + " more"}});
    }
    if (learned) {
        host.store.insert(
            {{"PickSize", "200"}, {"UseSize", std::to_string(filters)}, {"WordsSize", std::to_string(filters)}});
    }
    host.record()->func_init(host.record());
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_FIND, 0);
    return GetDlgItem(host.paletteWindow(), KIRABO_FIND_BOX);
}

// One more character typed into the find box, until the palette has repainted its matches: the
// box filled a character at a time ("1", "12", "123"), then emptied again, unmeasured.
std::vector<double> MeasureFindNarrow(int filters, int rounds) {
    Host host;
    HWND box = StartWithFindOpen(host, filters, "2");
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        for (const char* typed : {"1", "12", "123"}) {
            const double start = Now();
            SetWindowTextA(box, typed);
            UpdateWindow(host.paletteWindow());
            times.push_back(Now() - start);
        }
        SetWindowTextA(box, "");
        host.Pump();
    }
    host.Stop();
    return times;
}

// Each text put into the box until the palette has repainted its matches (from an empty box, when
// `fromEmpty`: its emptying not measured): the sum.
double TimeTyping(Host& host, HWND box, std::initializer_list<const char*> texts, bool fromEmpty) {
    double total = 0;
    for (const char* text : texts) {
        if (fromEmpty) {
            SetWindowTextA(box, "");
            host.Pump();
            UpdateWindow(host.paletteWindow());
        }
        const double start = Now();
        SetWindowTextA(box, text);
        UpdateWindow(host.paletteWindow());
        total += Now() - start;
    }
    return total;
}

// The same matches typed in romaji and in kana, each from an empty box, until the palette has
// repainted them: the romaji text's time over the kana text's, paired round by round.
std::vector<double> MeasureRomajiOverKana(int filters, int rounds) {
    Host host;
    HWND box = StartWithFindOpen(host, filters, "4");
    const auto typed = [&](const char* text) { return TimeTyping(host, box, {text}, true); };
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) ratios.push_back(typed("firuta 1") / typed("フィルタ 1"));
    host.Stop();
    return ratios;
}

// A word typed in romaji among names in kanji (色調補正0, 1, ...) over the same in kana among names
// in kana of the same width (シキホセ0, 1, ...), each from an empty box until the palette has
// repainted the same matches: 5 of each a round, one plug-in at a time, paired round by round.
std::vector<double> MeasureReadingOverKana(int filters, int rounds) {
    const auto typed = [filters](const char* prefix, const char* text) {
        Host host;
        HWND box = StartWithFindOpen(host, filters, "4", false, prefix);
        const double total = TimeTyping(host, box, {text, text, text, text, text}, true);
        host.Stop();
        return total;
    };
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        ratios.push_back(typed("色調補正", "shikichouhosei 1") / typed("シキホセ", "シキホセ 1"));
    }
    return ratios;
}

// Characters typed at 5,000 filters (as in MeasureFindNarrow) into the find box of a palette whose
// find has learned much, over the same into one that has learned nothing, paired round by round
// (one plug-in at a time: its state is the process's).
std::vector<double> MeasureLearnedOverPlain(int filters, int rounds) {
    const auto typed = [filters](bool learned) {
        Host host;
        HWND box = StartWithFindOpen(host, filters, "2", learned);
        const double total = TimeTyping(host, box, {"1", "12", "123", "", "1", "12", "123", ""}, false);
        host.Stop();
        return total;
    };
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) ratios.push_back(typed(true) / typed(false));
    return ratios;
}

// Relayouts of a palette whose rows stand in 200 of the user's groups (a heading above each), over
// the same palette without groups: both from the same stored order, in turns.
std::vector<double> MeasureGroupsOverPlain(int filters, int rounds) {
    const auto relayouts = [filters](bool grouped) {
        Host host;
        Start(host, Options(filters));
        StoreOrderInGroups(host, filters, grouped ? 200 : 0);
        host.record()->func_init(host.record());
        double total = 0;
        for (int run = 0; run < 4; ++run) {
            const double start = Now();
            host.SendToPalette(WM_COMMAND, run % 2 ? KIRABO_CMD_TWO_COLUMNS : KIRABO_CMD_ONE_COLUMN, 0);
            total += Now() - start;
        }
        host.Stop();
        return total;
    };
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) ratios.push_back(relayouts(true) / relayouts(false));
    return ratios;
}

int ChildCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

// Every message waiting handled, the find box's merged answer included.
void Settle(Host& host) {
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!GetQueueStatus(QS_ALLINPUT | QS_TIMER)) return;
        host.Pump();
    }
}

bool NothingToPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!NothingToPaint(child)) return false;
    }
    return true;
}

// Every message waiting handled, until no window of the palette has anything left to paint: what
// the user sees is the last frame, whole.
void SettlePainted(Host& host) {
    do {
        Settle(host);
    } while (!NothingToPaint(host.paletteWindow()));
}

// At 5,000 filters in four columns with the find box open: a character typed (or deleted) beside a
// wheel step of the same palette, in rounds, each until the palette is painted; and the windows
// either made.
struct KeyAndWheel {
    std::vector<double> ratios, keys, wheels;
    int windowsMade = 0;
};

KeyAndWheel MeasureFindKeyOverWheel(int filters, int rounds) {
    Host host;
    HWND box = StartWithFindOpen(host, filters, "4");
    HWND palette = host.paletteWindow();
    // A first round, unmeasured: the controls then cover every screen the rounds show.
    KeyAndWheel result;
    int windowsBefore = 0;
    for (int round = -1; round < rounds; ++round) {
        if (round == 0) {
            Settle(host);
            windowsBefore = ChildCount(palette);
        }
        std::vector<double> keys, wheels;
        for (char typed : {'1', '2', '3', '\b', '\b', '\b'}) {
            const double start = Now();
            SendMessageA(box, WM_CHAR, static_cast<WPARAM>(typed), 1);
            SettlePainted(host);
            keys.push_back(Now() - start);
        }
        for (short delta : {-WHEEL_DELTA, -WHEEL_DELTA, WHEEL_DELTA, WHEEL_DELTA}) {
            const double start = Now();
            host.SendToPalette(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
            SettlePainted(host);
            wheels.push_back(Now() - start);
        }
        if (round < 0) continue;
        result.keys.push_back(Median(keys));
        result.wheels.push_back(Median(wheels));
        result.ratios.push_back(result.keys.back() / result.wheels.back());
    }
    result.windowsMade = ChildCount(palette) - windowsBefore;
    host.Stop();
    return result;
}

// Four characters typed 60 ms apart into the find box, as the keyboard sends them: from the last
// key until the palette shows the final list, painted.
double MeasureFindBurst(int filters) {
    Host host;
    HWND box = StartWithFindOpen(host, filters, "4");
    HWND palette = host.paletteWindow();
    double last = 0;
    for (char key : {'4', '3', '2', '1'}) {
        last = Now();
        PostMessageA(box, WM_CHAR, static_cast<WPARAM>(key), 1);
        while (Now() - last < 60) Settle(host);
    }
    int matches = 0;
    for (int i = 0; i < filters; ++i) matches += std::to_string(i).find("4321") != std::string::npos ? 1 : 0;
    const std::string expected = std::to_string(matches) + "件";
    char count[16] = {};
    // A palette that never shows it fails the goal, after 10 s.
    while (Now() - last < 10000) {
        GetWindowTextA(GetDlgItem(palette, KIRABO_FIND_COUNT), count, sizeof count);
        if (expected == count && NothingToPaint(palette)) break;
        Settle(host);
    }
    const double settled = Now() - last;
    host.Stop();
    return settled;
}

// The goal figure is the median of the ratios of the pairs: drift of the machine cancels within a
// pair, and one lucky run counts once. The ratios of the best times and of the medians stand beside.
void PrintPair(const char* what, int size, const Pair& pair) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < pair.kirabo.size(); ++i) ratios.push_back(pair.kirabo[i] / pair.baseline[i]);
    const double best = *std::min_element(pair.kirabo.begin(), pair.kirabo.end());
    const double baseBest = *std::min_element(pair.baseline.begin(), pair.baseline.end());
    std::printf("%s_ms_%d_best: %.2f\n%s_ms_%d_median: %.2f\n", what, size, best, what, size, Median(pair.kirabo));
    std::printf("%s_baseline_ms_%d_best: %.2f\n%s_baseline_ms_%d_median: %.2f\n", what, size, baseBest, what, size,
                Median(pair.baseline));
    std::printf("%s_overhead_ratio_%d: %.3f\n", what, size, Median(ratios));
    std::printf("%s_overhead_ratio_%d_best: %.3f\n%s_overhead_ratio_%d_medians: %.3f\n", what, size, best / baseBest,
                what, size, Median(pair.kirabo) / Median(pair.baseline));
}

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    const int runs = smoke ? 1 : 9;
    std::vector<int> sizes = {100, 500, 1000};
    if (smoke) sizes = {100};
    for (int filters : sizes) PrintPair("init", filters, MeasureInit(filters, runs));
    const int relayoutRows = smoke ? 100 : 1000;
    PrintPair("relayout", relayoutRows, MeasureRelayout(relayoutRows, smoke ? 1 : 7, smoke ? 2 : 3));
    std::printf("relayout_groups_over_plain_%d: %.2f\n", relayoutRows,
                Median(MeasureGroupsOverPlain(relayoutRows, smoke ? 1 : 7)));
    // The two sizes in turns, the goal figure the median of the paired ratios: a slow minute of the
    // machine hits both sizes of a pair alike.
    const int steps = smoke ? 20 : 100;
    std::vector<double> step100, step1000, stepRatios;
    for (int round = 0; round < (smoke ? 1 : 5); ++round) {
        step100.push_back(Median(MeasureWheelStep(100, steps)));
        if (smoke) break;
        step1000.push_back(Median(MeasureWheelStep(1000, steps)));
        stepRatios.push_back(step1000.back() / step100.back());
    }
    std::printf("scroll_step_ms_100: %.3f\n", Median(step100));
    if (!smoke) {
        std::printf("scroll_step_ms_1000: %.3f\nscroll_step_growth_1000_over_100: %.2f\n", Median(step1000),
                    Median(stepRatios));
    }
    const int opens = smoke ? 1 : 5;
    const double open1000 = Median(MeasureReorderOpen(smoke ? 100 : 1000, opens));
    std::printf("reorder_open_ms_%d: %.1f\n", smoke ? 100 : 1000, open1000);
    if (!smoke) {
        const double open5000 = Median(MeasureReorderOpen(5000, opens));
        std::printf("reorder_open_ms_5000: %.1f\nreorder_open_growth_5000_over_1000: %.2f\n", open5000,
                    open5000 / open1000);
    }
    const int dialogRounds = smoke ? 1 : 10;
    const DialogActions small = MeasureDialogActions(1000, dialogRounds);
    std::printf("dialog_find_key_ms_1000: %.1f\ndialog_move_ms_1000: %.1f\n", Median(small.keys), Median(small.moves));
    if (!smoke) {
        const DialogActions large = MeasureDialogActions(5000, dialogRounds);
        std::printf("dialog_find_key_ms_5000: %.1f\ndialog_move_ms_5000: %.1f\n", Median(large.keys),
                    Median(large.moves));
        std::printf("dialog_find_key_growth_5000_over_1000: %.2f\ndialog_move_growth_5000_over_1000: %.2f\n",
                    Median(large.keys) / Median(small.keys), Median(large.moves) / Median(small.moves));
    }
    const int findRounds = smoke ? 2 : 30;
    const double find300 = Median(MeasureFindNarrow(300, findRounds));
    std::printf("find_narrow_ms_300: %.3f\n", find300);
    if (!smoke) {
        const double find5000 = Median(MeasureFindNarrow(5000, findRounds));
        std::printf("find_narrow_ms_5000: %.3f\nfind_growth_5000_over_300: %.2f\n", find5000, find5000 / find300);
    }
    const int keyFilters = smoke ? 300 : 5000;
    const KeyAndWheel keyAndWheel = MeasureFindKeyOverWheel(keyFilters, smoke ? 1 : 15);
    std::printf("find_key_ms_%d: %.3f\nwheel_step_find_open_ms_%d: %.3f\nfind_key_painted_over_wheel_%d: %.2f\n",
                keyFilters, Median(keyAndWheel.keys), keyFilters, Median(keyAndWheel.wheels), keyFilters,
                Median(keyAndWheel.ratios));
    std::printf("find_windows_made_%d: %d\n", keyFilters, keyAndWheel.windowsMade);
    std::printf("find_romaji_over_kana_%d: %.2f\n", keyFilters,
                Median(MeasureRomajiOverKana(keyFilters, smoke ? 1 : 15)));
    std::printf("find_reading_over_kana_%d: %.2f\n", keyFilters,
                Median(MeasureReadingOverKana(keyFilters, smoke ? 1 : 7)));
    std::printf("find_burst_settle_ms_%d: %.1f\n", keyFilters, MeasureFindBurst(keyFilters));
    std::printf("find_learned_over_plain_%d: %.2f\n", keyFilters,
                Median(MeasureLearnedOverPlain(keyFilters, smoke ? 1 : 7)));
    std::fflush(stdout);
    return 0;
}
