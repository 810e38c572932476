// Decisions about a palette taller or wider than its screen, in plain numbers: how large the window
// may be, where it stands, and which rows it shows at which scroll position. Scrolling goes by whole rows and columns,
// so that a scrolled palette looks like a fresh one whose first row is the first row in view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/Screen.h"
#include "palette/Geometry.h"

namespace kirabo {

struct FitInput {
    int width = 0, height = 0;           // the window the layout asks for
    WindowSize minimum;                  // the window that shows its menu bar whole, on one line
    Rect workArea;                       // of the monitor the window is on
    Rect window;                         // where the window stands now
    int verticalBar = 0;                 // SM_CXVSCROLL
    int horizontalBar = 0;               // SM_CYHSCROLL
    std::optional<WindowSize> userSize;  // the size the user gave a palette that scrolls
    bool operator==(const FitInput&) const = default;
};

struct WindowFit {
    Rect rect;
    bool verticalBar = false, horizontalBar = false;
    bool operator==(const WindowFit&) const = default;
};

// The window the layout asks for, no smaller than its menu bar and capped by the work area, with a
// scroll bar for each direction it was capped in; moved up or left, never past the work area's top
// or left edge, just enough to end inside it. A palette that scrolls takes the size the user gave
// it instead, as far as the work area and the layout allow; one whose rows all fit ignores it.
WindowFit FitToWorkArea(const FitInput& input);

// The smallest window that shows the own menu bar whole on one line (its items' widths added up,
// and the tallest), and the tabs on theirs (tabsWidth: 0 without tabs).
WindowSize SmallestPalette(int menuItemsWidth, int menuHeight, SystemMetrics metrics, int tabsWidth);

// Where the palette goes, and whether it gets a border the user drags: it does while it scrolls,
// and the frame then grows by `sizableExtra`; the size the user gave applies only then.
struct PaletteFit {
    WindowFit fit;
    bool sizable = false;
    std::optional<FitInput> limits;  // what the user may size it within: the fit without the user's size
    bool operator==(const PaletteFit&) const = default;
};
PaletteFit FitPalette(FitInput input, WindowSize sizableExtra, std::optional<WindowSize> userSize);

// The smallest and largest window the user may drag a sizable palette to.
struct SizeRange {
    WindowSize smallest, largest;
    bool operator==(const SizeRange&) const = default;
};
SizeRange UserSizeRange(const FitInput& limits);

// One scroll bar, in rows (vertical) or columns (horizontal).
struct ScrollBar {
    int total = 0;
    int page = 1;      // how many are in view at once
    int position = 0;  // the first one in view, 0 to total - page
    int last() const { return total > page ? total - page : 0; }
    bool shown() const { return total > page; }
    bool operator==(const ScrollBar&) const = default;
};

struct View {
    ScrollBar rows, columns;
    int clientWidth = 0, clientHeight = 0;
    bool operator==(const View&) const = default;
};

// The view of a client area at the given first row and column, clamped into the ranges.
View FrameView(const PaletteGeometry& geometry, int clientWidth, int clientHeight, int firstRow, int firstColumn);

enum class ScrollRequest : std::uint8_t { LineBack, LineOn, PageBack, PageOn, Start, End, Track };

// The position a scroll bar's request asks for; `track` is the thumb's position for Track.
int ScrollTarget(const ScrollBar& bar, ScrollRequest request, int track);

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Where the user (or the host) put the palette, which a fit to the screen may have to leave: the
// window goes back there once it fits there again.
struct WindowHome {
    Point home;
    std::optional<Point> fittedTo;  // where the last fit put the window
    // The place to fit from, the window standing at `now`: somewhere else than the last fit put it,
    // it was moved by the user or the host, and that is its place from now on.
    Point FitFrom(Point now);
};

// What the palette window reports of itself, its screen and its tab strip, as Windows gives it: read
// at a layout, and when something other than the palette sized the window.
struct WindowFacts {
    Rect window;                                                       // where it stands, its frame included
    Rect client;                                                       // its client area, from 0,0
    bool verticalBar = false, horizontalBar = false, sizable = false;  // what its frame holds now
    Rect fixedFrame, sizableFrame;  // the frame around an empty client area, without and with the border the user drags
    Rect workArea;                  // of the monitor the window is on
    int verticalBarWidth = 0;       // SM_CXVSCROLL
    int horizontalBarHeight = 0;    // SM_CYHSCROLL
    std::vector<Rect> menuItems;    // the own menu bar's items
    Rect lastTab;                   // the tab strip's last tab, the first standing at its left; nothing without tabs
    bool operator==(const WindowFacts&) const = default;
};

// The own menu bar's items: their widths added up, and the tallest.
WindowSize MenuBarItems(const std::vector<Rect>& items);
// The width the tabs take on one line; 0 without tabs.
int TabsWidth(const Rect& lastTab);
// From the tab control's bottom edge up to its page's border, given a sample rectangle from 0,0
// and the page the tab control makes of it.
int TabPageInset(const Rect& sample, const Rect& page);

// What the border the user drags adds to the window's frame.
WindowSize SizableExtra(const WindowFacts& now);

// Where the window stands and how large, and whether the user may size it within `limits`.
struct WindowPlace {
    Rect window;
    bool sizable = false;
    std::optional<FitInput> limits;
    bool operator==(const WindowPlace&) const = default;
};

// The client area a window of `place` has, its scroll bars shown or not, given the frame the
// window has now (`now`).
WindowSize ClientOf(const WindowFacts& now, const WindowPlace& place, bool verticalBar, bool horizontalBar);

// Where a laid-out row stands in the client area: nothing for a row scrolled past, in a column
// scrolled past or another tab, or below or right of the client area.
std::optional<Point> ViewOfRow(const PaletteGeometry& geometry, const View& view, std::size_t laidOut);

// The laid-out numbers of the rows on screen, in order: what a scroll step has to touch, however
// many rows there are.
std::vector<std::size_t> RowsOnScreen(const PaletteGeometry& geometry, const View& view);

// A notch of the wheel, as Windows counts its turns.
inline constexpr int kWheelDelta = 120;

// Wheel steps add up, partial ones too (touchpads send small deltas): the rows to scroll towards the
// end (negative: towards the start) for this delta, with `remainder` carried to the next.
// linesPerNotch < 0 means a page per notch.
int WheelRows(int& remainder, int delta, int linesPerNotch, int page);

}  // namespace kirabo
