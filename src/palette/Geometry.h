// Which column and tab every row of the palette goes to, and how large the PaletteWindow becomes
// (where a row stands in the window is its view's: Viewport.h): a pure function of
// the rows' name lengths, the layout settings, three of the system's measures (SystemMetrics) and
// what stands above the rows (`top`).
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "controls/ControlFacts.h"

namespace kirabo {

inline constexpr int kFirstColumnX = 14;
inline constexpr int kFirstRowYSideBySide = 5;
inline constexpr int kFirstRowYTabs = 28;
inline constexpr int kRowPitch = 18;
inline constexpr int kControlHeight = 17;
inline constexpr int kButtonWidth = 48;
inline constexpr int kColumnGap = 14;
inline constexpr int kBelowColumn = 17;
inline constexpr int kNameBytePixels = 6;
inline constexpr int kNamePadding = 24;
// The window's room around its client area's content, besides frames and caption.
inline constexpr int kWindowExtraHeight = 14;
inline constexpr int kWindowExtraWidth = 14;      // side by side, right of the last column
inline constexpr int kTabsWindowExtraWidth = 76;  // in tab mode, beside a column's names
inline constexpr int kTabsX = 8;
inline constexpr int kTabsY = 2;
inline constexpr int kTabsExtraWidth = 60;
inline constexpr int kTabsHeightShrink = 11;
// Side by side the tab control waits hidden here, its right edge this far right of the names'.
inline constexpr int kHiddenTabsLeft = 9;
inline constexpr int kHiddenTabsExtraRight = 67;
inline constexpr int kHiddenTabsBottom = 20;
// The find box's strip at the top of the client area, while it is open: the rows and the tab
// control move down by its height.
inline constexpr int kFindBarHeight = 24;
inline constexpr int kFindBoxTop = 2;
inline constexpr int kFindBoxHeight = 20;
inline constexpr int kFindBoxLeft = 4;
// More tabs than this could never be told apart on screen; a damaged stored column count must
// not make the layout insert billions of them.
inline constexpr int kMaxColumnTabs = 64;

// A name longer than this many bytes is cut in its row (Frame.h), so that one long name cannot
// make every column as wide as itself; up to it a column is as wide as its longest name.
inline constexpr std::size_t kNameCapBytes = 64;

struct RowInput {
    std::size_t nameBytes = 0;
    bool leftOut = false;      // no place and no part in the sizes: hidden by the user, or not found
    bool beginsGroup = false;  // the first row of one of the user's groups, which holds its name
    bool folded = false;       // and that group is shown folded: its heading alone, side by side
};

// A laid-out place holds a row, by its position in the list, or a group's heading: this bit, and
// the position of the row that begins the group.
inline constexpr std::size_t kHeadingPlace = std::size_t{1} << (sizeof(std::size_t) * 8 - 1);

struct PaletteGeometry {
    bool tabMode = false;
    int top = 0;              // what stands above the rows and tabs: the find box's strip, or nothing
    bool keepWindow = false;  // the window keeps its size: the find box is open
    // How far above the client area's bottom the rows in view must end: in tab mode, the tab page's
    // lower border.
    int rowsBottomInset = 0;
    int nameWidth = 0;
    // Places, numbered 0 to laidOut - 1: the rows not left out and, side by side, above each
    // group's first such row, its heading (a folded group's heading alone), and again at the top of
    // a column that goes on with the group.
    std::size_t laidOut = 0;
    std::size_t rowCount = 0;                 // the places that hold rows
    std::vector<std::size_t> entryOfLaidOut;  // what each place holds: a row's position in the list, or a heading
    // The first place of each column (of each tab in tab mode), and laidOut after the last.
    std::vector<std::size_t> columnStart;
    std::vector<std::size_t> groupRows;  // the position of each group's first row; empty without groups
    int rowsPerColumn = 0;               // the most any column holds
    int maxRight = 0;
    int maxBottom = 0;
    std::int32_t selectedColumn = 0;  // clamped in tab mode, as it was side by side
    int tabCount = 0;                 // tabs to insert in tab mode
    int windowWidth = 0;
    int windowHeight = 0;
};

struct SystemMetrics {
    int dialogFrame = 0;   // SM_CYDLGFRAME, for the width as well
    int smallCaption = 0;  // SM_CYSMCAPTION
    int tabPageInset = 0;  // from the tab control's bottom edge up to its page's border
};

int NameWidth(const std::vector<RowInput>& rows);

// From one column's left edge to the next one's.
inline int ColumnPitch(int nameWidth) { return nameWidth + kButtonWidth + kColumnGap; }

// Lays out the rows not left out only, numbered 0, 1, 2, ... in order, `top` pixels further down. Side by
// side selectedColumn is kept as it is; in tab mode it is clamped to the tabs. A column count below
// 1 is laid out as one column. With groups, a heading takes a row's place above each group's first
// row side by side, never last in a column and again atop a column that goes on with its group, the
// columns as even as that allows; in tab mode each group is a tab of its own, whatever the column
// count.
PaletteGeometry ComputeGeometry(const std::vector<RowInput>& rows, std::int32_t columnCount, bool tabMode,
                                std::int32_t selectedColumn, SystemMetrics metrics, int top = 0);

// The column (in tab mode the tab) of a laid-out place, and its row within that column.
int ColumnOf(const PaletteGeometry& geometry, std::size_t laidOut);
int RowOf(const PaletteGeometry& geometry, std::size_t laidOut);
// The places a column holds, from the first to past the last; none for a column without rows.
std::pair<std::size_t, std::size_t> ColumnPlaces(const PaletteGeometry& geometry, int column);

// Where the first row stands.
inline int FirstRowY(const PaletteGeometry& g) { return g.top + (g.tabMode ? kFirstRowYTabs : kFirstRowYSideBySide); }

}  // namespace kirabo
