#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reorder/Arrangement.h"
#include "reorder/DialogLayout.h"
#include "reorder/KeyMeaning.h"

namespace kirabo {
namespace {

// Items as letters, the selection as positions; the result as letters with the selected ones in
// lower case, so that one string shows both.
std::string Moved(const std::string& items, const std::vector<int>& selected, Move move) {
    const ListUpdate after = UpdateForMove({{items.begin(), items.end()}, {}}, selected, -1, move);
    std::string shown(after.list.items.begin(), after.list.items.end());
    for (int s : after.selected) shown[static_cast<std::size_t>(s)] = static_cast<char>(shown[static_cast<std::size_t>(s)] + 32);
    return shown;
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
    const Case cases[] = {
        {"B and F onto the upper third of E", {1, 5}, kDrop, 4, true, 2, "ACDbfE"},
        {"B and F onto the lower two-thirds of E", {1, 5}, kDrop, 4, false, 3, "ACDEbf"},
        {"to the top: the upper third of the first item", {2, 4}, kDrop, 0, true, -1, "ceABDF"},
        {"to the end: the lower part of the last item", {0, 1}, kDrop, 5, false, 3, "CDEFab"},
        {"onto a dragged item itself, lower part of C", {1, 2}, kDrop, 2, false, 1, "ADbcEF"},
        {"onto a dragged item itself, upper third of C", {1, 2}, kDrop, 2, true, 1, "ADbcEF"},
        {"onto a dragged item itself, upper third of B", {1, 2}, kDrop, 1, true, 0, "AbcDEF"},
        {"the last items onto the last item stay at the end", {4, 5}, kDrop, 5, false, 4, "ABCDef"},
        {"nothing selected moves nothing", {}, kDrop, 3, false, 3, "ABCDEF"},
        {"Alt+Up: B and D one place up", {1, 3}, kUp, 0, false, 0, "bAdCEF"},
        {"Alt+Down: B and D one place down", {1, 3}, kDown, 0, false, 0, "ACbEdF"},
        {"Alt+Down: the first row", {0}, kDown, 0, false, 0, "BaCDEF"},
        {"Alt+Up: a block at the top stays, the rest move", {0, 1, 4}, kUp, 0, false, 0, "abCeDF"},
        {"Alt+Down: a block at the bottom stays, the rest move", {1, 4, 5}, kDown, 0, false, 0, "ACbDef"},
        {"Alt+Up: a block passes one unselected row", {2, 3}, kUp, 0, false, 0, "AcdBEF"},
        {"Alt+Up: gaps between the selected rows", {1, 3, 5}, kUp, 0, false, 0, "bAdCfE"},
        {"Alt+Home: to the top, in their order", {2, 4}, MoveKind::ToTop, 0, false, 0, "ceABDF"},
        {"Alt+End: to the bottom, in their order", {0, 3}, MoveKind::ToBottom, 0, false, 0, "BCEFad"},
        {"a key with nothing selected moves nothing", {}, kUp, 0, false, 0, "ABCDEF"},
        {"a key with everything selected moves nothing", {0, 1, 2, 3, 4, 5}, kDown, 0, false, 0, "abcdef"},
    };
    for (const Case& c : cases) {
        if (c.kind == kDrop) {
            EXPECT_EQ(DropAnchor(c.hit, c.upperThird, c.selected), c.anchor) << c.what;
        }
        EXPECT_EQ(Moved("ABCDEF", c.selected, {c.kind, c.anchor}), c.expected) << c.what;
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
    const Case cases[] = {
        {"Alt+Down on the first row", {0}, 0, {MoveKind::Down}, "bACD", {1}, 1},
        {"the first row's box unchecked goes with it", {0}, 0, {MoveKind::Down}, "BaCD", {1}, 1, {false, true, true, true}},
        {"Alt+End, the focus on an unselected row", {0, 1}, 2, {MoveKind::ToBottom}, "CDAb", {2, 3}, 0},
        {"a drop at the top: the dropped row selected and focused", {3}, -1, {MoveKind::Drop, -1}, "DAbC", {0}, 0},
        {"a drop of two rows: the first of them focused", {2, 3}, -1, {MoveKind::Drop, -1}, "CDAb", {0, 1}, 0},
        {"nothing that moves changes nothing", {0}, 0, {MoveKind::Up}, "AbCD", {0}, 0},
        {"Alt+Down with nothing selected moves the focused row", {}, 1, {MoveKind::Down}, "ACbD", {2}, 2},
    };
    for (const Case& c : cases) {
        const ListUpdate update = UpdateForMove({{0, 1, 2, 3}, c.boxes}, c.selected, c.focused, c.move);
        std::string after;
        for (std::size_t i = 0; i < update.list.items.size(); ++i) {
            after += static_cast<char>((update.list.checked[i] ? 'A' : 'a') + update.list.items[i]);
        }
        EXPECT_EQ(after, c.after) << c.what;
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
    const Case cases[] = {{0, 0, 16, true}, {4, 0, 16, true}, {5, 0, 16, false}, {15, 0, 16, false},
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
    const Case cases[] = {
        {"above the top margin's inner line: no step", 30, 0, 5000, 0, 0},
        {"a pixel into the top margin: a row up", 29, 0, 5000, -1, 5000},
        {"at the top edge: a row up", 0, 0, 5000, -1, 5000},
        {"50 pixels above the list: a quarter of the way to a page", -50, 0, 5000, -10, 5000},
        {"100 pixels above: a page", -100, 0, 5000, -page, 5000},
        {"far above: at most four pages", -1000000, 0, 5000, -4 * page, 5000},
        {"a pixel into the bottom margin: a row down", h - 29, 0, 5000, 1, 5000},
        {"at the bottom margin's inner line: no step", h - 30, 0, 5000, 0, 0},
        {"100 pixels below: a page", h + 100, 0, 5000, page, 5000},
        {"the top margin wins when the list is narrow", 10, 0, 5000, -1, 5000, 0, 20},
        {"50 ms after a step is too early", -100, 1000, 1050, 0, 1000},
        {"51 ms after a step is allowed", -100, 1000, 1051, -page, 1051},
        {"the counter wrapping between the readings", -100, 0xFFFFFFF0u, 0x00000022u, 0, 0xFFFFFFF0u},
        {"the counter wrapping, 51 ms on", -100, 0xFFFFFFF0u, 0x00000023u, -page, 0x23},
        {"held back in the middle does not step either", 300, 1000, 1020, 0, 1000},
        {"the pause ends in the middle: allowed, no step", 300, 1000, 1100, 0, 0},
        {"held 999 ms at the edge: still a row", h - 29, 0, 5999, 1, 5999, 5000},
        {"held a second: two rows", h - 29, 0, 6000, 2, 6000, 5000},
        {"held 1.5 s: four rows", h - 29, 0, 6500, 4, 6500, 5000},
        {"held 3.5 s: 64 rows", h - 29, 0, 8500, 64, 8500, 5000},
        {"held long: at most four pages", h - 29, 0, 60000, 4 * page, 60000, 5000},
        {"held long beyond: at most four pages", h + 100, 0, 60000, 4 * page, 60000, 5000},
        {"back inside after a long hold: no step at once", 300, 0, 60000, 0, 0, 5000},
    };
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
    };
    const Case cases[] = {
        {"every row once, reordered; each box read at its own position", {2, 0, 1}, {true, false, true}, 3,
         ReorderResult{{2, 0, 1}, {false, true, false}}},
        {"the empty list", {}, {}, 0, ReorderResult{}},
        {"a row lost", {2, 0}, {true, true}, 3, std::nullopt},
        {"a row twice", {2, 0, 0}, {true, true, true}, 3, std::nullopt},
        {"an index past the rows", {2, 0, 3}, {true, true, true}, 3, std::nullopt},
        {"a negative index", {2, 0, -1}, {true, true, true}, 3, std::nullopt},
        {"a check box missing", {1, 0}, {true}, 2, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(CommitList({c.items, c.checked}, c.rows), c.expected) << c.what;
}

TEST(Arrangement, TheFindBoxFindsThePositionsWhoseRowsMatch) {
    const std::vector<ReorderRow> rows = {{"Blur", 1, false}, {"Sharpen", 1, false}, {"Blur more", 1, true}};
    const std::vector<std::int32_t> items = {2, 0, 1, 7};  // as the list shows them; 7 leads nowhere
    EXPECT_EQ(FindInList(rows, items, "blur"), (std::vector<int>{0, 1}));  // hidden rows too, in list order
    EXPECT_EQ(FindInList(rows, items, "more BLUR"), (std::vector<int>{0}));
    EXPECT_EQ(FindInList(rows, items, ""), (std::vector<int>{}));  // nothing typed selects nothing
}

TEST(Arrangement, DownAndF3WalkTheMatchesGoingRound) {
    struct Case {
        const char* what;
        std::vector<int> found;
        int focused;
        bool forward;
        int next;
    };
    const Case cases[] = {
        {"the next after the focus", {2, 5, 9}, 5, true, 9},
        {"from between two matches", {2, 5, 9}, 3, true, 5},
        {"after the last: the first", {2, 5, 9}, 9, true, 2},
        {"the one before", {2, 5, 9}, 5, false, 2},
        {"before the first: the last", {2, 5, 9}, 2, false, 9},
        {"from between, backwards", {2, 5, 9}, 7, false, 5},
        {"no focus: the first", {2, 5, 9}, -1, true, 2},
        {"no matches", {}, 3, true, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(NextMatch(c.found, c.focused, c.forward), c.next) << c.what;
}

TEST(Arrangement, TheListsOwnFindTakesTheFirstRowFromTheStartThatBeginsWithTheLetters) {
    const std::vector<ReorderRow> rows = {{"Blur", 1, false}, {"Sharpen", 1, false}, {"blob", 1, false}};
    const std::vector<std::int32_t> items = {1, 0, 2};  // Sharpen, Blur, blob
    struct Case {
        const char* typed;
        int start, found;
    };
    const Case cases[] = {{"b", 0, 1}, {"B", 2, 2}, {"bl", 2, 2}, {"blu", 2, 1}, {"s", 1, 0}, {"x", 0, -1},
                          {"", 0, -1},  {"b", 7, 1}, {"sharpenx", 0, -1}, {"bb", 1, 2}, {"bbb", 2, 1},
                          {"bb", 7, 1}, {"blob", 0, 2}};
    for (const Case& c : cases) EXPECT_EQ(FindByBeginning(rows, items, c.typed, c.start), c.found) << c.typed << c.start;
}

TEST(KeyMeaning, EachKeyInTheListMeansWhatTheGuideSays) {
    constexpr KeyMessage kDown = KeyMessage::KeyDown, kAlt = KeyMessage::SysKeyDown, kChar = KeyMessage::Char;
    const KeyMeaning pass{}, toggle{KeyAction::ToggleChecks}, all{KeyAction::SelectAll}, swallow{KeyAction::Swallow};
    struct Case {
        const char* what;
        KeyPress press;
        KeyMeaning expected;
    };
    const Case cases[] = {
        {"Alt+Up", {kAlt, kKeyUp}, {KeyAction::MoveRows, MoveKind::Up, true}},
        {"Alt+Down", {kAlt, kKeyDown}, {KeyAction::MoveRows, MoveKind::Down, true}},
        {"Alt+Home", {kAlt, kKeyHome}, {KeyAction::MoveRows, MoveKind::ToTop, true}},
        {"Alt+End", {kAlt, kKeyEnd}, {KeyAction::MoveRows, MoveKind::ToBottom, true}},
        {"Alt+Space stays the system menu's", {kAlt, kKeySpace}, pass},
        {"Up without Alt moves the focus, as in any list", {kDown, kKeyUp}, pass},
        {"Space", {kDown, kKeySpace}, toggle},
        {"Ctrl+A", {kDown, kKeyA, true}, all},
        {"A alone finds a row by its name", {kDown, kKeyA}, pass},
        {"Ctrl+F", {kDown, kKeyF, true}, {KeyAction::FindText}},
        {"F alone finds a row by its name", {kDown, kKeyF}, pass},
        {"F2 edits the row's words", {kDown, kKeyF2}, {KeyAction::EditWords}},
        {"the space Space types", {kChar, kCharSpace}, swallow},
        {"the character Ctrl+A types", {kChar, kCharCtrlA}, swallow},
        {"a letter typed", {kChar, 'a'}, pass},
    };
    for (const Case& c : cases) EXPECT_EQ(MeaningOfKey(c.press), c.expected) << c.what;
}

TEST(KeyMeaning, SpaceFlipsTheFocusedAndTheSelectedRowsTogether) {
    // Rows 0 to 3; row 1's box unchecked.
    const std::vector<bool> checked = {true, false, true, true};
    struct Case {
        const char* what;
        int focused;
        std::vector<int> selected;
        CheckChange expected;
    };
    const Case cases[] = {
        {"the focused row alone, not selected", 1, {}, {{1}, true}},
        {"the focused row and the selection take its opposite", 2, {0, 3}, {{0, 2, 3}, false}},
        {"a focused row among the selected ones counts once", 1, {1, 2}, {{1, 2}, true}},
        {"no focused row: the first selected row leads", -1, {1, 3}, {{1, 3}, true}},
        {"neither: nothing", -1, {}, {{}, false}},
        {"a focus past the rows is no focus", 9, {0}, {{0}, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(SpaceChecks(c.focused, c.selected, checked), c.expected) << c.what;
}

TEST(DialogLayout, TheListTakesTheRoomAndTheButtonsKeepTheBottomRight) {
    // The template's client area, 480 x 280, and its controls; the find box after its label.
    DialogControls opened{{11, 31, 466, 229}, {287, 247, 374, 270}, {380, 247, 467, 270}};
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
    const Case cases[] = {
        {"as opened", {480, 280}, opened},
        {"200 wider and 300 taller: the find box wider, its count at the right",
         {680, 580},
         {{11, 31, 666, 529}, {487, 547, 574, 570}, {580, 547, 667, 570}, {208, 7, 598, 27}, {606, 7, 666, 27}}},
        {"smaller than the template: as opened", {300, 100}, opened},
    };
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
    const Case cases[] = {
        {"never sized, few rows: as the template", std::nullopt, work, opened},
        {"never sized, many rows: as tall as they need", std::nullopt, work, {300, 100, 786, 600}, 500},
        {"never sized, thousands of rows: as tall as the work area", std::nullopt, work, {300, 0, 786, 768}, 50000},
        {"a stored size, moved left and up to fit", WindowSize{800, 700}, work, {224, 68, 1024, 768}},
        {"a tiny stored size: the template's", WindowSize{10, 10}, work, opened},
        {"larger than the screen: the work area", WindowSize{5000, 5000}, work, {0, 0, 1024, 768}},
        {"a work area smaller than the template: the template's size, at its top left", std::nullopt,
         {0, 0, 400, 300}, {0, 0, 486, 306}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceDialog(opened, c.stored, c.allRowsHeight, c.work), c.expected) << c.what;
}

}  // namespace
}  // namespace kirabo
