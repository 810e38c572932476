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
        EXPECT_EQ(RouteCommand(button, context),
                  (Command{CommandAction::PostSettings, 0, static_cast<std::size_t>(row)}));
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
