#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <functional>

#include "FakeMenus.h"
#include "MemoryStore.h"
#include "palette/PaletteCore.h"

namespace kirabo {

void PrintTo(const Answer& a, std::ostream* os) {
    *os << "{reorder " << a.openReorder << ", reset " << a.askReset << ", layout "
        << (a.layout ? static_cast<int>(*a.layout) : -1) << ", post " << a.postCommand << ", mirror " << a.mirror
        << ", find box " << static_cast<int>(a.findBox) << ", hand on " << a.handOnKey << ", view "
        << (a.view ? std::to_string(a.view->rows.total) + "/" + std::to_string(a.view->rows.page) + "@" +
                         std::to_string(a.view->rows.position) + " " + std::to_string(a.view->clientHeight)
                   : "-")
        << "}";
}

namespace {

using test::FakeMenus;

constexpr SystemMetrics kMetrics{3, 18};
const Answer kNothing{};
const Answer kMirror{.mirror = true};
const Answer kKeepAndMirror{.layout = Controls::Keep, .mirror = true};

// Filters A, B, C, D in the host's menus: toggles 11 to 14, settings 21 to 24.
FakeMenus HostMenus() {
    FakeMenus menus;
    for (std::uint32_t i = 0; i < 4; ++i) {
        const std::string name(1, static_cast<char>('A' + i));
        menus.menus[kToggleMenuPosition].push_back({11 + i, name});
        menus.menus[kSettingsMenuPosition].push_back({21 + i, name + "xxxxxx"});
    }
    return menus;
}

// The rows in order, a row hidden by the user in lower case.
std::string Rows(const PaletteCore& core) {
    std::string rows;
    for (const FilterEntry& e : core.entries()) {
        rows += static_cast<char>(e.hidden ? std::tolower(e.name[0]) : e.name[0]);
    }
    return rows;
}

// Started on the host's menus, laid out with controls, then arranged as `rows` says (a permutation
// of ABCD, hidden rows in lower case; empty: as started) through the dialog's answer.
struct Started {
    MemoryStore store;
    PaletteCore core;
    // A start that runs out of memory at read `failAtRead` leaves the core not started.
    explicit Started(const std::string& rows = "", std::map<std::string, std::string> stored = {}, int failAtRead = 0) {
        store.values = std::move(stored);
        store.failAtRead = failAtRead;
        FakeMenus menus = HostMenus();
        try {
            core.Start(store, menus);
        } catch (const std::bad_alloc&) {
            return;
        }
        core.Layout(Controls::Create, kMetrics);
        if (rows.empty() || rows == Rows(core)) return;
        ReorderResult result;
        for (char c : rows) {
            result.order.push_back(static_cast<std::size_t>(std::toupper(c) - 'A'));
            result.hidden.push_back(std::islower(c) != 0);
        }
        const Answer answer = core.OnReorderClosed(result);
        if (answer.layout) core.Layout(*answer.layout, kMetrics);
    }
};

// A stored order of filters named by letters, and groups by name and first row's place.
std::map<std::string, std::string> Stored(const std::string& rows,
                                          const std::vector<std::pair<std::string, int>>& groups) {
    std::map<std::string, std::string> values = {{"FilterSize", std::to_string(rows.size())},
                                                 {"GroupSize", std::to_string(groups.size())}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        values["FilterName" + std::to_string(i)] = rows.substr(i, 1);
        values["FilterType" + std::to_string(i)] = "1";
    }
    for (std::size_t i = 0; i < groups.size(); ++i) {
        values["GroupName" + std::to_string(i)] = groups[i].first;
        values["GroupFirst" + std::to_string(i)] = std::to_string(groups[i].second);
    }
    return values;
}

std::map<std::string, std::string> With(std::map<std::string, std::string> values,
                                        const std::map<std::string, std::string>& more) {
    for (const auto& [key, value] : more) values[key] = value;
    return values;
}

// The user lets go of the palette's border or caption, the palette laid out on a work area it
// scrolls in, or one it fits in.
void Sized(PaletteCore& core, bool scrolls, const Rect& before, const Rect& after) {
    core.Layout(Controls::Create, kMetrics);
    WindowFacts now;
    now.workArea = {0, 0, 1024, scrolls ? 50 : 768};
    core.Fit(now);
    core.OnPaletteSized(before, after);
}

TEST(PaletteCore, StartLoadsAndCompletesTheOrderAndExitStoresItAndLetsGo) {
    using Values = std::map<std::string, std::string>;
    struct Case {
        const char* what;
        Values stored;
        std::function<void(PaletteCore&)> during;
        std::string rowsAtStart;
        Values storedAtExit;  // these keys among what exit stores
        int failAtRead = 0;   // the start runs out of memory at this read
    };
    // clang-format off
    const Case cases[] = {
        {"first start: the host's order and the defaults; no hidden block or dialog size until there is one",                   {},                                                                                                                                                                              nullptr,                                                                                                   "ABCD",  {{"Column", "2"}, {"Tab", "0"}, {"SelColumn", "0"}, {"FilterSize", "4"}, {"FilterName3", "D"}, {"HiddenSize", ""}, {"ReorderSize", ""}, {"GroupSize", ""}}},
        {"groups come back by their first rows' places, a new filter in the last",                                              Stored("ABC", {{"P", 0}, {"Q", 2}}),                                                                                                                                             nullptr,                                                                                                   "ABCD",  {{"GroupSize", "2"}, {"GroupName1", "Q"}, {"GroupFirst1", "2"}, {"FilterName3", "D"}}},
        {"a group whose first row is gone begins at the next row there",                                                        Stored("XABCD", {{"P", 0}, {"Q", 3}}),                                                                                                                                           nullptr,                                                                                                   "ABCD",  {{"GroupName0", "P"}, {"GroupFirst0", "0"}, {"GroupFirst1", "2"}}},
        {"and goes when that row begins a group of its own",                                                                    Stored("XABCD", {{"P", 0}, {"Q", 1}}),                                                                                                                                           nullptr,                                                                                                   "ABCD",  {{"GroupSize", "1"}, {"GroupName0", "Q"}}},
        {"a group stored without its place goes",                                                                               {{"FilterSize", "1"}, {"FilterName0", "A"}, {"FilterType0", "1"}, {"GroupSize", "1"}, {"GroupName0", "P"}},                                                                      nullptr,                                                                                                   "ABCD",  {{"GroupSize", "0"}}},
        {"a first group stored below the first row takes the rows above it",                                                    Stored("ABCD", {{"P", 1}}),                                                                                                                                                      nullptr,                                                                                                   "ABCD",  {{"GroupFirst0", "0"}}},
        {"a damaged block keeps what makes sense: an empty name, a place out of range or out of order go, a long name is cut",  Stored("ABCD", {{"P", 0}, {"", 1}, {"Q", 9}, {"R", 0}, {std::string(70, 'S'), 2}, {"T", -1}}),                                                                                   nullptr,                                                                                                   "ABCD",  {{"GroupSize", "2"}, {"GroupName1", std::string(64, 'S')}, {"GroupFirst1", "2"}}},
        {"folds come back (1 folded; 0, -1, 7 or none open) and are stored for every group",                                    With(Stored("ABCD", {{"P", 0}, {"Q", 1}, {"R", 2}, {"S", 3}}), {{"GroupFold0", "1"}, {"GroupFold1", "-1"}, {"GroupFold2", "7"}}),                                                nullptr,                                                                                                   "ABCD",  {{"GroupFold0", "1"}, {"GroupFold1", "0"}, {"GroupFold2", "0"}, {"GroupFold3", "0"}}},
        {"a damaged block with two groups at one row keeps the first",                                                          Stored("ABCD", {{"P", 1}, {"Q", 1}}),                                                                                                                                            nullptr,                                                                                                   "ABCD",  {{"GroupSize", "1"}, {"GroupName0", "P"}}},
        {"two whose rows are gone from the host, at one row: the first stays",                                                  Stored("XYABCD", {{"P", 0}, {"Q", 1}}),                                                                                                                                          nullptr,                                                                                                   "ABCD",  {{"GroupSize", "1"}, {"GroupName0", "P"}}},
        {"two whose rows could not be read, at one row: the first stays",                                                       With(Stored("XYABCD", {{"P", 0}, {"Q", 1}}), {{"FilterName0", ""}, {"FilterName1", ""}}),                                                                                        nullptr,                                                                                                   "ABCD",  {{"GroupSize", "1"}, {"GroupName0", "P"}}},
        {"every group removed: a size of 0, so that none comes back",                                                           Stored("ABCD", {{"P", 0}}),                                                                                                                                                      [](PaletteCore& core) {core.OnReorderClosed(ReorderResult{{0, 1, 2, 3}, {false, false, false, false}});},  "ABCD",  {{"GroupSize", "0"}}},
        {"a stored order and a hidden row come back; a new filter joins its neighbour",                                         {{"FilterSize", "2"}, {"FilterName0", "C"}, {"FilterType0", "1"}, {"FilterName1", "B"}, {"FilterType1", "1"}, {"HiddenSize", "1"}, {"HiddenName0", "B"}, {"HiddenType0", "1"}},  nullptr,                                                                                                   "CDbA",  {{"FilterName1", "D"}, {"HiddenSize", "1"}, {"HiddenName0", "B"}, {"HiddenType0", "1"}}},
        {"the dialog's size, once the user sized it, is kept across runs",                                                      {{"ReorderSize", "600,400"}},                                                                                                                                                    [](PaletteCore& core) {core.OnReorderClosed(std::nullopt);},                                               "ABCD",  {{"ReorderSize", "600,400"}}},
        {"the palette's size too, and a new one replaces it",                                                                   {{"PaletteSize", "300,500"}},                                                                                                                                                    [](PaletteCore& core) {Sized(core, true, {0, 0, 300, 500}, {0, 0, 250, 400});},                            "ABCD",  {{"PaletteSize", "250,400"}}},
        {"a palette only moved keeps the size it had",                                                                          {{"PaletteSize", "300,500"}},                                                                                                                                                    [](PaletteCore& core) {Sized(core, true, {0, 0, 250, 400}, {50, 60, 300, 460});},                          "ABCD",  {{"PaletteSize", "300,500"}}},
        {"a palette that fits has no size of the user's",                                                                       {},                                                                                                                                                                              [](PaletteCore& core) {Sized(core, false, {0, 0, 250, 400}, {0, 0, 260, 400});},                           "ABCD",  {{"PaletteSize", ""}}},
        {"and a new size replaces it",                                                                                          {{"ReorderSize", "600,400"}},                                                                                                                                                    [](PaletteCore& core) {core.OnReorderClosed(std::nullopt, WindowSize{700, 500});},                         "ABCD",  {{"ReorderSize", "700,500"}}},
        {"a row shown again stays shown after a restart",                                                                       {{"HiddenSize", "1"}, {"HiddenName0", "B"}, {"HiddenType0", "1"}},                                                                                                               [](PaletteCore& core) {core.OnReorderClosed(ReorderResult{{0, 1, 2, 3}, {false, false, false, false}});},  "AbCD",  {{"HiddenSize", "0"}}},
        {"stored settings come back as they were",                                                                              {{"Column", "3"}, {"Tab", "1"}, {"SelColumn", "1"}},                                                                                                                             nullptr,                                                                                                   "ABCD",  {{"Column", "3"}, {"Tab", "1"}, {"SelColumn", "1"}}},
        {"the tab clamped by the layout is stored",                                                                             {{"Column", "3"}, {"Tab", "1"}, {"SelColumn", "7"}},                                                                                                                             nullptr,                                                                                                   "ABCD",  {{"SelColumn", "2"}}},
        {"the lowest column count clamps the tab to 0 and is stored back as read",                                              {{"Column", "-2147483648"}, {"Tab", "1"}, {"SelColumn", "3"}},                                                                                                                   nullptr,                                                                                                   "ABCD",  {{"SelColumn", "0"}, {"Column", "-2147483648"}}},
        {"a start that ran out of memory while reading is no start: the exit keeps the user's order",  {{"FilterSize", "1"}, {"FilterName0", "C"}, {"FilterType0", "1"}},  nullptr,  "",  {{"FilterSize", "1"}, {"FilterName0", "C"}, {"Column", ""}},  5},
    };
    // clang-format on
    for (const Case& c : cases) {
        Started run("", c.stored, c.failAtRead);
        PaletteCore& core = run.core;
        MemoryStore& store = run.store;
        EXPECT_EQ(core.running(), c.failAtRead == 0) << c.what;
        EXPECT_EQ(Rows(core), c.rowsAtStart) << c.what;
        if (c.during) c.during(core);
        core.Exit(store);
        for (const auto& [key, value] : c.storedAtExit) EXPECT_EQ(store.values[key], value) << c.what << ": " << key;
        EXPECT_FALSE(core.running()) << c.what;
        EXPECT_EQ(core.entries().count(), 0u) << c.what;
        const std::size_t calls = store.calls.size();
        core.Exit(store);  // a second exit, or one without a start, stores nothing
        EXPECT_EQ(store.calls.size(), calls) << c.what;
    }
}

TEST(PaletteCore, EachCommandChangesTheSettingsAndSaysWhatToDo) {
    // The rows reordered D A B C: each keeps the controlIndex, and so the ids, it was created with.
    const auto post = [](std::uint32_t command) { return Answer{.postCommand = command, .mirror = true}; };
    struct Case {
        const char* what;
        std::int32_t tabsBefore;
        std::uint32_t wParam;
        bool saving, host;
        Answer expected;
        std::int32_t columnsAfter, tabsAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"1列",                                                          0,  KIRABO_CMD_ONE_COLUMN,        false,  true,   kKeepAndMirror,                            1,  0},
        {"4列",                                                          0,  KIRABO_CMD_FOUR_COLUMNS,      false,  true,   kKeepAndMirror,                            4,  0},
        {"タブ表示 on",                                                     0,  KIRABO_CMD_TAB_MODE,          false,  true,   kKeepAndMirror,                            2,  1},
        {"タブ表示 with a stored 5 turns it off",                           5,  KIRABO_CMD_TAB_MODE,          false,  true,   kKeepAndMirror,                            2,  0},
        {"並び替え opens the dialog",                                       0,  KIRABO_CMD_REORDER,           false,  true,   {true, false, std::nullopt, 0, true},      2,  0},
        {"並び替えの初期化 asks first",                                         0,  KIRABO_CMD_RESET_ORDER,       false,  true,   {false, true, std::nullopt, 0, true},      2,  0},
        {"検索の履歴を消去 asks first",                                         0,  KIRABO_CMD_FORGET_FINDS,      false,  true,   {.mirror = true, .askForgetFinds = true},  2,  0},
        {"a check box is found by its controlIndex, not its position",  0,  0,                            false,  true,   post(11),                                  2,  0},
        {"the last row's check box",                                    0,  3,                            false,  true,   post(14),                                  2,  0},
        {"a push button posts its settings",                            0,  101,                          false,  true,   post(22),                                  2,  0},
        {"the high word (the notification) is not looked at",           0,  0xFFFF0000u | 102,            false,  true,   post(23),                                  2,  0},
        {"an id below 100 that no row has only mirrors",                0,  50,                           false,  true,   kMirror,                                   2,  0},
        {"an id past the last push button only mirrors",                0,  104,                          false,  true,   kMirror,                                   2,  0},
        {"the tab control's id only mirrors",                           0,  KIRABO_COLUMN_TABS,           false,  true,   kMirror,                                   2,  0},
        {"just below the own menu only mirrors",                        0,  KIRABO_CMD_ONE_COLUMN - 1,    false,  true,   kMirror,                                   2,  0},
        {"just above the own menu only mirrors",                        0,  KIRABO_CMD_FORGET_FINDS + 1,  false,  true,   kMirror,                                   2,  0},
        {"while the host saves, a click: nothing at all",               0,  0,                            true,   true,   kNothing,                                  2,  0},
        {"while the host saves, the own menu: nothing at all",          0,  KIRABO_CMD_ONE_COLUMN,        true,   true,   kNothing,                                  2,  0},
        {"without a host window, nothing at all",                       0,  KIRABO_CMD_RESET_ORDER,       false,  false,  kNothing,                                  2,  0},
    };
    // clang-format on
    for (const Case& c : cases) {
        Started run("DABC", {{"Tab", std::to_string(c.tabsBefore)}});
        EXPECT_EQ(run.core.OnCommand(c.wParam, c.saving, c.host), c.expected) << c.what;
        run.core.Exit(run.store);
        EXPECT_EQ(run.store.values["Column"], std::to_string(c.columnsAfter)) << c.what;
        EXPECT_EQ(run.store.values["Tab"], std::to_string(c.tabsAfter)) << c.what;
    }
}

TEST(PaletteCore, TheDialogsAnswerReordersAndHidesRowsAndSaysWhetherControlsAreMadeAnew) {
    struct Case {
        const char* what;
        std::string before;
        std::optional<ReorderResult> result;
        std::string after;
        Controls layout;
        std::string controlIndices;  // after, of the rows in order
    };
    // clang-format off
    const Case cases[] = {
        {"Cancel",                                                    "AbCD",  std::nullopt,                                               "AbCD",  Controls::Keep,    "0-12"},
        {"a new order, nothing hidden: each row keeps its controls",  "ABCD",  ReorderResult{{3, 0, 1, 2}, {false, false, false, false}},  "DABC",  Controls::Keep,    "3012"},
        {"a row hidden",                                              "ABCD",  ReorderResult{{0, 1, 2, 3}, {false, true, false, false}},   "AbCD",  Controls::Create,  ""},
        {"the only hidden row shown again",                           "AbCD",  ReorderResult{{0, 1, 2, 3}, {false, false, false, false}},  "ABCD",  Controls::Create,  ""},
        {"a result for another list is ignored",                      "ABCD",  ReorderResult{{1, 0}, {false, false}},                      "ABCD",  Controls::Keep,    "0123"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Started run(c.before);
        const std::vector<ReorderRow> rows = run.core.RowsToReorder();
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i].hidden, std::islower(c.before[i]) != 0) << c.what;
        EXPECT_EQ(run.core.OnReorderClosed(c.result), (Answer{.layout = c.layout})) << c.what;
        EXPECT_EQ(Rows(run.core), c.after) << c.what;
        std::string indices;
        for (const FilterEntry& e : run.core.entries())
            indices += e.controlIndex < 0 ? '-' : static_cast<char>('0' + e.controlIndex);
        if (!c.controlIndices.empty()) {
            EXPECT_EQ(indices, c.controlIndices) << c.what;
        }
    }
}

TEST(PaletteCore, TheResetRestoresTheHostsOrderAndKeepsHiddenRowsHidden) {
    Started run("DbCA");
    FakeMenus menus = HostMenus();
    EXPECT_EQ(run.core.OnResetAnswer(false, menus), kNothing);
    EXPECT_EQ(Rows(run.core), "DbCA");
    EXPECT_EQ(run.core.OnResetAnswer(true, menus), (Answer{.layout = Controls::Create}));
    EXPECT_EQ(Rows(run.core), "AbCD");
}

TEST(PaletteCore, TheWheelScrollsAPaletteTallerThanItsWindowAndIsTheHostsOtherwise) {
    Started run("", {{"Column", "1"}});
    run.core.Reframe(200, 200);
    EXPECT_TRUE(run.core.OnWheel(-120, 3).handOn);
    run.core.Reframe(200, 40);  // two of the four rows in view
    EXPECT_EQ(run.core.OnWheel(-120, 3).view->rows.position, 2);
    const PaletteCore::Wheel atTheEnd = run.core.OnWheel(-120, 3);
    EXPECT_FALSE(atTheEnd.handOn || atTheEnd.view);
    Started wide("", {{"Column", "2"}});
    wide.core.Reframe(150, 400);                                      // every row fits, one of the two columns does
    EXPECT_EQ(wide.core.OnWheel(-120, 3).view->columns.position, 1);  // a column a notch
    EXPECT_EQ(wide.core.OnWheel(-120, 3, true).view->columns.position, 0);  // a sideways wheel pushed left
}

template <typename Step>
std::vector<Step> Join(std::vector<Step> first, const std::vector<Step>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

TEST(PaletteCore, TheFindBoxNarrowsTheRowsMarksOneAndGivesEverythingBack) {
    // Toggles 11 to 16 and settings 21 to 26; Glim hidden by the user; Histo a display tool.
    const char* names[] = {"Blur", "Sharpen", "Blur more", "Noise", "Glow", "Glim"};
    using Step = std::function<Answer(PaletteCore&)>;
    const Step find = [](PaletteCore& core) { return core.OnCommand(KIRABO_CMD_FIND, false, true); };
    const auto type = [](const char* text) { return Step([=](PaletteCore& core) { return core.OnFindText(text); }); };
    // A key the palette gives no meaning types into the box: nothing to answer.
    const auto key = [](std::uint32_t virtualKey, bool shift = false, bool saving = false, bool ctrl = false) {
        return Step([=](PaletteCore& core) {
            const std::optional<FindKey> meaning = FindKeyOf(virtualKey, shift, ctrl);
            return meaning ? core.OnFindKey(*meaning, saving, true) : Answer{};
        });
    };
    const auto ctrlKey = [&](std::uint32_t virtualKey, bool shift = false) {
        return key(virtualKey, shift, false, true);
    };
    const auto words = [](std::optional<std::string> kept, bool hadKeyboard = true) {
        return Step([=](PaletteCore& core) { return core.OnWordsEdited(kept, hadKeyboard); });
    };
    const Step scrolled = [](PaletteCore& core) { return Answer{.view = core.OnScroll(true, ScrollRequest::End, 0)}; };
    const Step down = [](PaletteCore& core) { return Answer{.view = core.OnScroll(true, ScrollRequest::LineOn, 0)}; };
    const Step up = [](PaletteCore& core) { return Answer{.view = core.OnScroll(true, ScrollRequest::LineBack, 0)}; };
    const Step shortcut = [](PaletteCore& core) { return core.OnFindShortcut(); };
    const Step secondTab = [](PaletteCore& core) { return core.OnTabChange(1); };
    const auto switchRow = [](std::uint32_t id) {
        return Step([=](PaletteCore& core) { return core.OnCommand(id, false, true); });
    };
    const std::vector<Step> pickNoise = {find, type("o"), key(kKeyUp), key(kKeyReturn), key(kKeyEscape), find};
    const auto thenType = [&](const char* text) { return Join(pickNoise, {type(text)}); };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::string shown;   // the rows laid out, by first letter and length
        const char* marked;  // "": none
        Answer last;         // the last step's answer
        int firstRow = 0, selectedColumn = 0;
        std::int32_t tabs = 0;        // tab mode, in two columns; else one column
        const char* count = nullptr;  // the count beside the box, where it matters
    };
    const Answer opened{.layout = Controls::Keep, .findBox = FindBoxStep::Open};
    const Answer closed{.layout = Controls::Keep, .findBox = FindBoxStep::Close};
    const Answer typed{.layout = Controls::Keep};
    // A client area 80 pixels high: four rows in view, two below the find box.
    const auto marked = [](int total, int firstRow) {
        return Answer{.view = View{{total, 2, firstRow}, {1, 1, 0}, 60, 80}};
    };
    // clang-format off
    const Case cases[] = {
        {"opened: every row the user did not hide, the first marked, the window kept",    {find},                                                                                          "B4 S7 B9 N5 G4 H5",  "Blur",       opened},
        {"typing narrows the rows, in order, without regard to case",                     {find, type("BLUR")},                                                                            "B4 B9",              "Blur",       typed},
        {"every word must occur, in any order",                                           {find, type("more blur")},                                                                       "B9",                 "Blur more",  typed},
        {"a row the user hid stays hidden, and is counted",  {find, type("gl")},    "G4",  "Glow",  typed,  0,  0,  0,  "1\x8c\x8f\x81\x45\x94\xf1\x95\x5c\x8e\xa6 1"},
        {"only a hidden row matches",                        {find, type("glim")},  "",    "",      typed,  0,  0,  0,  "0\x8c\x8f\x81\x45\x94\xf1\x95\x5c\x8e\xa6 1"},
        {"hidden rows count only when they match",           {find, type("glow")},  "G4",  "Glow",  typed,  0,  0,  0,  "1\x8c\x8f"},
        {"the mark starts on a name that begins with the text before one that holds it",  {find, type("n")},                                                                               "S7 N5",              "Noise",      typed},
        {"and on the best match's tab",                         {find, type("h")},                                                     "S7 H5",              "Histo",  typed,   0,  1,  1},
        {"another letter puts the mark back on the best match",                           {find, type("n"), key(kKeyUp), type("no")},                                                      "N5",                 "Noise",      typed},
        {"a scroll of the user's stops the view following the mark",                      {find, key(kKeyDown), key(kKeyDown), up},                                                        "B4 S7 B9 N5 G4 H5",  "Blur more",  marked(6, 0)},
        {"opening keeps the view where the user scrolled it, at the end",  {scrolled, find},                                    "B4 S7 B9 N5 G4 H5",  "Blur",       opened,                                                                                        4},
        {"one match shows its tab, whichever the user was on",  {secondTab, find, type("histo")},                                      "H5",                 "Histo",  typed,   0,  0,  1},
        {"Esc gives back the second tab the user chose",        {secondTab, find, type("histo"), key(kKeyEscape)},                     "B4 S7 B9 N5 G4 H5",  "",       closed,  0,  1,  1},
        {"the host's shortcut opens the box",                                             {shortcut},                                                                                      "B4 S7 B9 N5 G4 H5",  "Blur",       opened},
        {"and gives the open box the keyboard",                                           {shortcut, type("n"), shortcut},                                                                 "S7 N5",              "Noise",      {.findBox = FindBoxStep::Focus}},
        {"no match: nothing shown, nothing marked",                                       {find, type("zzz")},                                                                             "",                   "",           typed},
        {"an empty box shows every row again",                                            {find, type("zzz"), type("")},                                                                   "B4 S7 B9 N5 G4 H5",  "Blur",       typed},
        {"↓ moves the mark and scrolls it into view",                      {find, key(kKeyDown), key(kKeyDown)},                "B4 S7 B9 N5 G4 H5",  "Blur more",  marked(6, 1),                                                                                  1},
        {"↓ at the last match stays",                                                     {find, type("blur"), key(kKeyDown), key(kKeyDown)},                                              "B4 B9",              "Blur more",  marked(2, 0)},
        {"↑ at the first match stays",                                                    {find, key(kKeyUp)},                                                                             "B4 S7 B9 N5 G4 H5",  "Blur",       marked(6, 0)},
        {"Enter posts the marked row's toggle and closes the box",                        {find, type("noise"), key(kKeyReturn)},                                                          "B4 S7 B9 N5 G4 H5",  "",           {.layout = Controls::Keep, .postCommand = 14, .mirror = true, .findBox = FindBoxStep::Close}},
        {"Shift+Enter presses its button",                                                {find, type("noise"), key(kKeyReturn, true)},                                                    "B4 S7 B9 N5 G4 H5",  "",           {.layout = Controls::Keep, .postCommand = 24, .mirror = true, .findBox = FindBoxStep::Close}},
        {"Enter on a row without a check box presses its button",                         {find, type("histo"), key(kKeyReturn)},                                                          "B4 S7 B9 N5 G4 H5",  "",           {.layout = Controls::Keep, .postCommand = 51, .mirror = true, .findBox = FindBoxStep::Close}},
        {"Enter gives back the scroll position",                           {scrolled, find, type("glow"), key(kKeyReturn)},     "B4 S7 B9 N5 G4 H5",  "",           {.layout = Controls::Keep, .postCommand = 15, .mirror = true, .findBox = FindBoxStep::Close},  2},
        {"Ctrl+Enter switches and keeps the box",                                         {find, type("noise"), ctrlKey(kKeyReturn)},                                                      "N5",                 "Noise",      {.postCommand = 14, .mirror = true}},
        {"Ctrl+Shift+Enter presses the button, box kept",                                 {find, type("noise"), ctrlKey(kKeyReturn, true)},                                                "N5",                 "Noise",      {.postCommand = 24, .mirror = true}},
        {"Ctrl with a letter goes on to the host",                                        {find, ctrlKey('S')},                                                                            "B4 S7 B9 N5 G4 H5",  "Blur",       {.handOnKey = true}},
        {"so does a function key",                                                        {find, key(kKeyF1 + 4)},                                                                         "B4 S7 B9 N5 G4 H5",  "Blur",       {.handOnKey = true}},
        {"Ctrl+C is the box's own: it copies",                                            {find, ctrlKey('C')},                                                                            "B4 S7 B9 N5 G4 H5",  "Blur",       {}},
        {"F2 opens the marked row's words",                                               {find, type("noise"), key(kKeyF2)},                                                              "N5",                 "Noise",      {.findBox = FindBoxStep::EditWords}},
        {"F2 with nothing marked: nothing",                                               {find, type("zzz"), key(kKeyF2)},                                                                "",                   "",           {}},
        {"words kept: the matches anew, the box's keyboard",                              {find, type("n"), key(kKeyF2), words("zap")},                                                    "S7 N5",              "Noise",      {.layout = Controls::Keep, .findBox = FindBoxStep::Focus}},
        {"and the row is found by them",                                                  {find, type("n"), key(kKeyF2), words("zap"), type("zap")},                                       "N5",                 "Noise",      typed},
        {"the keyboard taken elsewhere stays there",                                      {find, type("n"), key(kKeyF2), words("zap", false)},                                             "S7 N5",              "Noise",      {.layout = Controls::Keep}},
        {"words dropped: the box's keyboard alone",                                       {find, type("n"), key(kKeyF2), words({})},                                                       "S7 N5",              "Noise",      {.findBox = FindBoxStep::Focus}},
        {"and the row is not found by them",                                              {find, type("n"), key(kKeyF2), words({}), type("zap")},                                          "",                   "",           typed},
        {"words after the box closed: nothing",                                           {find, key(kKeyF2), key(kKeyEscape), words("zap")},                                              "B4 S7 B9 N5 G4 H5",  "",           {}},
        {"Enter while the host saves: nothing",                                           {find, key(kKeyReturn, false, true)},                                                            "B4 S7 B9 N5 G4 H5",  "Blur",       {}},
        {"Enter with no match: nothing",                                                  {find, type("zzz"), key(kKeyReturn)},                                                            "",                   "",           {}},
        {"Esc gives back the rows and the scroll position",                {scrolled, find, type("glow"), key(kKeyEscape)},     "B4 S7 B9 N5 G4 H5",  "",           closed,                                                                                        2},
        {"even from a view of the matches scrolled to its end",            {down, find, type("e"), scrolled, key(kKeyEscape)},  "B4 S7 B9 N5 G4 H5",  "",           closed,                                                                                        1},
        {"the find command again selects the box's text",                                 {find, type("n"), find},                                                                         "S7 N5",              "Noise",      {.findBox = FindBoxStep::Focus}},
        {"text while the box is closed changes nothing",                                  {type("blur")},                                                                                  "B4 S7 B9 N5 G4 H5",  "",           {}},
        {"the mark in another tab shows that tab",              {find, key(kKeyDown), key(kKeyDown), key(kKeyDown)},                   "B4 S7 B9 N5 G4 H5",  "Noise",  typed,   0,  1,  1},
        {"the row picked for a text is marked first the next time",                       thenType("o"),                                                                                   "B9 N5 G4 H5",        "Noise",      typed},
        {"and first for a text typed on from it",                                         thenType("o e"),                                                                                 "B9 N5",              "Noise",      typed},
        {"a pick is kept under the folded text: O, o and a full-width o are one",         {find, type("O"), key(kKeyUp), key(kKeyReturn, true), key(kKeyEscape), find, type("\x82\x8f")},  "B9 N5 G4 H5",        "Noise",      typed},
        {"typed into a palette scrolled down, the view starts from the first match",      Join({scrolled}, thenType("o")),                                                                 "B9 N5 G4 H5",        "Noise",      typed},
        {"an empty box marks the row picked last, in view",                pickNoise,                                           "B4 S7 B9 N5 G4 H5",  "Noise",      opened,                                                                                        2},
        {"a tie goes to the row switched most",                            {switchRow(4), find, type("o")},                     "B9 N5 G4 H5",        "Glow",       typed,                                                                                         1},
        {"and Esc gives back the tab the user chose",           {find, key(kKeyDown), key(kKeyDown), key(kKeyDown), key(kKeyEscape)},  "B4 S7 B9 N5 G4 H5",  "",       closed,  0,  0,  1},
    };
    // clang-format on
    for (const Case& c : cases) {
        FakeMenus menus;
        for (std::uint32_t i = 0; i < 6; ++i) {
            menus.menus[kToggleMenuPosition].push_back({11 + i, names[i]});
            menus.menus[kSettingsMenuPosition].push_back({21 + i, names[i] + std::string("xxxxxx")});
        }
        menus.menus[kDisplayMenuPosition] = {test::Bar(), {51, "Histoxxxxxx"}, test::Bar()};
        MemoryStore store;
        store.values = {{"Column", c.tabs ? "2" : "1"},
                        {"Tab", std::to_string(c.tabs)},
                        {"HiddenSize", "1"},
                        {"HiddenName0", "Glim"},
                        {"HiddenType0", "1"}};
        PaletteCore core;
        core.Start(store, menus);
        core.Layout(Controls::Create, kMetrics);
        core.Reframe(60, 80);
        Answer last;
        for (const Step& step : c.steps) {
            last = step(core);
            if (last.layout) core.Layout(*last.layout, kMetrics);
            core.Reframe(60, 80);
        }
        std::string shown;
        for (std::size_t entry : core.geometry().entryOfLaidOut) {
            const std::string& name = core.entries()[entry].name;
            if (!shown.empty()) shown += ' ';
            shown += name.substr(0, 1) + std::to_string(name.size());
        }
        EXPECT_EQ(shown, c.shown) << c.what;
        const std::optional<std::size_t> mark = core.findMark();
        EXPECT_EQ(mark ? core.entries()[core.geometry().entryOfLaidOut[*mark]].name : "", c.marked) << c.what;
        EXPECT_EQ(last, c.last) << c.what;
        EXPECT_EQ(core.view().rows.position, c.firstRow) << c.what;
        EXPECT_EQ(core.geometry().selectedColumn, c.selectedColumn) << c.what;
        if (c.count) {
            EXPECT_EQ(core.Frame().countText, c.count) << c.what;
        }
        const bool open = core.Frame().findOpen;
        EXPECT_EQ(core.geometry().top, open ? kFindBarHeight : 0) << c.what;
        EXPECT_EQ(core.geometry().keepWindow, open) << c.what;
    }
}

TEST(PaletteCore, APaletteMovedOnlyToFitGoesBackOnceItFitsWhereTheUserPutIt) {
    struct Case {
        const char* what;
        std::vector<std::array<int, 3>> fits;  // where the window stands, the width asked, where it is put
    };
    // clang-format off
    const Case cases[] = {
        {"fits where it stands: it stays",                          {{100, 300, 100}, {100, 400, 100}}},
        {"4 columns moved it left to fit, 2 columns take it back",  {{700, 600, 424}, {424, 300, 700}}},
        {"moved by the user after the fit: it stays where put",     {{700, 600, 424}, {423, 300, 423}}},
        {"moved on by a second fit: back where the user had it",    {{700, 600, 424}, {424, 800, 224}, {224, 300, 700}}},
        {"back by as much as fits",                                 {{700, 600, 424}, {424, 500, 524}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        PaletteCore core;
        for (const auto& [x, width, fitX] : c.fits) {
            const FitInput in{width, 200, {120, 40}, {0, 0, 1024, 768}, {x, 100, x + 10, 110}, 17, 17, std::nullopt};
            EXPECT_EQ(core.FitWindow(in, {}).fit.rect.left, fitX) << c.what << ", from " << x;
        }
    }
}

// The ends of the key ranges the find box hands on to the host, and the keys beside them it keeps.
TEST(PaletteCore, TheFindBoxHandsOnCtrlWithALetterOrDigitAndTheFunctionKeys) {
    struct Case {
        const char* what;
        std::uint32_t key;
        bool ctrl;
        bool handedOn;
    };
    // clang-format off
    const Case cases[] = {
        {"Ctrl+0",    '0',          true,   true},
        {"Ctrl+9",    '9',          true,   true},
        {"Ctrl+/",    '/',          true,   false},
        {"Ctrl+:",    ':',          true,   false},
        {"Ctrl+B",    'B',          true,   true},
        {"Ctrl+Y",    'Y',          true,   true},
        {"Ctrl+Z",    'Z',          true,   false},
        {"Ctrl+@",    '@',          true,   false},
        {"Ctrl+[",    '[',          true,   false},
        {"B alone",   'B',          false,  false},
        {"F1",        kKeyF1,       false,  true},
        {"F24",       kKeyF24,      false,  true},
        {"below F1",  kKeyF1 - 1,   false,  false},
        {"past F24",  kKeyF24 + 1,  false,  false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(FindKeyOf(c.key, false, c.ctrl) == FindKey::HandOn, c.handedOn) << c.what;
    }
}

TEST(PaletteCore, TheDialogsGroupsComeBackAsHeadingsOrTabsAndFindStepsOverTheHeadings) {
    using Groups = std::vector<Group>;
    const auto closed = [](Groups groups) {
        return [=](PaletteCore& core) {
            core.OnReorderClosed(ReorderResult{{0, 1, 2, 3}, {false, false, false, false}, {}, groups});
        };
    };
    const auto find = [](PaletteCore& core) { core.OnCommand(KIRABO_CMD_FIND, false, true); };
    const auto key = [](std::uint32_t key) {
        return [=](PaletteCore& core) { core.OnFindKey(*FindKeyOf(key, false, false), false, true); };
    };
    const auto hidingA = [](PaletteCore& core) {
        core.OnReorderClosed(ReorderResult{{0, 1, 2, 3}, {true, false, false, false}, {}, {{"P", 0}, {"Q", 2}}});
    };
    const auto heading = [](std::size_t row) { return [=](PaletteCore& core) { core.OnHeadingClick(row); }; };
    const auto type = [](const char* text) { return [=](PaletteCore& core) { core.OnFindText(text); }; };
    const auto tabs = [](PaletteCore& core) { core.OnCommand(KIRABO_CMD_TAB_MODE, false, true); };
    const Groups pq = {{"P", 0}, {"Q", 2}}, pFolded = {{"P", 0, true}, {"Q", 2}};
    struct Case {
        const char* what;
        std::string tabMode;
        std::vector<std::function<void(PaletteCore&)>> steps;
        std::string places;  // each laid-out place: a row's name, or a heading's
        Groups groups;       // as the dialog gets them again
        std::string marked = "";
        int tab = 0;
    };
    // clang-format off
    const Case cases[] = {
        {"two groups: a heading above each",                                                                       "0",  {closed({{"P", 0}, {"Q", 2}})},                              "P A B Q C D",  {{"P", 0}, {"Q", 2}}},
        {"places out of order, out of range or unnamed are passed over; the first group takes the rows above it",  "0",  {closed({{"Q", 2}, {"P", 1}, {"", 3}, {"R", 9}})},           "Q A B C D",    {{"Q", 0}}},
        {"no group from the dialog: none",                                                                         "0",  {closed({{"P", 0}}), closed({})},                            "A B C D",      {}},
        {"find's arrows step over a heading",    "0",  {closed({{"P", 0}, {"Q", 2}}), find, key(kKeyDown), key(kKeyDown)},               "P A B Q C D",  {{"P", 0}, {"Q", 2}},  "C"},
        {"and back",                             "0",  {closed({{"P", 0}, {"Q", 2}}), find, key(kKeyDown), key(kKeyDown), key(kKeyUp)},  "P A B Q C D",  {{"P", 0}, {"Q", 2}},  "B"},
        {"in tab mode a group is a tab, and the mark's is shown",  "1",  {closed({{"P", 0}, {"Q", 3}}), find, key(kKeyDown), key(kKeyDown), key(kKeyDown)},  "A B C D",  {{"P", 0}, {"Q", 3}},  "D",  1},
        {"a click on a heading folds its group: the heading stays",                                                "0",  {closed(pq), heading(0)},                                    "P Q C D",      pFolded},
        {"a second click opens it",                                                                                "0",  {closed(pq), heading(0), heading(0)},                        "P A B Q C D",  pq},
        {"a group whose first row is hidden: its heading above its next row",                                      "0",  {hidingA},                                                   "P B Q C D",    pq},
        {"a click on no group's heading changes nothing",                                                          "0",  {closed(pq), heading(1), heading(9)},                        "P A B Q C D",  pq},
        {"find shows a folded group's matches",  "0",  {closed(pq), heading(0), find, type("b")},                                        "P B",          pFolded,               "B"},
        {"and Esc folds it again",                                                                                 "0",  {closed(pq), heading(0), find, type("b"), key(kKeyEscape)},  "P Q C D",      pFolded},
        {"a click while finding folds nothing",  "0",  {closed(pq), find, heading(0)},                                                   "P A B Q C D",  pq,                    "A"},
        {"in tab mode folds are kept, not applied",                                                                "0",  {closed(pq), heading(0), tabs},                              "A B C D",      pFolded},
        {"a group the dialog gives back under its name stays folded",                                              "0",  {closed(pq), heading(0), closed({{"P", 0}, {"R", 3}})},      "P R D",        {{"P", 0, true}, {"R", 3}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        Started run("", {{"Column", "1"}, {"Tab", c.tabMode}});
        for (const auto& step : c.steps) {
            step(run.core);
            run.core.Layout(Controls::Keep, kMetrics);
            run.core.Reframe(300, 300);
        }
        const PaletteGeometry& g = run.core.geometry();
        std::string places;
        for (std::size_t place : g.entryOfLaidOut) {
            const FilterEntry& e = run.core.entries()[place & ~kHeadingPlace];
            places += (places.empty() ? "" : " ") + ((place & kHeadingPlace) != 0 ? e.group->name : e.name);
        }
        EXPECT_EQ(places, c.places) << c.what;
        EXPECT_EQ(run.core.GroupsToReorder(), c.groups) << c.what;
        const std::optional<std::size_t> mark = run.core.findMark();
        EXPECT_EQ(mark ? run.core.entries()[g.entryOfLaidOut[*mark]].name : "", c.marked) << c.what;
        EXPECT_EQ(g.selectedColumn, c.tab) << c.what;
    }
}

// Groups Color (7 rows), Blur (200) and Sharp (90) in tab mode, in a client area of ten rows.
TEST(PaletteCore, EachTabKeepsItsOwnScrollPlace) {
    using Step = std::function<void(PaletteCore&, FakeMenus&)>;
    const auto tab = [](std::int32_t t) { return Step([=](PaletteCore& core, FakeMenus&) { core.OnTabChange(t); }); };
    const auto wheel = [](int notches) {
        return Step([=](PaletteCore& core, FakeMenus&) { core.OnWheel(-120 * notches, 3); });
    };
    const Step reset = [](PaletteCore& core, FakeMenus& menus) { core.OnResetAnswer(true, menus); };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::int32_t tab;
        int firstRow;
        int range;  // the rows the tab's bar scrolls through: its own
    };
    // clang-format off
    const Case cases[] = {
        {"the long tab scrolled",                               {tab(1), wheel(10)},                             1,  30,        200},
        {"the short one shown from its top",                    {tab(1), wheel(10), tab(0)},                     0,  0,         7},
        {"the long one again where it was left",                {tab(1), wheel(10), tab(0), tab(1)},             1,  30,        200},
        {"the long one at its end, the short at its top",       {tab(1), wheel(200), tab(0)},                    0,  0,         7},
        {"a tab left at its end comes back there",              {tab(1), wheel(200), tab(0), tab(1)},            1,  200 - 10,  200},
        {"from one at its end, another where it was",           {tab(2), wheel(5), tab(1), wheel(200), tab(2)},  2,  15,        90},
        {"a long tab comes back mid-way past a shorter's end",  {tab(1), wheel(34), tab(2), tab(1)},             1,  102,       200},
        {"a reset starts every tab from its top",               {tab(1), wheel(10), tab(0), reset, tab(1)},      1,  0,         148},
    };
    // clang-format on
    for (const Case& c : cases) {
        FakeMenus menus;
        std::map<std::string, std::string> stored = {
            {"Column", "2"},         {"Tab", "1"},          {"FilterSize", "297"},  {"GroupSize", "3"},
            {"GroupName0", "Color"}, {"GroupFirst0", "0"},  {"GroupName1", "Blur"}, {"GroupFirst1", "7"},
            {"GroupName2", "Sharp"}, {"GroupFirst2", "207"}};
        for (std::uint32_t i = 0; i < 297; ++i) {
            menus.menus[kToggleMenuPosition].push_back({100 + i, "F" + std::to_string(i)});
            stored["FilterName" + std::to_string(i)] = "F" + std::to_string(i);
            stored["FilterType" + std::to_string(i)] = "1";
        }
        MemoryStore store;
        store.values = stored;
        PaletteCore core;
        core.Start(store, menus);
        const auto show = [&](Controls controls) {
            core.Layout(controls, kMetrics);
            core.Reframe(200, FirstRowY(core.geometry()) + 10 * kRowPitch + core.geometry().rowsBottomInset);
        };
        show(Controls::Create);
        for (const Step& step : c.steps) {
            step(core, menus);
            show(Controls::Keep);
        }
        EXPECT_EQ(core.geometry().selectedColumn, c.tab) << c.what;
        EXPECT_EQ(core.view().rows.position, c.firstRow) << c.what;
        EXPECT_EQ(core.view().rows.total, c.range) << c.what;
    }
}

TEST(PaletteCore, ALayoutPlacesTheWindowAndFramesTheClientAreaItWillHave) {
    // A window with a frame of 10 by 29 around its client area, a border to drag adding 8 by 8,
    // menu items 80 wide together; four rows of 30-pixel names ask for 204 x 96 in two columns.
    WindowFacts now;
    now.window = Rect::Sized(100, 100, 50, 50);
    now.client = {0, 0, 40, 21};
    now.fixedFrame = {-3, -21, 3, 3};
    now.sizableFrame = {-7, -25, 7, 7};
    now.workArea = {0, 0, 1024, 768};
    now.verticalBarWidth = now.horizontalBarHeight = 17;
    now.menuItems = {{0, 0, 40, 19}, {40, 0, 80, 19}};
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        std::function<void(WindowFacts&)> facts;
        std::function<void(PaletteCore&)> before;
        std::string expected;  // the window, whether it is sizable, its client area, the bars, the tab strip
        bool resized = false;  // sized by the user, not laid out
    };
    // clang-format off
    const Case cases[] = {
        {"rows that fit: the size asked, where the window stands",                                           {},              nullptr,                                                                                           nullptr,                                                                "100,100 204x96 client 194x67"},
        {"a bar and a border the window has now are not part of its frame",                                  {},              [](WindowFacts& f) {f.window = Rect::Sized(100, 100, 75, 58), f.verticalBar = f.sizable = true;},  nullptr,                                                                "100,100 204x96 client 194x67"},
        {"a work area 60 high: as tall, a border to drag and a bar, each taking room from the client area",  {},              [](WindowFacts& f) {f.workArea = {0, 0, 1024, 60};},                                               nullptr,                                                                "100,0 229x60 sizable client 194x23 |"},
        {"a work area too narrow only: the bar below takes room from the client area",                       {},              [](WindowFacts& f) {f.workArea = {0, 0, 150, 768};},                                               nullptr,                                                                "0,100 150x121 sizable client 132x67 -"},
        {"the find box open: the window stays as it is",                                                     {},              nullptr,                                                                                           [](PaletteCore& core) {core.OnCommand(KIRABO_CMD_FIND, false, true);},  "100,100 50x50 client 23x4 | -"},
        {"tabs wider than the names: the strip and the window hold them on one line",                        {{"Tab", "1"}},  [](WindowFacts& f) {f.lastTab = {100, 0, 166, 20};},                                               nullptr,                                                                "100,100 192x119 client 182x90 tabs 170"},
        {"sized by the user: the client area it has, each bar it needs taking room",  {},  [](WindowFacts& f) {f.window = Rect::Sized(90, 90, 150, 80), f.client = {0, 0, 140, 51};},  nullptr,  "90,90 150x80 client 123x34 | -",  true},
        {"sized below its frame: no client area",                                     {},  [](WindowFacts& f) {f.window = Rect::Sized(90, 90, 5, 5), f.client = {};},                  nullptr,  "90,90 5x5 client 0x0 | -",        true},
    };
    // clang-format on
    for (const Case& c : cases) {
        Started run("", c.stored);
        WindowFacts facts = now;
        if (c.facts) c.facts(facts);
        if (c.before) c.before(run.core);
        run.core.Layout(Controls::Keep, kMetrics);
        c.resized ? run.core.Resized(facts) : run.core.Fit(facts);
        const PaletteFrame f = run.core.Frame();
        std::string seen = std::to_string(f.window.left) + "," + std::to_string(f.window.top) + " " +
                           std::to_string(f.window.width()) + "x" + std::to_string(f.window.height()) +
                           (f.sizable ? " sizable" : "") + " client " + std::to_string(f.client.width()) + "x" +
                           std::to_string(f.client.height()) + (f.rowBar.shown() ? " |" : "") +
                           (f.columnBar.shown() ? " -" : "");
        if (f.tabsShown) seen += " tabs " + std::to_string(f.tabs.width());
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

TEST(PaletteCore, TheOwnMenuMarksFollowTheSettingsAndTheHostsMarksTheBoxes) {
    struct Case {
        std::int32_t columns, tabs;
        bool groups;
        OwnMenuMarks expected;
    };
    // clang-format off
    const Case cases[] = {
        {-1,  0,  false,  {KIRABO_CMD_ONE_COLUMN, false, true}},
        {0,   0,  false,  {KIRABO_CMD_ONE_COLUMN, false, true}},
        {1,   1,  false,  {KIRABO_CMD_ONE_COLUMN, true, true}},
        {2,   0,  false,  {KIRABO_CMD_TWO_COLUMNS, false, true}},
        {4,   5,  false,  {KIRABO_CMD_FOUR_COLUMNS, true, true}},
        {5,   0,  false,  {KIRABO_CMD_ONE_COLUMN, false, true}},
        {3,   0,  true,   {KIRABO_CMD_THREE_COLUMNS, false, true}}, // groups side by side: 列 apply
        {3,   1,  true,   {KIRABO_CMD_THREE_COLUMNS, true, false}}, // a tab per group: 列 greyed
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto groups = c.groups ? Stored("ABCD", {{"P", 0}, {"Q", 2}}) : Stored("ABCD", {});
        Started run("", With(groups, {{"Column", std::to_string(c.columns)}, {"Tab", std::to_string(c.tabs)}}));
        EXPECT_EQ(run.core.MenuMarks(), c.expected) << c.columns << " columns";
    }
    EXPECT_FALSE(ShowsChecked(0));
    EXPECT_TRUE(ShowsChecked(0x8));
    EXPECT_TRUE(ShowsChecked(0x88));
    EXPECT_FALSE(ShowsChecked(0xFFFFFFFF));  // an item the host's menu lacks
}

}  // namespace
}  // namespace kirabo
