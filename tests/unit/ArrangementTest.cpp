#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "reorder/Arrangement.h"
#include "reorder/DialogLayout.h"
#include "reorder/KeyMeaning.h"

namespace kirabo {
namespace {

// A list as text: a row a letter (lower case: unchecked), a heading its name in brackets ("G2": グループ
// 2), an item followed by * when selected, by ^ when focused, by ! when kept by Delete, which says why.
const std::string kGroupWord = "\x83\x4f\x83\x8b\x81\x5b\x83\x76 ";

ListUpdate ListOf(const std::string& text) {
    ListUpdate shown;
    Arrangement& list = shown.list;
    for (std::size_t i = 0, end = 0; i < text.size(); i = end + 1) {
        end = text[i] == '[' ? text.find(']', i) : i;
        if (text[i] == '*') shown.selected.push_back(static_cast<int>(list.items.size()) - 1);
        if (text[i] == '^') shown.focused = static_cast<int>(list.items.size()) - 1;
        if (text[i] == '*' || text[i] == '^') continue;
        list.items.push_back(end > i ? HeadingItem(list.headings.size()) : std::toupper(text[i]) - 'A');
        list.checked.push_back(!std::islower(text[i]));
        const std::string name = text.substr(i + 1, end - i - 1);
        if (end > i) list.headings.push_back(name[0] == 'G' ? kGroupWord + name.substr(1) : name);
    }
    return shown;
}

std::string TextOf(const Arrangement& list, const std::vector<int>& selected = {}, int focused = -1, int why = -1) {
    std::string text;
    for (std::size_t p = 0; p < list.items.size(); ++p) {
        const std::string name = IsHeading(list.items[p]) ? list.headings.at(HeadingIndex(list.items[p])) : "";
        const bool byDefault = name.rfind(kGroupWord, 0) == 0;
        const std::size_t kept = byDefault ? kGroupWord.size() : 0;
        if (IsHeading(list.items[p])) text.append(byDefault ? "[G" : "[").append(name, kept) += ']';
        if (!IsHeading(list.items[p])) text += static_cast<char>((list.checked[p] ? 'A' : 'a') + list.items[p]);
        text += std::string(std::count(selected.begin(), selected.end(), p), '*') + (focused == int(p) ? "^" : "") +
                (why == int(p) ? "!" : "");
    }
    return text;
}

TEST(Arrangement, DropsAndKeysMoveTheSelectedItemsTogether) {
    // Drops and key moves alike keep the moved items selected.
    constexpr MoveKind kDrop = MoveKind::Drop, kUp = MoveKind::Up, kDown = MoveKind::Down;
    struct Case {
        const char* what;
        std::vector<int> selected;
        MoveKind kind;
        int hit;  // drops only: the item under the cursor, its upper third or not, the anchor
        bool upperThird;
        int anchor;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"B and F onto the upper third of E",                     {1, 5},              kDrop,               4,  true,   2,   "ACDB*F*E"},
        {"B and F onto the lower two-thirds of E",                {1, 5},              kDrop,               4,  false,  3,   "ACDEB*F*"},
        {"to the top: the upper third of the first item",         {2, 4},              kDrop,               0,  true,   -1,  "C*E*ABDF"},
        {"to the end: the lower part of the last item",           {0, 1},              kDrop,               5,  false,  3,   "CDEFA*B*"},
        {"onto a dragged item itself, lower part of C",           {1, 2},              kDrop,               2,  false,  1,   "ADB*C*EF"},
        {"onto a dragged item itself, upper third of C",          {1, 2},              kDrop,               2,  true,   1,   "ADB*C*EF"},
        {"onto a dragged item itself, upper third of B",          {1, 2},              kDrop,               1,  true,   0,   "AB*C*DEF"},
        {"the last items onto the last item stay at the end",     {4, 5},              kDrop,               5,  false,  4,   "ABCDE*F*"},
        {"nothing selected moves nothing",                        {},                  kDrop,               3,  false,  3,   "ABCDEF"},
        {"Alt+Up: B and D one place up",                          {1, 3},              kUp,                 0,  false,  0,   "B*AD*CEF"},
        {"Alt+Down: B and D one place down",                      {1, 3},              kDown,               0,  false,  0,   "ACB*ED*F"},
        {"Alt+Down: the first row",                               {0},                 kDown,               0,  false,  0,   "BA*CDEF"},
        {"Alt+Up: a block at the top stays, the rest move",       {0, 1, 4},           kUp,                 0,  false,  0,   "A*B*CE*DF"},
        {"Alt+Down: a block at the bottom stays, the rest move",  {1, 4, 5},           kDown,               0,  false,  0,   "ACB*DE*F*"},
        {"Alt+Up: a block passes one unselected row",             {2, 3},              kUp,                 0,  false,  0,   "AC*D*BEF"},
        {"Alt+Up: gaps between the selected rows",                {1, 3, 5},           kUp,                 0,  false,  0,   "B*AD*CF*E"},
        {"Alt+Home: to the top, in their order",                  {2, 4},              MoveKind::ToTop,     0,  false,  0,   "C*E*ABDF"},
        {"Alt+End: to the bottom, in their order",                {0, 3},              MoveKind::ToBottom,  0,  false,  0,   "BCEFA*D*"},
        {"a key with nothing selected moves nothing",             {},                  kUp,                 0,  false,  0,   "ABCDEF"},
        {"a key with everything selected moves nothing",          {0, 1, 2, 3, 4, 5},  kDown,               0,  false,  0,   "A*B*C*D*E*F*"},
    };
    // clang-format on
    for (const Case& c : cases) {
        if (c.kind == kDrop) {
            EXPECT_EQ(DropAnchor(c.hit, c.upperThird, c.selected), c.anchor) << c.what;
        }
        const ListUpdate after = UpdateForMove(ListOf("ABCDEF").list, c.selected, -1, {c.kind, c.anchor});
        EXPECT_EQ(TextOf(after.list, after.selected), c.expected) << c.what;
    }
}

TEST(Arrangement, AMoveTakesEachCheckBoxWithItsItemAndTheFocusFollows) {
    // Before every move: A B C D, B's box unchecked. The list after it reads its items in order, an
    // unchecked one in lower case.
    struct Case {
        const char* what;
        std::vector<int> selected;
        int focused;
        Move move;
        std::string after;
        std::vector<int> selectedAfter;
        int focusedAfter;
        std::vector<bool> boxes = {true, false, true, true};
    };
    // clang-format off
    const Case cases[] = {
        {"Alt+Down on the first row",                                {0},     0,   {MoveKind::Down},      "bACD",  {1},     1},
        {"the first row's box unchecked goes with it",  {0},  0,  {MoveKind::Down},  "BaCD",  {1},  1,  {false, true, true, true}},
        {"Alt+End, the focus on an unselected row",                  {0, 1},  2,   {MoveKind::ToBottom},  "CDAb",  {2, 3},  0},
        {"a drop at the top: the dropped row selected and focused",  {3},     -1,  {MoveKind::Drop, -1},  "DAbC",  {0},     0},
        {"a drop of two rows: the first of them focused",            {2, 3},  -1,  {MoveKind::Drop, -1},  "CDAb",  {0, 1},  0},
        {"nothing that moves changes nothing",                       {0},     0,   {MoveKind::Up},        "AbCD",  {0},     0},
        {"Alt+Down with nothing selected moves the focused row",     {},      1,   {MoveKind::Down},      "ACbD",  {2},     2},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ListUpdate update = UpdateForMove({{0, 1, 2, 3}, c.boxes}, c.selected, c.focused, c.move);
        EXPECT_EQ(TextOf(update.list), c.after) << c.what;
        EXPECT_EQ(update.selected, c.selectedAfter) << c.what;
        EXPECT_EQ(update.focused, c.focusedAfter) << c.what;
    }
}

TEST(Arrangement, TheUpperThirdCountsWholePixels) {
    // An item from 0 to 16: third = 5, so y 0 to 4 is before the item, 5 to 15 after it.
    struct Case {
        int y, top, bottom;
        bool upper;
    };
    const Case cases[] = {{0, 0, 16, true},  {4, 0, 16, true},      {5, 0, 16, false},      {15, 0, 16, false},
                          {-3, 0, 16, true}, {104, 100, 116, true}, {105, 100, 116, false}, {0, 0, 2, false}};
    for (const Case& c : cases) EXPECT_EQ(InUpperThird(c.y, c.top, c.bottom), c.upper) << c.y << " in " << c.top;
}

TEST(Arrangement, ASelectionShownSetsOnlyTheRowsThatChange) {
    EXPECT_EQ(ChangeSelection({1, 3, 5}, {0, 1, 2}), (SelectionChange{{3, 5}, {0, 2}}));
    EXPECT_EQ(ChangeSelection({}, {4}), (SelectionChange{{}, {4}}));
    EXPECT_EQ(ChangeSelection({2, 4}, {2, 4}), SelectionChange{});
}

TEST(Arrangement, TheDragImageStandsRightOfThePointerAndARowBelowIt) {
    EXPECT_EQ(DragImageOffset(17), (DragOffset{16, 17}));
}

TEST(Arrangement, AutoScrollGrowsWithTheDistanceBeyondTheEdgeAndTheTimeHeldAndWaitsMoreThan50Ms) {
    constexpr int h = 600, page = 38;  // a list 600 pixels high (unless a row says) showing 38 rows
    struct Case {
        const char* what;
        int y;
        std::uint32_t last, now;
        int step;
        std::uint32_t lastAfter;
        std::uint32_t held = 0;  // since when the mouse is in the margin; 0: it was not
        int bottom = 600;
    };
    // clang-format off
    const Case cases[] = {
        {"above the top margin's inner line: no step",                30,        0,            5000,         0,          0},
        {"a pixel into the top margin: a row up",                     29,        0,            5000,         -1,         5000},
        {"at the top edge: a row up",                                 0,         0,            5000,         -1,         5000},
        {"50 pixels above the list: a quarter of the way to a page",  -50,       0,            5000,         -10,        5000},
        {"100 pixels above: a page",                                  -100,      0,            5000,         -page,      5000},
        {"far above: at most four pages",                             -1000000,  0,            5000,         -4 * page,  5000},
        {"a pixel into the bottom margin: a row down",                h - 29,    0,            5000,         1,          5000},
        {"at the bottom margin's inner line: no step",                h - 30,    0,            5000,         0,          0},
        {"100 pixels below: a page",                                  h + 100,   0,            5000,         page,       5000},
        {"the top margin wins when the list is narrow",  10,  0,  5000,  -1,  5000,  0,  20},
        {"50 ms after a step is too early",                           -100,      1000,         1050,         0,          1000},
        {"51 ms after a step is allowed",                             -100,      1000,         1051,         -page,      1051},
        {"the counter wrapping between the readings",                 -100,      0xFFFFFFF0u,  0x00000022u,  0,          0xFFFFFFF0u},
        {"the counter wrapping, 51 ms on",                            -100,      0xFFFFFFF0u,  0x00000023u,  -page,      0x23},
        {"held back in the middle does not step either",              300,       1000,         1020,         0,          1000},
        {"the pause ends in the middle: allowed, no step",            300,       1000,         1100,         0,          0},
        {"held 999 ms at the edge: still a row",            h - 29,   0,  5999,   1,         5999,   5000},
        {"held a second: two rows",                         h - 29,   0,  6000,   2,         6000,   5000},
        {"held 1.5 s: four rows",                           h - 29,   0,  6500,   4,         6500,   5000},
        {"held 3.5 s: 64 rows",                             h - 29,   0,  8500,   64,        8500,   5000},
        {"held long: at most four pages",                   h - 29,   0,  60000,  4 * page,  60000,  5000},
        {"held long beyond: at most four pages",            h + 100,  0,  60000,  4 * page,  60000,  5000},
        {"back inside after a long hold: no step at once",  300,      0,  60000,  0,         0,      5000},
    };
    // clang-format on
    for (const Case& c : cases) {
        const AutoScroll s = DecideAutoScroll(c.y, 0, c.bottom, page, {0, c.last, c.held}, c.now);
        EXPECT_EQ(s.step, c.step) << c.what;
        EXPECT_EQ(s.lastScrollTick, c.lastAfter) << c.what;
        const bool inMargin = c.y < kScrollMargin || c.y > c.bottom - kScrollMargin;
        EXPECT_EQ(s.heldSince, inMargin ? (c.held ? c.held : c.now) : 0u) << c.what;
    }
}

TEST(Arrangement, OkCommitsTheListOnlyWhenItHoldsEveryRowOnce) {
    using Result = std::optional<ReorderResult>;
    struct Case {
        const char* what;
        std::vector<std::int32_t> items;
        std::vector<bool> checked;  // by position
        std::size_t rows;
        Result expected;
        std::vector<std::string> headings = {"a", "b", "c"};
    };
    const std::int32_t a = HeadingItem(0), b = HeadingItem(1), c = HeadingItem(2);
    // clang-format off
    const Case cases[] = {
        {"every row once, reordered; each box read at its own position",                              {2, 0, 1},                 {true, false, true},       3,  ReorderResult{{2, 0, 1}, {false, true, false}}},
        {"the empty list",                                                                            {},                        {},                        0,  ReorderResult{}},
        {"a row lost",                                                                                {2, 0},                    {true, true},              3,  std::nullopt},
        {"a row twice",                                                                               {2, 0, 0},                 {true, true, true},        3,  std::nullopt},
        {"an index past the rows",                                                                    {2, 0, 3},                 {true, true, true},        3,  std::nullopt},
        {"a negative index",                                                                          {2, 0, -1},                {true, true, true},        3,  std::nullopt},
        {"a check box missing",                                                                       {1, 0},                    {true},                    2,  std::nullopt},
        {"rows above the first heading join its group; one without rows, or at the end, makes none",  {0, a, 1, b, c, 2, 3, b},  {1, 1, 0, 1, 1, 1, 1, 1},  4,  ReorderResult{{0, 1, 2, 3}, {0, 1, 0, 0}, {}, {{"a", 0}, {"c", 2}}}},
        {"a heading without a name",  {c, 0},  {1, 1},  1,  std::nullopt,  {"a"}},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(CommitList({c.items, c.checked, c.headings}, c.rows), c.expected) << c.what;
}

TEST(Arrangement, GroupsAreHeadingsMadeRenamedRemovedAndMovedInTheList) {
    enum class Op { Make, Rename, Remove, Up };
    struct Case {
        const char* what;
        Op op;
        std::string before, after, typed = "";
    };
    const std::string x63(63, 'x');
    // clang-format off
    const Case cases[] = {
        {"made at the first row with none yet",                                   Op::Make,    "A^BC",              "[G1]*^ABC"},
        {"made below the top with none yet: グループ 1 above the first row too",  Op::Make,    "AB*C^",             "[G1]AB[G2]*^C"},
        {"the smallest number no name holds",                                     Op::Make,    "[G1]A[x]B[G3]C^",   "[G1]A[x]B[G3][G2]*^C"},
        {"nothing typed keeps the name",                                          Op::Rename,  "[G1]^AB",           "[G1]^AB", ""},
        {"64 bytes at most, cut at a character's end",                            Op::Rename,  "[G1]^A",            "[" + x63 + "]^A", x63 + "\x83\x4f"},
        {"the first heading stays while others remain, and says why there",       Op::Remove,  "A[x]*^B[y]C",       "A[x]*^!B[y]C"},
        {"another goes, its rows joining the group above; nothing to say",        Op::Remove,  "[x]A*[y]*^B[z]C",   "[x]A*B^[z]C"},
        {"the only heading goes: no groups",                                      Op::Remove,  "[G1]*^AB",          "A^B"},
        {"every heading selected goes, the rows stay selected",                   Op::Remove,  "[x]*A*[y]*B*^",     "A*B*^"},
        {"the last item gone: the focus on the one before",                       Op::Remove,  "[x]A[y]*^",         "[x]A^"},
        {"a heading moves like a row and carries no rows",                        Op::Up,      "[x]AB[y]*^C",       "[x]A[y]*^BC"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ListUpdate before = ListOf(c.before);
        ListUpdate after = before;
        if (c.op == Op::Make) after = MakeGroup(before.list, before.focused);
        if (c.op == Op::Rename) after.list = RenameGroup(before.list, before.focused, c.typed);
        Removal removal;
        if (c.op == Op::Remove) after = (removal = RemoveGroups(before.list, before.selected, before.focused)).update;
        if (c.op == Op::Up) after = UpdateForMove(before.list, before.selected, before.focused, {MoveKind::Up});
        EXPECT_EQ(TextOf(after.list, after.selected, after.focused, removal.kept), c.after) << c.what;
        EXPECT_EQ(after.list.headings.size(), std::count(c.after.begin(), c.after.end(), '[')) << c.what;
    }
    // Opened: a heading before each group's first row, the first on top; no name, not after the last, past the rows:
    // out
    const std::vector<ReorderRow> rows = {{"A"}, {"B", 1, true}, {"C"}};
    EXPECT_EQ(TextOf(OpenList(rows, {{"x", 1}, {"y", 1}, {"", 2}, {"z", 9}, {"w", 2}})), "[x]Ab[w]C");
}

TEST(Arrangement, UndoTakesBackEachChangeWithItsSelectionAndRedoDoesItAgain) {
    enum class Op { Move, Group, Box, Words, Undo, Redo, UndoAll };
    struct Case {  // a step of one dialog: a change, Ctrl+Z or Ctrl+Y, with the selection shown before it
        const char* what;
        Op op;
        std::vector<int> selected;  // shown before the step
        int focused;
        std::string after;                                  // and A's words
        std::optional<Selection> shownWith = std::nullopt;  // Ctrl+Z and Ctrl+Y
    };
    // clang-format off
    const Case cases[] = {
        {"C to the top",                          Op::Move,   {2},  2,  "CAB"},
        {"a move that moves nothing is no step",  Op::Move,   {0},  0,  "CAB"},
        {"a group before A",                      Op::Group,  {0},  0,  "[G1]C[G2]AB"},
        {"B's box",                               Op::Box,    {},   4,  "[G1]C[G2]Ab"},
        {"A's words",                             Op::Words,  {3},  3,  "[G1]C[G2]Abblur"},
        {"undo: the words",                                               Op::Undo,     {1},  1,   "[G1]C[G2]Ab",      Selection{{3}, 3}},
        {"redo: the words",                                               Op::Redo,     {1},  1,   "[G1]C[G2]Abblur",  Selection{{1}, 1}},
        {"undo: the words again",                                         Op::Undo,     {1},  1,   "[G1]C[G2]Ab",      Selection{{1}, 1}},
        {"undo: the box",                                                 Op::Undo,     {1},  1,   "[G1]C[G2]AB",      Selection{{}, 4}},
        {"redo: the box, with the selection it was left with",            Op::Redo,     {2},  2,   "[G1]C[G2]Ab",      Selection{{1}, 1}},
        {"undo: the box again",                                           Op::Undo,     {},   -1,  "[G1]C[G2]AB",      Selection{{2}, 2}},
        {"a new change",                          Op::Box,    {},   1,  "[G1]c[G2]AB"},
        {"drops what was undone",                                         Op::Redo,     {},   1,   "[G1]c[G2]AB",      std::nullopt},
        {"undo to the dialog's opening state, the first selection back",  Op::UndoAll,  {},   -1,  "ABC",              Selection{{2}, 2}},
    };
    // clang-format on
    DialogList shown{{{"A"}, {"B"}, {"C"}}, ListOf("ABC").list};
    for (const Case& c : cases) {
        const Arrangement& list = shown.list;
        const Selection now{c.selected, c.focused};
        if (c.op == Op::Move) ApplyChange(shown, UpdateForMove(list, now.selected, -1, {MoveKind::ToTop}).list, now);
        if (c.op == Op::Group) ApplyChange(shown, MakeGroup(list, 1).list, now);
        if (c.op == Op::Box) ApplyChecks(shown, SpaceChecks(now.focused, {}, list), now);
        if (c.op == Op::Words) ApplyWords(shown, 3, "blur", now);
        std::optional<Selection> shownWith;
        if (c.op == Op::Undo || c.op == Op::Redo) shownWith = StepHistory(shown, now, c.op == Op::Undo);
        for (auto next = shownWith; c.op == Op::UndoAll && (next = StepHistory(shown, now, true));) shownWith = next;
        EXPECT_EQ(shownWith, c.shownWith) << c.what;
        EXPECT_EQ(TextOf(shown.list).append(shown.rows[0].words), c.after) << c.what;
    }
}

TEST(Arrangement, TheFindBoxFindsThePositionsWhoseRowsMatch) {
    const std::vector<ReorderRow> rows = {{"Blur", 1, false}, {"Sharpen", 1, false}, {"Blur more", 1, true}};
    const std::vector<std::int32_t> items = {2, 0, 1, 7};                  // as the list shows them; 7 leads nowhere
    EXPECT_EQ(FindInList(rows, items, "blur"), (std::vector<int>{0, 1}));  // hidden rows too, in list order
    EXPECT_EQ(FindInList(rows, items, "more BLUR"), (std::vector<int>{0}));
    EXPECT_EQ(FindInList(rows, items, ""), (std::vector<int>{}));                     // nothing typed selects nothing
    EXPECT_EQ(FindInList(rows, {HeadingItem(0), 0}, "blur"), (std::vector<int>{1}));  // never a heading
}

TEST(Arrangement, DownAndF3WalkTheMatchesGoingRound) {
    struct Case {
        const char* what;
        std::vector<int> found;
        int focused;
        bool forward;
        int next;
    };
    // clang-format off
    const Case cases[] = {
        {"the next after the focus",    {2, 5, 9},  5,   true,   9},
        {"from between two matches",    {2, 5, 9},  3,   true,   5},
        {"after the last: the first",   {2, 5, 9},  9,   true,   2},
        {"the one before",              {2, 5, 9},  5,   false,  2},
        {"before the first: the last",  {2, 5, 9},  2,   false,  9},
        {"from between, backwards",     {2, 5, 9},  7,   false,  5},
        {"no focus: the first",         {2, 5, 9},  -1,  true,   2},
        {"no matches",                  {},         3,   true,   -1},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(NextMatch(c.found, c.focused, c.forward), c.next) << c.what;
}

TEST(Arrangement, TheListsOwnFindTakesTheFirstRowFromTheStartThatBeginsWithTheLetters) {
    const std::vector<ReorderRow> rows = {{"Blur", 1, false}, {"Sharpen", 1, false}, {"blob", 1, false}};
    const std::vector<std::int32_t> items = {1, 0, 2};  // Sharpen, Blur, blob
    struct Case {
        const char* typed;
        int start, found;
    };
    EXPECT_EQ(FindByBeginning(rows, {HeadingItem(0), 1}, "s", 0), 1);  // a heading is passed over
    const Case cases[] = {{"b", 0, 1},   {"B", 2, 2},  {"bl", 2, 2},  {"blu", 2, 1},       {"s", 1, 0},
                          {"x", 0, -1},  {"", 0, -1},  {"b", 7, 1},   {"sharpenx", 0, -1}, {"bb", 1, 2},
                          {"bbb", 2, 1}, {"bb", 7, 1}, {"blob", 0, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(FindByBeginning(rows, items, c.typed, c.start), c.found) << c.typed << c.start;
}

TEST(KeyMeaning, EachKeyInTheListMeansWhatTheGuideSays) {
    constexpr KeyMessage kDown = KeyMessage::KeyDown, kAlt = KeyMessage::SysKeyDown, kChar = KeyMessage::Char;
    const KeyMeaning pass{}, toggle{KeyAction::ToggleChecks}, all{KeyAction::SelectAll}, swallow{KeyAction::Swallow};
    struct Case {
        const char* what;
        KeyPress press;
        KeyMeaning expected;
    };
    // clang-format off
    const Case cases[] = {
        {"Alt+Up",                                          {kAlt, kKeyUp},        {KeyAction::MoveRows, MoveKind::Up, true}},
        {"Alt+Down",                                        {kAlt, kKeyDown},      {KeyAction::MoveRows, MoveKind::Down, true}},
        {"Alt+Home",                                        {kAlt, kKeyHome},      {KeyAction::MoveRows, MoveKind::ToTop, true}},
        {"Alt+End",                                         {kAlt, kKeyEnd},       {KeyAction::MoveRows, MoveKind::ToBottom, true}},
        {"Alt+Space stays the system menu's",               {kAlt, kKeySpace},     pass},
        {"Up without Alt moves the focus, as in any list",  {kDown, kKeyUp},       pass},
        {"Space",                                           {kDown, kKeySpace},    toggle},
        {"Ctrl+A",                                          {kDown, kKeyA, true},  all},
        {"A alone finds a row by its name",                 {kDown, kKeyA},        pass},
        {"Ctrl+F",                                          {kDown, kKeyF, true},  {KeyAction::FindText}},
        {"F alone finds a row by its name",                 {kDown, kKeyF},        pass},
        {"F2 edits the row's words",                        {kDown, kKeyF2},       {KeyAction::EditInPlace}},
        {"Ctrl+G",                                          {kDown, kKeyG, true},  {KeyAction::MakeGroup}},
        {"G alone finds",                                   {kDown, kKeyG},        pass},
        {"Delete",                                          {kDown, kKeyDelete},   {KeyAction::RemoveGroups}},
        {"Ctrl+Z",                                          {kDown, kKeyZ, true},  {KeyAction::Undo}},
        {"Ctrl+Y",                                          {kDown, kKeyY, true},  {KeyAction::Redo}},
        {"Z alone finds",                                   {kDown, kKeyZ},        pass},
        {"Ctrl+G's character",                              {kChar, kCharCtrlG},   swallow},
        {"Ctrl+Z's",                                        {kChar, kCharCtrlZ},   swallow},
        {"Ctrl+Y's",                                        {kChar, kCharCtrlY},   swallow},
        {"the space Space types",                           {kChar, kCharSpace},   swallow},
        {"the character Ctrl+A types",                      {kChar, kCharCtrlA},   swallow},
        {"a letter typed",                                  {kChar, 'a'},          pass},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(MeaningOfKey(c.press), c.expected) << c.what;
}

TEST(KeyMeaning, SpaceFlipsTheFocusedAndTheSelectedRowsTogether) {
    // Rows 0 to 3, row 1's box unchecked; a heading at position 4.
    const Arrangement list = ListOf("AbCD[h]").list;
    struct Case {
        const char* what;
        int focused;
        std::vector<int> selected;
        CheckChange expected;
    };
    // clang-format off
    const Case cases[] = {
        {"the focused row alone, not selected",                  1,   {},               {{1}, true}},
        {"the focused row and the selection take its opposite",  2,   {0, 3},           {{0, 2, 3}, false}},
        {"a focused row among the selected ones counts once",    1,   {1, 2},           {{1, 2}, true}},
        {"no focused row: the first selected row leads",         -1,  {1, 3},           {{1, 3}, true}},
        {"neither: nothing",                                     -1,  {},               {{}, false}},
        {"a focus past the rows is no focus",                    9,   {0},              {{0}, false}},
        {"a heading focused alone: nothing",                     4,   {},               {{}, false}},
        {"every item selected: the rows, the first leading",     4,   {0, 1, 2, 3, 4},  {{0, 1, 2, 3}, false}},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(SpaceChecks(c.focused, c.selected, list), c.expected) << c.what;
}

TEST(DialogLayout, TheListTakesTheRoomAndTheButtonsKeepTheBottomRight) {
    // The template's client area, 480 x 280, and its controls; the find box after its label.
    DialogControls opened{{11, 31, 466, 229}, {287, 247, 374, 270}, {380, 247, 467, 270}, {}, {}, {11, 247, 98, 270}};
    AddFindBar(opened, {11, 11, 200, 24});
    EXPECT_EQ(opened.find, (Rect{208, 7, 398, 27}));
    EXPECT_EQ(opened.count, (Rect{406, 7, 466, 27}));
    DialogControls narrow = opened;  // a label reaching past the count: the box has no width, no less
    AddFindBar(narrow, {11, 11, 440, 24});
    EXPECT_EQ(narrow.find, (Rect{448, 7, 448, 27}));
    struct Case {
        const char* what;
        WindowSize client;
        DialogControls expected;
    };
    // clang-format off
    const Case cases[] = {
        {"as opened",                                                             {480, 280},  opened},
        {"200 wider and 300 taller: the find box wider, its count at the right",  {680, 580},  {{11, 31, 666, 529}, {487, 547, 574, 570}, {580, 547, 667, 570}, {208, 7, 598, 27}, {606, 7, 666, 27}, {11, 547, 98, 570}}},
        {"smaller than the template: as opened",                                  {300, 100},  opened},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(ResizeControls(opened, {480, 280}, c.client), c.expected) << c.what;
}

TEST(DialogLayout, TheDialogOpensAtTheStoredSizeWithinTheWorkAreaNeverSmallerThanTheTemplate) {
    const Rect opened{300, 100, 786, 406};  // the template's 486 x 306 at the palette's corner
    const Rect work{0, 0, 1024, 768};
    struct Case {
        const char* what;
        std::optional<WindowSize> stored;
        Rect work;
        Rect expected;
        int allRowsHeight = 306;
    };
    // clang-format off
    const Case cases[] = {
        {"never sized, few rows: as the template",                                       std::nullopt,            work,              opened},
        {"never sized, many rows: as tall as they need",              std::nullopt,  work,  {300, 100, 786, 600},  500},
        {"never sized, thousands of rows: as tall as the work area",  std::nullopt,  work,  {300, 0, 786, 768},    50000},
        {"a stored size, moved left and up to fit",                                      WindowSize{800, 700},    work,              {224, 68, 1024, 768}},
        {"a tiny stored size: the template's",                                           WindowSize{10, 10},      work,              opened},
        {"larger than the screen: the work area",                                        WindowSize{5000, 5000},  work,              {0, 0, 1024, 768}},
        {"a work area smaller than the template: the template's size, at its top left",  std::nullopt,            {0, 0, 400, 300},  {0, 0, 486, 306}},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(PlaceDialog(opened, c.stored, c.allRowsHeight, c.work), c.expected) << c.what;
}

}  // namespace
}  // namespace kirabo
