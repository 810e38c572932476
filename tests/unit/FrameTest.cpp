#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/Frame.h"
#include "palette/Viewport.h"

namespace kirabo {
namespace {

constexpr SystemMetrics kMetrics{3, 18, 4};

// Rows from "name:kinds[/group]": t a toggle (else a label), s a settings button, d a display tool's, c
// checked in the host's menu, h hidden by the user; the row begins the group named after /.
EntryList Entries(const std::vector<std::string>& rows) {
    EntryList entries;
    std::int32_t next = 0;
    for (const std::string& row : rows) {
        const std::size_t colon = row.find(':');
        const std::size_t slash = std::min(row.find('/'), row.size());
        const std::string kinds = row.substr(colon + 1, slash - colon - 1);
        FilterEntry e;
        e.name = row.substr(0, colon);
        e.toggleCommand = kinds.find('t') != std::string::npos ? 1 : 0;
        e.settingsCommand = kinds.find_first_of("sd") != std::string::npos ? 2 : 0;
        e.kind = kinds.find('d') != std::string::npos ? kKindDisplayTool : kKindFilter;
        e.checked = kinds.find('c') != std::string::npos;
        e.hidden = kinds.find('h') != std::string::npos;
        e.controlIndex = e.hidden ? -1 : next++;
        if (slash < row.size()) e.group = GroupHeading{row.substr(slash + 1)};
        entries.append(e);
    }
    return entries;
}

std::string Text(const Rect& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width()) + "x" +
           std::to_string(b.height());
}

// The frame in words: each row, then the tabs, the find box, its count and the mark.
std::string Describe(const PaletteFrame& f, const PaletteGeometry& g) {
    std::string out;
    for (const RowFrame& r : f.rows) {
        if (r.heading) {
            out += "H '" + r.text + "' " + Text(r.main) + "; ";
            continue;
        }
        out += std::to_string(r.controlIndex) + (r.checkBox ? " check '" : " label '") + r.text + "' " + Text(r.main);
        if (r.buttonText)
            out += std::string(" [") + (r.buttonText == kSettingsText ? "S" : "D") + " " + Text(r.button) + "]";
        if (r.checked) out += " on";
        if (!r.fullName.empty()) out += " tip";
        out += "; ";
    }
    std::string tabs = std::to_string(f.tabLabels.size());
    if (!g.groupRows.empty() && f.tabsShown) tabs = f.tabLabels.front() + ".." + f.tabLabels.back();
    if (f.tabsShown) out += "tabs " + Text(f.tabs) + " of " + tabs + " at " + std::to_string(f.selectedTab) + "; ";
    if (f.findOpen) out += "find " + Text(f.findBox) + " count " + Text(f.findCount) + " " + f.countText + "; ";
    if (f.mark) out += "mark " + Text(*f.mark);
    return out;
}

TEST(Frame, EveryControlOnScreenTheTabsTheFindBoxAndTheMark) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        std::int32_t columns;
        bool tabs;
        std::int32_t selected;
        int width, height, firstRow, firstColumn;
        FindState find;
        int tabsWidth;
        std::string expected;
    };
    const std::vector<std::string> five = {"AAAAAAAAAA:tsc", "DD:s", "BB:t", "EEEE:ts", "CC:d"};
    const std::vector<std::string> grouped = {"AAAAAAAAAA:tsc/G1", "DD:s", "BB:t", "EEEE:ts/G2", "CC:d"};
    const FindState closed{};
    const std::string kCut = std::string(62, 'a') + "\x81\x63";  // …
    const std::string kLong(102, 'a');
    // clang-format off
    const Case cases[] = {
        {"five rows in two columns: check boxes and labels, 設定 and 表示, the host's marks",                five,                                         2,  false,  0,  400,  300,  0,  0,  closed,     0,    "0 check 'AAAAAAAAAA' 14,5 84x17 [S 98,5 48x17] on; 1 label 'DD' 14,23 84x17 [S 98,23 48x17]; " "2 check 'BB' 14,41 84x17; 3 check 'EEEE' 160,5 84x17 [S 244,5 48x17]; 4 label 'CC' 160,23 84x17 [D 244,23 48x17]; "},
        {"tab mode, second tab: its rows only, the strip as wide as the names or the tabs on one line",  five,                                         2,  true,   1,  300,  200,  0,  0,  closed,     170,  "3 check 'EEEE' 14,28 84x17 [S 98,28 48x17]; 4 label 'CC' 14,46 84x17 [D 98,46 48x17]; tabs 8,2 170x189 of 2 at 1; "},
        {"the tabs narrower than the names: the names' width",                                           five,                                         2,  true,   0,  300,  200,  0,  0,  closed,     100,  "0 check 'AAAAAAAAAA' 14,28 84x17 [S 98,28 48x17] on; 1 label 'DD' 14,46 84x17 [S 98,46 48x17]; " "2 check 'BB' 14,64 84x17; tabs 8,2 144x189 of 2 at 0; "},
        {"tab mode in a short window: a row ending a pixel below the page's border is left out",         five,                                         2,  true,   0,  300,  75,   0,  0,  closed,     0,    "0 check 'AAAAAAAAAA' 14,28 84x17 [S 98,28 48x17] on; tabs 8,2 144x64 of 2 at 0; "},
        {"one ending on it shows",                                                                       five,                                         2,  true,   0,  300,  76,   0,  0,  closed,     0,    "0 check 'AAAAAAAAAA' 14,28 84x17 [S 98,28 48x17] on; 1 label 'DD' 14,46 84x17 [S 98,46 48x17]; tabs 8,2 144x65 of 2 at 0; "},
        {"scrolled one row down and one column on: the rows from there, at the first places",            five,                                         1,  false,  0,  150,  40,   1,  0,  closed,     0,    "1 label 'DD' 14,5 84x17 [S 98,5 48x17]; 2 check 'BB' 14,23 84x17; "},
        {"three columns, the view from the second: it stands first",                                     five,                                         3,  false,  0,  300,  100,  0,  1,  closed,     0,    "2 check 'BB' 14,5 84x17; 3 check 'EEEE' 14,23 84x17 [S 98,23 48x17]; 4 label 'CC' 160,5 84x17 [D 244,5 48x17]; "},
        {"two groups side by side: a heading across a row's width above each, taking a row's place",     grouped,                                      2,  false,  0,  400,  300,  0,  0,  closed,     0,    "H '\x81\x7c G1' 14,5 132x17; 0 check 'AAAAAAAAAA' 14,23 84x17 [S 98,23 48x17] on; 1 label 'DD' 14,41 84x17 [S 98,41 48x17]; " "2 check 'BB' 14,59 84x17; H '\x81\x7c G2' 160,5 132x17; 3 check 'EEEE' 160,23 84x17 [S 244,23 48x17]; " "4 label 'CC' 160,41 84x17 [D 244,41 48x17]; "},
        {"a group with no row shown has no heading",                                                     {"A:t/G1", "B:th/G2", "C:th"},                1,  false,  0,  200,  200,  0,  0,  closed,     0,    "H '\x81\x7c G1' 14,5 78x17; 0 check 'A' 14,23 30x17; "},
        {"in tab mode a tab per group named after it, whatever the column count",                        grouped,                                      4,  true,   1,  300,  200,  0,  0,  closed,     0,    "3 check 'EEEE' 14,28 84x17 [S 98,28 48x17]; 4 label 'CC' 14,46 84x17 [D 98,46 48x17]; tabs 8,2 144x189 of G1..G2 at 1; "},
        {"a tab scrolls through the longest group's rows",                                               {"A:t/G1", "B:t/G2", "C:t", "D:t"},           1,  true,   1,  300,  58,   2,  0,  closed,     0,    "3 check 'D' 14,28 30x17; tabs 8,2 90x47 of G1..G2 at 1; "},
        {"a hidden row has no controls, and the others close up",                                        {"A:t", "B:th", "C:t"},                       1,  false,  0,  200,  200,  0,  0,  closed,     0,    "0 check 'A' 14,5 30x17; 1 check 'C' 14,23 30x17; "},
        {"find open: the box across the top, its count at the right, the mark around the marked row",    five,                                         1,  false,  0,  300,  200,  0,  0,  {true, 1},  0,    "0 check 'AAAAAAAAAA' 14,29 84x17 [S 98,29 48x17] on; 1 label 'DD' 14,47 84x17 [S 98,47 48x17]; " "2 check 'BB' 14,65 84x17; 3 check 'EEEE' 14,83 84x17 [S 98,83 48x17]; 4 label 'CC' 14,101 84x17 [D 98,101 48x17]; " "find 4,2 228x20 count 236,2 60x20 5\x8c\x8f; mark 12,45 136x21"},
        {"find open in tab mode: the tabs below the box",                                                five,                                         2,  true,   1,  300,  200,  0,  0,  {true, 3},  0,    "3 check 'EEEE' 14,52 84x17 [S 98,52 48x17]; 4 label 'CC' 14,70 84x17 [D 98,70 48x17]; " "tabs 8,26 144x165 of 2 at 1; find 4,2 228x20 count 236,2 60x20 5\x8c\x8f; mark 12,50 136x21"},
        {"the marked row scrolled out of view: no mark",                                                 five,                                         1,  false,  0,  300,  60,   0,  0,  {true, 4},  0,    "0 check 'AAAAAAAAAA' 14,29 84x17 [S 98,29 48x17] on; find 4,2 228x20 count 236,2 60x20 5\x8c\x8f; "},
        {"a name of 64 bytes whole, one longer cut with … at the cap, its whole name a tip",             {std::string(64, 'b') + ":t", kLong + ":t"},  1,  false,  0,  600,  100,  0,  0,  closed,     0,    "0 check '" + std::string(64, 'b') + "' 14,5 408x17; 1 check '" + kCut + "' 14,23 408x17 tip; "},
    };
    // clang-format on
    for (const Case& c : cases) {
        const EntryList entries = Entries(c.rows);
        std::vector<RowInput> inputs;
        for (const FilterEntry& e : entries) inputs.push_back({e.name.size(), e.hidden, e.group.has_value()});
        const PaletteGeometry g =
            ComputeGeometry(inputs, c.columns, c.tabs, c.selected, kMetrics, c.find.open ? kFindBarHeight : 0);
        const View view = FrameView(g, c.width, c.height, c.firstRow, c.firstColumn);
        const PaletteFrame frame = ComputeFrame(g, view, entries, c.find, c.tabsWidth);
        EXPECT_EQ(Describe(frame, g), c.expected) << c.what;
        EXPECT_EQ(frame.rowBar, view.rows) << c.what;
        EXPECT_EQ(frame.columnBar, view.columns) << c.what;
    }
}

// n double-byte characters after `before`, and `after`.
std::string DoubleBytes(const std::string& before, int n, const std::string& after = "") {
    std::string text = before;
    for (int i = 0; i < n; ++i) text += "\x88\x9f";
    text += after;
    return text;
}

TEST(Frame, ANameIsCutAtACharactersEnd) {
    struct Case {
        const char* what;
        std::string name;
        std::string shown;
    };
    // clang-format off
    const Case cases[] = {
        {"empty",                                                               "",                    ""},
        {"64 single bytes: whole",                                              std::string(64, 'x'),  std::string(64, 'x')},
        {"65: 62 and …",                                                        std::string(65, 'x'),  std::string(62, 'x') + "\x81\x63"},
        {"32 double-byte characters: whole",                                    DoubleBytes("", 32),   DoubleBytes("", 32)},
        {"a double-byte character that would cross the cut is left out whole",  DoubleBytes("x", 40),  DoubleBytes("x", 30, "\x81\x63")},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(RowText(c.name), c.shown) << c.what;
    // "x", then 40 times a byte and @: after a lead byte the two are one character, left out whole at
    // the cut (61 bytes and …); any other byte stands alone (62 bytes and …).
    const std::pair<int, std::size_t> cuts[] = {{0x80, 64}, {0x81, 63}, {0x9F, 63}, {0xA0, 64},
                                                {0xDF, 64}, {0xE0, 63}, {0xFC, 63}, {0xFD, 64}};
    for (const auto& [byte, shown] : cuts) {
        std::string name = "x";
        for (int i = 0; i < 40; ++i) name += {static_cast<char>(byte), '@'};
        EXPECT_EQ(RowText(name).size(), shown) << std::hex << byte;
    }
}

TEST(Frame, TheWindowsSmallestSizeAndTheBorderTheUserDrags) {
    // The menu bar's items 100 pixels wide together and 19 high; frames of 3, a caption of 18.
    EXPECT_EQ(SmallestPalette(100, 19, kMetrics, 0), (WindowSize{100 + 6 + 8, 19 + 1 + 18 + 6}));
    EXPECT_EQ(SmallestPalette(100, 19, kMetrics, 200), (WindowSize{200 + 16 + 6, 44}));  // the tabs on one line
    EXPECT_EQ(SmallestPalette(0, 0, kMetrics, 0), (WindowSize{0, 0}));                   // no menu bar, no tabs
    EXPECT_EQ(MenuBarItems({{0, 0, 40, 19}, {40, 0, 100, 21}}), (WindowSize{100, 21}));  // as Windows places them
    EXPECT_EQ(TabsWidth({}), 0);                                                         // no tab
    EXPECT_EQ(TabsWidth({0, 0, 1, 20}), 5);                                              // the strip's edge beyond
    EXPECT_EQ(TabPageInset({0, 0, 100, 100}, {4, 24, 96, 96}), 4);

    const Rect work{0, 0, 1024, 768};
    const FitInput fits{300, 500, {120, 40}, work, {100, 100, 110, 110}, 17, 17, std::nullopt};
    const PaletteFit still = FitPalette(fits, {8, 8}, WindowSize{200, 200});
    EXPECT_FALSE(still.sizable);
    EXPECT_EQ(still.limits, std::nullopt);
    EXPECT_EQ(still.fit, (WindowFit{Rect::Sized(100, 100, 300, 500), false, false}));  // the user's size ignored

    FitInput tall = fits;
    tall.height = 5000;
    const PaletteFit scrolls = FitPalette(tall, {8, 8}, std::nullopt);
    EXPECT_TRUE(scrolls.sizable);
    EXPECT_EQ(scrolls.fit, (WindowFit{Rect::Sized(100, 0, 325, 768), true, false}));  // the border's room added
    ASSERT_TRUE(scrolls.limits.has_value());
    EXPECT_EQ(UserSizeRange(*scrolls.limits), (SizeRange{{128, 48}, {325, 768}}));
    const PaletteFit sized = FitPalette(tall, {8, 8}, WindowSize{250, 400});
    EXPECT_EQ(sized.fit, (WindowFit{Rect::Sized(100, 100, 250, 400), true, false}));
    EXPECT_EQ(sized.limits, scrolls.limits);  // the user sizes within the fit without their size
}

}  // namespace
}  // namespace kirabo
