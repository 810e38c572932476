// Any names and any stored layout settings: the geometry stays within its promises.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "FuzzInput.h"
#include "palette/Geometry.h"
#include "palette/Viewport.h"

using namespace kirabo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::int32_t columns = in.Int();
    const bool tabs = in.Byte() & 1;
    const std::int32_t selected = in.Int();
    std::vector<RowInput> rows(in.Word() % 2000);
    for (RowInput& row : rows) row.nameBytes = in.Word() % 100000;
    const PaletteGeometry g = ComputeGeometry(rows, columns, tabs, selected, SystemMetrics{3, 18});
    if (g.entryOfLaidOut.size() != g.laidOut || g.laidOut > rows.size()) std::abort();
    if (g.tabCount < 0 || g.tabCount > kMaxColumnTabs) std::abort();
    // Every column count, a damaged one too, lays out at least one column, and so every row.
    if (tabs && (g.tabCount < 1 || g.selectedColumn < 0 || g.selectedColumn >= std::max(columns, 1))) std::abort();
    if (!tabs && g.selectedColumn != selected) std::abort();
    if (!rows.empty() && g.rowsPerColumn < 1) std::abort();
    const View all = FrameView(g, 1 << 20, 1 << 20, 0, 0);
    for (std::size_t laidOut = 0; laidOut < g.laidOut; ++laidOut) {
        const std::optional<Point> at = ViewOfRow(g, all, laidOut);
        if (at && (at->x < 0 || at->y < 0)) std::abort();
    }
    if (g.maxRight < 0 || g.maxBottom < 0 || g.windowWidth < 0 || g.windowHeight < 0) std::abort();
    return 0;
}
