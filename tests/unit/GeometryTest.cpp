#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "palette/Geometry.h"
#include "palette/Viewport.h"

namespace kirabo {
namespace {

constexpr SystemMetrics kMetrics{3, 18};  // F and C

std::vector<RowInput> Rows(std::vector<std::size_t> nameBytes, std::vector<bool> hidden = {}) {
    std::vector<RowInput> rows;
    for (std::size_t i = 0; i < nameBytes.size(); ++i) rows.push_back({nameBytes[i], i < hidden.size() && hidden[i]});
    return rows;
}

struct Place {
    char placement;  // 'S'hown, 'H' in another tab, 'O'mitted: hidden by the user
    int x, y;        // where shown
    bool operator==(const Place&) const = default;
};

void PrintTo(const Place& p, std::ostream* os) { *os << p.placement << "(" << p.x << "," << p.y << ")"; }

// Where each row stands in a client area large enough for all of them.
std::vector<Place> Places(const PaletteGeometry& g, std::size_t count) {
    const View all = FrameView(g, 1 << 20, 1 << 20, 0, 0);
    std::vector<Place> places(count, Place{'O', 0, 0});
    for (std::size_t laidOut = 0; laidOut < g.laidOut; ++laidOut) {
        const std::optional<Point> at = ViewOfRow(g, all, laidOut);
        places[g.entryOfLaidOut[laidOut]] = at ? Place{'S', at->x, at->y} : Place{'H', 0, 0};
    }
    return places;
}

struct Case {
    const char* what;
    std::vector<std::size_t> names;
    std::int32_t columns;
    bool tabs;
    std::int32_t selected;
    int nameWidth, rowsPerColumn, maxRight, maxBottom;
    std::int32_t selectedAfter;
    int tabCount, width, height;
    std::vector<Place> places;
    std::vector<bool> hidden = {};  // by the user
};

TEST(Geometry, PlacesEveryRowAndSizesTheWindow) {
    // clang-format off
    const Case cases[] = {
        {"five rows, longest name 10 bytes, 2 columns side by side",             {10, 4, 2, 10, 1},      2,   false,  0,   84,   3,  292,                76,  0,  0,  292 + 6 + 14,  76 + 18 + 6 + 14,  {{'S', 14, 5}, {'S', 14, 23}, {'S', 14, 41}, {'S', 160, 5}, {'S', 160, 23}}},
        {"the same in tab mode with the second tab selected",                    {10, 4, 2, 10, 1},      2,   true,   1,   84,   3,  292,                99,  1,  2,  84 + 6 + 76,   99 + 18 + 6 + 14,  {{'H', 0, 0}, {'H', 0, 0}, {'H', 0, 0}, {'S', 14, 28}, {'S', 14, 46}}},
        {"the empty list side by side",                                          {},                     2,   false,  0,   0,    0,  0,                  0,   0,  0,  6 + 14,        18 + 6 + 14,       {}},
        {"the empty list in tab mode still has its tabs",                        {},                     3,   true,   0,   0,    0,  0,                  0,   0,  3,  6 + 76,        18 + 6 + 14,       {}},
        {"more columns than rows: one row each, only the columns in use count",  {1, 1},                 4,   false,  0,   30,   1,  14 + 78 + 14 + 78,  40,  0,  0,  184 + 6 + 14,  40 + 38,           {{'S', 14, 5}, {'S', 106, 5}}},
        {"5 rows in 4 columns: 2, 2, 1 and 0",                                   {0, 0, 0, 0, 0},        4,   false,  0,   24,   2,  14 + 2 * 86 + 72,   58,  0,  0,  258 + 20,      58 + 38,           {{'S', 14, 5}, {'S', 14, 23}, {'S', 100, 5}, {'S', 100, 23}, {'S', 186, 5}}},
        {"7 rows in 3 columns: 3, 3 and 1",                                      {0, 0, 0, 0, 0, 0, 0},  3,   false,  0,   24,   3,  14 + 2 * 86 + 72,   76,  0,  0,  258 + 20,      76 + 38,           {{'S', 14, 5}, {'S', 14, 23}, {'S', 14, 41}, {'S', 100, 5}, {'S', 100, 23}, {'S', 100, 41}, {'S', 186, 5}}},
        {"a selected column of -1 becomes 0",                                    {0, 0, 0},              3,   true,   -1,  24,   1,  258,                63,  0,  3,  24 + 82,       63 + 38,           {{'S', 14, 28}, {'H', 0, 0}, {'H', 0, 0}}},
        {"a selected column of 7 becomes the last",                              {0, 0, 0},              3,   true,   7,   24,   1,  258,                63,  2,  3,  24 + 82,       63 + 38,           {{'H', 0, 0}, {'H', 0, 0}, {'S', 14, 28}}},
        {"side by side the selected column is left as it is",                    {0},                    3,   false,  7,   24,   1,  86,                 40,  7,  0,  86 + 20,       40 + 38,           {{'S', 14, 5}}},
        {"a column count of 0 lays the rows out as one column, behind one tab",  {3, 3},                 0,   true,   4,   42,   2,  104,                81,  0,  1,  42 + 82,       81 + 38,           {{'S', 14, 28}, {'S', 14, 46}}},
        {"a column count of -1 side by side: one column",                        {3, 3},                 -1,  false,  4,   42,   2,  104,                58,  4,  0,  104 + 20,      58 + 38,           {{'S', 14, 5}, {'S', 14, 23}}},
        {"a column count of 5 gives five tabs",                                  {3},                    5,   true,   4,   42,   1,  104,                63,  4,  5,  42 + 82,       63 + 38,           {{'H', 0, 0}}},
        {"empty names are 24 wide",                                              {0, 0},                 1,   false,  0,   24,   2,  86,                 58,  0,  0,  86 + 20,       58 + 38,           {{'S', 14, 5}, {'S', 14, 23}}},
        {"rows the user hid take no place, width or id: the two long names hidden",  {10, 4, 2, 10, 1},  2,  false,  0,  48,  2,  220,  58,  0,  0,  240,  96,  {{'O', 0, 0}, {'S', 14, 5}, {'S', 14, 23}, {'O', 0, 0}, {'S', 124, 5}},  {true, false, false, true, false}},
        {"every row hidden: the empty palette, its tabs still there",                {3, 3},             2,  true,   0,  0,   0,  0,    0,   0,  2,  82,   38,  {{'O', 0, 0}, {'O', 0, 0}},                                              {true, true}},
        {"double-byte names count two bytes a character",                        {8},                    1,   false,  0,   72,   1,  134,                40,  0,  0,  134 + 20,      40 + 38,           {{'S', 14, 5}}},
        {"a name of the cap's 64 bytes is as wide as ever",                      {64, 3},                1,   false,  0,   408,  2,  470,                58,  0,  0,  470 + 20,      58 + 38,           {{'S', 14, 5}, {'S', 14, 23}}},
        {"one of 65 bytes or 204 is cut to the cap's width",                     {204, 65},              1,   false,  0,   408,  2,  470,                58,  0,  0,  470 + 20,      58 + 38,           {{'S', 14, 5}, {'S', 14, 23}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const PaletteGeometry g = ComputeGeometry(Rows(c.names, c.hidden), c.columns, c.tabs, c.selected, kMetrics);
        EXPECT_EQ(g.nameWidth, c.nameWidth) << c.what;
        EXPECT_EQ(g.rowsPerColumn, c.rowsPerColumn) << c.what;
        EXPECT_EQ(g.maxRight, c.maxRight) << c.what;
        EXPECT_EQ(g.maxBottom, c.maxBottom) << c.what;
        EXPECT_EQ(g.selectedColumn, c.selectedAfter) << c.what;
        EXPECT_EQ(g.tabCount, c.tabCount) << c.what;
        EXPECT_EQ(g.windowWidth, c.width) << c.what;
        EXPECT_EQ(g.windowHeight, c.height) << c.what;
        EXPECT_EQ(Places(g, c.names.size()), c.places) << c.what;
    }
}

TEST(Geometry, DamagedColumnCountsNeitherOverflowNorBuildBillionsOfTabs) {
    struct Case {
        std::int32_t columns;
        std::int32_t selected;
        std::int32_t selectedAfter;
        int tabCount;
    };
    // clang-format off
    const Case cases[] = {
        {INT_MIN,  0,        0,            1},
        {INT_MIN,  INT_MIN,  0,            1},
        {-1,       3,        0,            1},
        {INT_MAX,  INT_MAX,  INT_MAX - 1,  kMaxColumnTabs},
        {INT_MAX,  1,        1,            kMaxColumnTabs},
        {64,       70,       63,           64},
    };
    // clang-format on
    for (const Case& c : cases) {
        const PaletteGeometry g = ComputeGeometry(Rows({3, 3, 3}), c.columns, true, c.selected, kMetrics);
        EXPECT_EQ(g.selectedColumn, c.selectedAfter) << c.columns;
        EXPECT_EQ(g.tabCount, c.tabCount) << c.columns;
    }
}

// Groups side by side, each named by a capital (A, B, C) and its rows a1, a2, ...: the columns as
// laid out, | between them.
TEST(Geometry, ColumnsKeepEveryGroupReadable) {
    struct Case {
        const char* what;
        std::vector<int> sizes;  // the rows of each group
        const char* folded;      // by group, 1: folded
        const char* leftOut;     // rows not found, by name
        std::int32_t columns;
        const char* expected;
    };
    // clang-format off
    const Case cases[] = {
        {"two groups of two in three columns: whole",            {2, 2},  "00",  "",          3,  "A a1 a2 | B b1 b2"},
        {"a heading never last: it goes on to the next column",  {1, 5},  "00",  "",          3,  "A a1 B b1 | B b2 b3 b4 | B b5"},
        {"a column going on with its group is headed again",     {5},     "0",   "",          3,  "A a1 a2 | A a3 a4 | A a5"},
        {"a folded group: its heading alone, not its rows",      {2, 2},  "10",  "",          3,  "A | B b1 | B b2"},
        {"folded groups alone may end a column",                 {2, 2},  "11",  "",          1,  "A B"},
        {"finding: only what was found, headed",                 {1, 5},  "00",  "a1 b2 b4",  3,  "B b1 | B b3 | B b5"},
        {"one column: the groups in turn",                       {1, 2},  "00",  "",          1,  "A a1 B b1 b2"},
        {"one row each, as many columns as places allow",        {1, 1},  "00",  "",          4,  "A a1 | B b1"},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<RowInput> rows;
        std::vector<std::string> names;
        for (std::size_t group = 0; group < c.sizes.size(); ++group) {
            for (int r = 0; r < c.sizes[group]; ++r) {
                const std::string name = std::string(1, static_cast<char>('a' + group)) + std::to_string(r + 1);
                const bool folded = c.folded[group] == '1';
                const bool found = (" " + std::string(c.leftOut) + " ").find(" " + name + " ") == std::string::npos;
                rows.push_back({2, folded || !found, r == 0, r == 0 && folded});
                names.push_back(name);
            }
        }
        const PaletteGeometry g = ComputeGeometry(rows, c.columns, false, 0, kMetrics);
        std::string laidOut;
        for (std::size_t place = 0; place < g.laidOut; ++place) {
            if (place > 0)
                laidOut += std::binary_search(g.columnStart.begin(), g.columnStart.end(), place) ? " | " : " ";
            const std::size_t at = g.entryOfLaidOut[place];
            laidOut += (at & kHeadingPlace) != 0 ? std::string(1, static_cast<char>(names[at & ~kHeadingPlace][0] - 32))
                                                 : names[at];
        }
        EXPECT_EQ(laidOut, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kirabo
