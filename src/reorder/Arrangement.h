// The reorder dialog's decisions: where dragged rows land, how the selected rows move by key, when
// the list scrolls by itself, which rows the find box finds, the user's groups, what undo takes
// back, and whether the list still holds every row at OK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reorder/ReorderRows.h"

namespace kirabo {

// The dialog's list, which the list view only shows: at each position, top to bottom, a row (its
// index when the dialog opened) or a group's heading, and each position's check box (a heading's
// stays checked).
struct Arrangement {
    std::vector<std::int32_t> items;
    std::vector<bool> checked;
    std::vector<std::string> headings{};  // the groups' names, Shift-JIS, by HeadingIndex
    bool operator==(const Arrangement&) const = default;
};

// A heading's item is below zero: -1 for headings[0], -2 for headings[1], and so on.
constexpr bool IsHeading(std::int32_t item) { return item < 0; }
constexpr std::int32_t HeadingItem(std::size_t heading) { return -1 - static_cast<std::int32_t>(heading); }
constexpr std::size_t HeadingIndex(std::int32_t item) { return static_cast<std::size_t>(-1 - item); }

enum class MoveKind : std::uint8_t {
    Drop,  // after `anchor`
    Up,    // every selected item one place up, past the nearest unselected one
    Down,
    ToTop,  // the selected items first, in their order
    ToBottom,
};

struct Move {
    MoveKind kind = MoveKind::Drop;
    int anchor = -1;  // Drop only: the position the items follow once taken out; -1 is the top
};

// True when y lies in the upper third of an item running from top to bottom.
bool InUpperThird(int y, int top, int bottom);

// Where the drag image's top left stands from the drag point: clear of the arrow to its right and a
// row lower, so that the row under the point and the line at its edge stay in sight.
struct DragOffset {
    int x = 0, y = 0;
    bool operator==(const DragOffset&) const = default;
};
inline constexpr int kDragImageRight = 16;
DragOffset DragImageOffset(int rowHeight);

// The anchor of a drop on item `hit`, before it (upper third) or after it, once the selected items
// have been taken out.
int DropAnchor(int hit, bool upperThird, const std::vector<int>& selected);

// The list after a move, its selection (ascending), and the row to focus and scroll into view (-1:
// leave it).
struct ListUpdate {
    Arrangement list;
    std::vector<int> selected;
    int focused = -1;
    bool operator==(const ListUpdate&) const = default;
};

// The selected items move as one decision, whatever the list's size, in one pass over it, each check
// box going with its item (a position without one counts as checked). The moved items stay
// selected, at their new places, after a drop as after a key. The focused row, when there is one,
// keeps the focus wherever it goes; a key with nothing selected moves the focused row; after a drop
// the first dropped row takes the focus.
ListUpdate UpdateForMove(const Arrangement& before, const std::vector<int>& selected, int focused, Move move);

// The rows whose selection changes from `before` to `after`, both ascending: each is set once, the
// rows selected on both sides not at all, so that showing a selection costs the rows it changes.
struct SelectionChange {
    std::vector<int> deselect, select;
    bool operator==(const SelectionChange&) const = default;
};
SelectionChange ChangeSelection(const std::vector<int>& before, const std::vector<int>& after);

// The result at OK: nothing when the rows do not hold every row below `count` once (a list that
// lost or doubled one would lose a row and its controls). A heading with no row under it makes no
// group, and the first group takes the rows above its heading too.
std::optional<ReorderResult> CommitList(const Arrangement& list, std::size_t count);

// The list the dialog opens with: the rows in their order, each box checked unless the row is
// hidden, and a heading before each group's first row, the first heading at the top. A group
// without a name, or not starting after the group before it at a row there is, is left out; a
// name too long is cut as RenameGroup cuts it.
Arrangement OpenList(const std::vector<ReorderRow>& rows, const std::vector<Group>& groups);

// Ctrl+G: a heading before `position` (at the end when past it) named "グループ N", N the smallest
// number no heading's name holds; made where the list has no heading yet, below the top, it comes
// with "グループ 1" above the first row. The new heading alone is selected and focused.
ListUpdate MakeGroup(const Arrangement& before, int position);

// F2 on a heading: the name typed in place, cut after kGroupNameBytes at a character's end, or the
// name it had when nothing is typed.
Arrangement RenameGroup(const Arrangement& before, int position, std::string_view typed);

// Delete: the selected headings go, their rows joining the group above; the first heading only with
// every other one. The selected rows stay selected; the focus stays with its item, or, that
// heading gone, goes to the item that took its place. The first heading selected and kept is where
// Delete says why (kFirstHeadingKept).
struct Removal {
    ListUpdate update;
    int kept = -1;  // the position of the first heading, selected and kept; -1: nothing selected kept
    bool operator==(const Removal&) const = default;
};
Removal RemoveGroups(const Arrangement& before, const std::vector<int>& selected, int focused);
// 最初の見出しは、ほかの見出しがある間は消せません。
inline constexpr char kFirstHeadingKept[] =
    "\x8d\xc5\x8f\x89\x82\xcc\x8c\xa9\x8f\x6f\x82\xb5\x82\xcd\x81\x41\x82\xd9\x82\xa9\x82\xcc\x8c\xa9\x8f\x6f\x82\xb5"
    "\x82\xaa\x82\xa0\x82\xe9\x8a\xd4\x82\xcd\x8f\xc1\x82\xb9\x82\xdc\x82\xb9\x82\xf1\x81\x42";

// The selection and focus a state of the list is shown with.
struct Selection {
    std::vector<int> selected;
    int focused = -1;
    bool operator==(const Selection&) const = default;
};

// A state Ctrl+Z or Ctrl+Y returns to: the list with its selection, and, for a change of a row's
// words, the row and its words.
struct UndoStep {
    Arrangement list;
    Selection selection;
    std::int32_t wordsRow = -1;
    std::string words{};
    bool operator==(const UndoStep&) const = default;
};

// The rows the dialog opened with (their words the user's edits) and the list it shows them in:
// while the dialog is open, the one home of the order, the check boxes, the groups and the steps to
// undo and to do again.
struct DialogList {
    std::vector<ReorderRow> rows;
    Arrangement list;
    std::vector<UndoStep> undo{}, redo{};
};

// Space or a click: the check boxes of these positions set.
struct CheckChange {
    std::vector<int> positions;
    bool checked = false;
    bool operator==(const CheckChange&) const = default;
};

// A change of the list to `next`, shown with `now` before it: the state it leaves becomes the step
// Ctrl+Z returns to, and the steps undone before are gone. False, and no step, when nothing changes.
bool ApplyChange(DialogList& shown, Arrangement next, const Selection& now);
// The same for check boxes set; false when the change sets none.
bool ApplyChecks(DialogList& shown, const CheckChange& change, const Selection& now);
// The words of the row at `position`, typed in place; false when they stay the same.
bool ApplyWords(DialogList& shown, int position, std::string words, const Selection& now);
// Ctrl+Z (back) or Ctrl+Y: the state one step that way taken, the one shown kept to return to; the
// selection to show it with, or nothing at the end of the way.
std::optional<Selection> StepHistory(DialogList& shown, Selection now, bool back);

// The positions whose rows' names hold what was typed into the find box (the palette's rule);
// nothing when nothing was typed. `items` holds each position's row.
std::vector<int> FindInList(const std::vector<ReorderRow>& rows, const std::vector<std::int32_t>& items,
                            std::string_view typed);

// The match after the focused position (forward) or before it, going round at the ends; -1 without
// matches.
int NextMatch(const std::vector<int>& found, int focused, bool forward);

// The list's own find as the user types a row's first letters: the first position from `start` (the
// focused row, or the one after it) on, going round, whose name begins with them (ASCII letters
// without case); one letter typed again and again that no name begins with ("bb") takes the next
// row after `start` that begins with the letter. -1 for none.
int FindByBeginning(const std::vector<ReorderRow>& rows, const std::vector<std::int32_t>& items, std::string_view typed,
                    int start);

// A drag near the list's top or bottom edge scrolls it: a row a step within the margin and at the
// edge, growing with the distance beyond it to a page a step 100 pixels past it, and with the time
// the mouse stays in the margin or beyond (twice the rows every kHoldDoublingMs once it has stayed
// kHoldBeforeFasterMs), at most kMostPagesAStep pages; a step at most every kScrollPauseMs, on a
// move or a tick of the timer.
inline constexpr int kScrollMargin = 30;
inline constexpr int kFullPageDistance = 100;  // beyond the edge
inline constexpr int kMostPagesAStep = 4;
inline constexpr std::uint32_t kScrollPauseMs = 50;
inline constexpr std::uint32_t kHoldBeforeFasterMs = 1000;
inline constexpr std::uint32_t kHoldDoublingMs = 500;

struct AutoScroll {
    int step = 0;                      // rows: negative towards the top
    std::uint32_t lastScrollTick = 0;  // the last step's time; 0: a step is allowed now
    std::uint32_t heldSince = 0;       // since when the mouse is in the margin or beyond; 0: it is not
    bool operator==(const AutoScroll&) const = default;
};

// y in the list's client coordinates; `page` the rows the list shows at once; `before` the last
// answer; the answer stamps a step with `now`.
AutoScroll DecideAutoScroll(int y, int clientTop, int clientBottom, int page, const AutoScroll& before,
                            std::uint32_t now);

}  // namespace kirabo
