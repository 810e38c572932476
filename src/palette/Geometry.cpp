#include "palette/Geometry.h"

#include <algorithm>


namespace kirabo {
namespace {

// Far beyond any screen, and far from overflowing.
constexpr long long kPixelLimit = 1 << 24;

int Pixels(long long value) { return static_cast<int>(std::min(value, kPixelLimit)); }

}  // namespace

int NameWidth(const std::vector<RowInput>& rows) {
    std::size_t widest = 0;
    bool any = false;
    for (const RowInput& row : rows) {
        if (row.leftOut) continue;
        widest = std::max(widest, row.nameBytes);
        any = true;
    }
    widest = std::min(widest, kNameCapBytes);
    return any ? kNameBytePixels * static_cast<int>(widest) + kNamePadding : 0;
}

PaletteGeometry ComputeGeometry(const std::vector<RowInput>& rows, std::int32_t columnCount,
                                bool tabMode, std::int32_t selectedColumn, SystemMetrics metrics, int top) {
    // A count below 1 comes only from a damaged store; the rows then stand in one column, so that
    // the palette and its menu can always be reached. The setting itself stays as it was read.
    columnCount = std::max(columnCount, 1);
    PaletteGeometry g;
    g.nameWidth = NameWidth(rows);
    std::vector<std::size_t>& shown = g.entryOfLaidOut;
    g.selectedColumn = selectedColumn;
    g.tabMode = tabMode;
    g.top = top;
    if (tabMode) {
        g.tabCount = std::min(columnCount, kMaxColumnTabs);
        g.rowsBottomInset = kTabsHeightShrink - kTabsY + metrics.tabPageInset;
        g.selectedColumn = std::clamp(selectedColumn, 0, columnCount - 1);
    }

    shown.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].leftOut) shown.push_back(i);
    }
    const std::size_t count = shown.size();
    g.laidOut = count;
    const auto columns = static_cast<std::size_t>(columnCount);
    g.rowsPerColumn = static_cast<int>(count / columns + (count % columns != 0 ? 1 : 0));
    long long x = kFirstColumnX;
    long long maxRight = 0;
    std::size_t i = 0;
    for (std::int32_t j = 0; j < columnCount && i < count; ++j) {
        long long y = FirstRowY(g);
        for (int r = 0; r < g.rowsPerColumn && i < count; ++r, ++i) {
            y += kRowPitch;
            maxRight = std::max(maxRight, x + g.nameWidth + kButtonWidth);
        }
        y += kBelowColumn;
        g.maxBottom = std::max(g.maxBottom, Pixels(y));
        x += ColumnPitch(g.nameWidth);
    }
    g.maxRight = Pixels(maxRight);

    const int frames = 2 * metrics.dialogFrame;
    g.windowHeight = g.maxBottom + metrics.smallCaption + frames + kWindowExtraHeight;
    g.windowWidth = tabMode ? g.nameWidth + frames + kTabsWindowExtraWidth : g.maxRight + frames + kWindowExtraWidth;
    return g;
}

}  // namespace kirabo
