#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <vector>

#include "palette/CommandRouting.h"

namespace kirabo {

void PrintTo(const Command& c, std::ostream* os) {
    *os << "{action " << static_cast<int>(c.action) << ", value " << c.value << ", entry " << c.entry << "}";
}

namespace {

TEST(CommandRouting, RoutesEveryIdAsTheUserMeantIt) {
    // Three rows, reordered: the entry at position 0 has controlIndex 2, and so on.
    const std::vector<std::int32_t> reordered = {2, 0, 1};
    const CommandContext ready{false, true, &reordered};
    using A = CommandAction;
    struct Case {
        const char* what;
        std::uint32_t wParam;
        CommandContext context;
        Command expected;
    };
    const Case cases[] = {
        {"1列", KIRABO_CMD_ONE_COLUMN, ready, {A::SetColumns, 1}},
        {"4列", KIRABO_CMD_FOUR_COLUMNS, ready, {A::SetColumns, 4}},
        {"タブ表示", KIRABO_CMD_TAB_MODE, ready, {A::ToggleTabs}},
        {"並び替え", KIRABO_CMD_REORDER, ready, {A::Reorder}},
        {"並び替えの初期化", KIRABO_CMD_RESET_ORDER, ready, {A::ResetOrder}},
        {"a check box is found by controlIndex, not position", 0, ready, {A::PostToggle, 0, 1}},
        {"the last row's check box", 2, ready, {A::PostToggle, 0, 0}},
        {"a push button", 101, ready, {A::PostSettings, 0, 2}},
        {"the high word (notification code) is not looked at", 0xFFFF0000u | 102, ready, {A::PostSettings, 0, 0}},
        {"an id below 100 with no row", 50, ready, {A::MirrorOnly}},
        {"an id past the last push button", 103, ready, {A::MirrorOnly}},
        {"the tab control's id", KIRABO_COLUMN_TABS, ready, {A::MirrorOnly}},
        {"just below the own menu", 32770, ready, {A::MirrorOnly}},
        {"just above the own menu", 32778, ready, {A::MirrorOnly}},
        {"while the host is saving, a row click is dropped", 0, {true, true, &reordered}, {A::Ignore}},
        {"while the host is saving, the own menu is dropped", KIRABO_CMD_ONE_COLUMN, {true, true, &reordered}, {A::Ignore}},
        {"without a host window everything is dropped", KIRABO_CMD_RESET_ORDER, {false, false, &reordered}, {A::Ignore}},
        {"without a host window a row click is dropped", 1, {false, false, &reordered}, {A::Ignore}},
    };
    for (const Case& c : cases) EXPECT_EQ(RouteCommand(c.wParam, c.context), c.expected) << c.what;
}

TEST(CommandRouting, ThreeHundredRowsEachGetTheirOwnIdsAndRouteToThemselves) {
    std::vector<std::int32_t> indices(300);
    std::iota(indices.begin(), indices.end(), 0);
    const CommandContext context{false, true, &indices};
    std::set<std::uint32_t> ids = {KIRABO_COLUMN_TABS};
    for (std::uint32_t id = KIRABO_CMD_ONE_COLUMN; id <= KIRABO_CMD_RESET_ORDER; ++id) ids.insert(id);
    for (std::int32_t row = 0; row < 300; ++row) {
        const std::uint32_t main = MainControlId(row);
        const std::uint32_t button = ButtonControlId(row);
        EXPECT_TRUE(ids.insert(main).second) << "row " << row << " main id " << main << " is taken";
        EXPECT_TRUE(ids.insert(button).second) << "row " << row << " button id " << button << " is taken";
        EXPECT_LE(button, 0xFFFFu);
        EXPECT_EQ(RouteCommand(main, context), (Command{CommandAction::PostToggle, 0, static_cast<std::size_t>(row)}));
        EXPECT_EQ(RouteCommand(button, context), (Command{CommandAction::PostSettings, 0, static_cast<std::size_t>(row)}));
    }
    // The last row that can have ids gets the last 16-bit pair; the next one gets no controls.
    EXPECT_TRUE(RowGetsControls(kMaxRowsWithControls - 1));
    EXPECT_EQ(ButtonControlId(kMaxRowsWithControls - 1), 0xFFFFu);
    EXPECT_FALSE(RowGetsControls(kMaxRowsWithControls));
    EXPECT_FALSE(RowGetsControls(-1));
    // The first hundred rows keep their original ids.
    EXPECT_EQ(MainControlId(99), 99u);
    EXPECT_EQ(ButtonControlId(99), 199u);
    // Ids the first hundred rows' scheme would give later rows route nowhere now.
    EXPECT_EQ(RouteCommand(250, context).action, CommandAction::MirrorOnly);
}

}  // namespace
}  // namespace kirabo
