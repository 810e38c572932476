#include <gtest/gtest.h>

#include "palette/Viewport.h"

namespace kirabo {

void PrintTo(const WindowFit& f, std::ostream* os) {
    *os << f.rect.width() << "x" << f.rect.height() << " at " << f.rect.left << "," << f.rect.top
        << (f.verticalBar ? " |" : "") << (f.horizontalBar ? " -" : "");
}

namespace {

constexpr Rect k1024{0, 0, 1024, 768};
constexpr Rect k1280{0, 0, 1280, 1024};

TEST(Viewport, TheWindowTakesWhatItAsksAsFarAsTheWorkAreaAllows) {
    struct Case {
        const char* what;
        int width, height, menuBar;  // the menu bar's window width; its height is 40
        Rect work;
        int x, y;  // where the window stands
        struct {
            int x, y, width, height;
            bool verticalBar, horizontalBar;
        } expected;
        std::optional<WindowSize> userSize = std::nullopt;
    };
    // clang-format off
    const Case cases[] = {
        {"50 rows in two columns fit 1280 x 1024: nothing changes",                       336,   526,   120,  k1280,                  100,   100,  {100, 100, 336, 526, false, false}},
        {"300 rows in one column on 1024 x 768: as tall as the screen, a bar, moved up",  178,   5476,  120,  k1024,                  100,   100,  {100, 0, 178 + 17, 768, true, false}},
        {"1,000 rows in four columns on 1024 x 768",                                      652,   4576,  120,  k1024,                  0,     0,    {0, 0, 652 + 17, 768, true, false}},
        {"too wide only: a horizontal bar below, and moved left",                         2000,  300,   120,  k1024,                  10,    10,   {0, 10, 1024, 300 + 17, false, true}},
        {"too wide, and the bar makes it too tall",                                       2000,  760,   120,  k1024,                  0,     0,    {0, 0, 1024, 768, true, true}},
        {"exactly as tall as the work area: no bar",                                      336,   768,   120,  k1024,                  0,     0,    {0, 0, 336, 768, false, false}},
        {"exactly as wide: no bar",                                                       1024,  300,   120,  k1024,                  0,     0,    {0, 0, 1024, 300, false, false}},
        {"every row hidden: as large as its menu bar",                                    20,    36,    120,  k1280,                  50,    50,   {50, 50, 120, 40, false, false}},
        {"past the right edge: moved left just enough",                                   300,   200,   120,  k1024,                  900,   100,  {724, 100, 300, 200, false, false}},
        {"partly off the left edge: left where the user put it",                          300,   200,   120,  k1024,                  -50,   100,  {-50, 100, 300, 200, false, false}},
        {"a second monitor's work area",                                                  300,   2000,  120,  {1280, 0, 2304, 1024},  2200,  0,    {2304 - 317, 0, 317, 1024, true, false}},
        {"300 rows sized by the user to 400 high: that height",   178,  5476,  120,  k1024,  100,  100,  {100, 100, 195, 400, true, false},   WindowSize{195, 400}},
        {"sized narrower than its column: that width",            178,  5476,  120,  k1024,  100,  100,  {100, 100, 150, 400, true, false},   WindowSize{150, 400}},
        {"sized taller than the screen: the work area's height",  178,  5476,  120,  k1024,  100,  100,  {100, 0, 195, 768, true, false},     WindowSize{195, 9000}},
        {"sized smaller than its menu bar: the menu bar's size",  178,  5476,  120,  k1024,  100,  100,  {100, 100, 120, 40, true, false},    WindowSize{10, 10}},
        {"rows that all fit: the user's size does not count",     336,  526,   120,  k1280,  100,  100,  {100, 100, 336, 526, false, false},  WindowSize{200, 200}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Rect window{c.x, c.y, c.x + 10, c.y + 10};
        const auto& e = c.expected;
        EXPECT_EQ(FitToWorkArea({c.width, c.height, {c.menuBar, 40}, c.work, window, 17, 17, c.userSize}),
                  (WindowFit{Rect::Sized(e.x, e.y, e.width, e.height), e.verticalBar, e.horizontalBar}))
            << c.what;
    }
}

PaletteGeometry Rows(std::size_t count, std::int32_t columns, bool tabs = false, std::int32_t selected = 0) {
    return ComputeGeometry(std::vector<RowInput>(count, RowInput{10, false}), columns, tabs, selected, {3, 18});
}

TEST(Viewport, TheViewShowsTheRowsFromItsPositionThatTheClientAreaHolds) {
    // Names of 10 bytes: nameWidth 84, a column every 146 pixels.
    struct Case {
        const char* what;
        PaletteGeometry geometry;
        int width, height, firstRow, firstColumn;
        ScrollBar rows, columns;
        std::vector<std::size_t> onScreen;  // first, second and last of RowsOnScreen
        Point first;                        // where the first row shown stands
    };
    // clang-format off
    const Case cases[] = {
        {"12 rows that fit: all in view",                                                                    Rows(12, 2),            306,  125,  0,    0,  {6, 6, 0},       {2, 2, 0},  {0, 1, 11},       {14, 5}},
        {"300 rows in a 700-pixel client: 38 whole rows, and no strip of the next",                          Rows(300, 1),           178,  700,  0,    0,  {300, 38, 0},    {1, 1, 0},  {0, 1, 37},       {14, 5}},
        {"scrolled to row 100",                                                                              Rows(300, 1),           178,  700,  100,  0,  {300, 38, 100},  {1, 1, 0},  {100, 101, 137},  {14, 5}},
        {"scrolled past the end: clamped to the last whole page",                                            Rows(300, 1),           178,  700,  500,  0,  {300, 38, 262},  {1, 1, 0},  {262, 263, 299},  {14, 5}},
        {"tab mode: the selected column shown below the tabs, above the page's border; no other tab's row",  Rows(300, 2, true, 1),  178,  700,  10,   0,  {150, 36, 10},   {1, 1, 0},  {160, 161, 195},  {14, 28}},
        {"four columns in a 500-pixel client: three in view, scrolled by one",                               Rows(1000, 4),          500,  700,  0,    1,  {250, 38, 0},    {4, 3, 1},  {250, 251, 787},  {14, 5}},
        {"two columns whole and part of a third, scrolled by one: the part-shown column is on screen",       Rows(1000, 4),          400,  700,  0,    1,  {250, 38, 0},    {4, 2, 1},  {250, 251, 787},  {14, 5}},
        {"nothing to show",                                                                                  Rows(0, 2),             120,  40,   3,    3,  {0, 2, 0},       {0, 1, 0},  {},               {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const View view = FrameView(c.geometry, c.width, c.height, c.firstRow, c.firstColumn);
        EXPECT_EQ(view.rows, c.rows) << c.what;
        EXPECT_EQ(view.columns, c.columns) << c.what;
        const std::vector<std::size_t> onScreen = RowsOnScreen(c.geometry, view);
        std::vector<std::size_t> ends;
        if (!onScreen.empty()) ends = {onScreen[0], onScreen[1], onScreen.back()};
        EXPECT_EQ(ends, c.onScreen) << c.what;
        std::optional<Point> first;
        for (std::size_t laidOut = 0; laidOut < c.geometry.laidOut; ++laidOut) {
            const std::optional<Point> at = ViewOfRow(c.geometry, view, laidOut);
            const bool listed = std::find(onScreen.begin(), onScreen.end(), laidOut) != onScreen.end();
            EXPECT_EQ(at.has_value(), listed) << c.what << ": row " << laidOut;
            if (!first && at) first = at;
        }
        if (!onScreen.empty()) {
            EXPECT_EQ(first, c.first) << c.what;
        }
    }
}

TEST(Viewport, ScrollBarsAndTheWheelMoveByRowsAndPages) {
    const ScrollBar bar{300, 38, 100};
    struct Request {
        ScrollRequest request;
        int track, expected;
    };
    const Request requests[] = {{ScrollRequest::LineBack, 0, 99}, {ScrollRequest::LineOn, 0, 101},
                                {ScrollRequest::PageBack, 0, 62}, {ScrollRequest::PageOn, 0, 138},
                                {ScrollRequest::Start, 0, 0},     {ScrollRequest::End, 0, 262},
                                {ScrollRequest::Track, 7, 7},     {ScrollRequest::Track, 9999, 262}};
    for (const Request& r : requests) EXPECT_EQ(ScrollTarget(bar, r.request, r.track), r.expected) << r.track;
    EXPECT_EQ(ScrollTarget({300, 38, 0}, ScrollRequest::LineBack, 0), 0);

    struct Wheel {
        const char* what;
        std::vector<int> deltas;
        int linesPerNotch;
        int rows;  // after the last delta
        int remainder;
    };
    const Wheel wheels[] = {
        {"a notch towards the user: three rows on", {-120}, 3, 3, 0},
        {"a notch away: three rows back", {120}, 3, -3, 0},
        {"a touchpad's thirds add up to a row each", {-40, -40}, 3, 1, 0},
        {"quarters of a notch: the fourth makes the first row", {-30, -30, -30}, 1, 0, -90},
        {"a turn the other way starts afresh", {-90, 40}, 1, 0, 40},
        {"a page a notch", {-120}, -1, 38, 0},
    };
    for (const Wheel& w : wheels) {
        int remainder = 0, rows = 0;
        for (int delta : w.deltas) rows = WheelRows(remainder, delta, w.linesPerNotch, 38);
        EXPECT_EQ(rows, w.rows) << w.what;
        EXPECT_EQ(remainder, w.remainder) << w.what;
    }
}

}  // namespace
}  // namespace kirabo
