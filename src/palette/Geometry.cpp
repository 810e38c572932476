#include "palette/Geometry.h"

#include <algorithm>

namespace kirabo {
namespace {

// Far beyond any screen, and far from overflowing.
constexpr long long kPixelLimit = 1 << 24;

int Pixels(long long value) { return static_cast<int>(std::min(value, kPixelLimit)); }

bool IsHeading(std::size_t place) { return (place & kHeadingPlace) != 0; }

// The places cut into at most `columns` columns of at most `height` places each, a column filled
// before the next: a heading with its rows after it never ends a column (it goes to the next), and
// a column that begins inside a group begins with that group's heading again. The places as laid
// out, and each column's first; nothing when they do not fit.
bool CutIntoColumns(const std::vector<std::size_t>& places, std::size_t columns, std::size_t height,
                    std::vector<std::size_t>& laidOut, std::vector<std::size_t>& starts) {
    laidOut.clear();
    starts.clear();
    std::size_t heading = 0;  // the heading of the group the places reached are in
    for (std::size_t i = 0; i < places.size();) {
        if (starts.size() == columns) return false;
        starts.push_back(laidOut.size());
        std::size_t inColumn = 0;
        if (!IsHeading(places[i])) {
            laidOut.push_back(heading);
            ++inColumn;
        }
        for (; i < places.size() && inColumn < height; ++i, ++inColumn) {
            if (IsHeading(places[i])) heading = places[i];
            laidOut.push_back(places[i]);
        }
        if (i < places.size() && IsHeading(laidOut.back()) && !IsHeading(places[i])) {
            laidOut.pop_back();
            --i;
        }
    }
    return true;
}

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

PaletteGeometry ComputeGeometry(const std::vector<RowInput>& rows, std::int32_t columnCount, bool tabMode,
                                std::int32_t selectedColumn, SystemMetrics metrics, int top) {
    // A count below 1 comes only from a damaged store; the rows then stand in one column, so that
    // the palette and its menu can always be reached. The setting itself stays as it was read.
    columnCount = std::max(columnCount, 1);
    PaletteGeometry g;
    g.nameWidth = NameWidth(rows);
    std::vector<std::size_t>& places = g.entryOfLaidOut;
    g.selectedColumn = selectedColumn;
    g.tabMode = tabMode;
    g.top = top;

    places.reserve(rows.size());
    // Each column's first place; in tab mode with groups each tab is a group: its first place.
    std::vector<std::size_t>& starts = g.columnStart;
    std::size_t group = 0;
    bool headed = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].beginsGroup) {
            g.groupRows.push_back(i);
            group = i;
            headed = false;
            if (tabMode) starts.push_back(places.size());
        }
        if (!tabMode && rows[i].beginsGroup && rows[i].folded) {
            places.push_back(kHeadingPlace | group);
            headed = true;
        }
        if (rows[i].leftOut) continue;
        if (!tabMode && !g.groupRows.empty() && !headed) places.push_back(kHeadingPlace | group);
        headed = true;
        places.push_back(i);
        ++g.rowCount;
    }
    if (!tabMode && !g.groupRows.empty() && !places.empty()) {
        // The shortest columns that keep every group readable: a heading and one row at least.
        const auto columns = static_cast<std::size_t>(columnCount);
        std::vector<std::size_t> laidOut;
        std::size_t height = std::max<std::size_t>(places.size() / columns + (places.size() % columns != 0), 2);
        while (!CutIntoColumns(places, columns, height, laidOut, starts)) ++height;
        places = std::move(laidOut);
    }
    const std::size_t count = places.size();
    g.laidOut = count;
    if (!g.groupRows.empty() && (tabMode || count > 0)) {
        for (std::size_t c = 0; c < starts.size(); ++c) {
            const std::size_t end = c + 1 < starts.size() ? starts[c + 1] : count;
            g.rowsPerColumn = std::max(g.rowsPerColumn, static_cast<int>(end - starts[c]));
        }
    } else {
        const auto columns = static_cast<std::size_t>(columnCount);
        g.rowsPerColumn = static_cast<int>(count / columns + (count % columns != 0 ? 1 : 0));
        starts.clear();
        for (std::int32_t c = 0; c < columnCount && (c == 0 || starts.back() < count); ++c) {
            starts.push_back(std::min(static_cast<std::size_t>(c) * static_cast<std::size_t>(g.rowsPerColumn), count));
        }
    }
    g.columnStart.push_back(count);
    if (tabMode) {
        const auto groups = static_cast<std::int32_t>(std::min<std::size_t>(g.groupRows.size(), INT32_MAX));
        g.tabCount = g.groupRows.empty() ? std::min(columnCount, kMaxColumnTabs) : groups;
        g.rowsBottomInset = kTabsHeightShrink - kTabsY + metrics.tabPageInset;
        g.selectedColumn = std::clamp(selectedColumn, 0, (g.groupRows.empty() ? columnCount : groups) - 1);
    }

    long long x = kFirstColumnX;
    long long maxRight = 0;
    for (std::size_t c = 0; c + 1 < g.columnStart.size(); ++c) {
        const std::size_t inColumn = g.columnStart[c + 1] - g.columnStart[c];
        if (inColumn > 0) maxRight = std::max(maxRight, x + g.nameWidth + kButtonWidth);
        const long long y = FirstRowY(g) + static_cast<long long>(inColumn) * kRowPitch + kBelowColumn;
        if (inColumn > 0) g.maxBottom = std::max(g.maxBottom, Pixels(y));
        x += ColumnPitch(g.nameWidth);
    }
    g.maxRight = Pixels(maxRight);

    const int frames = 2 * metrics.dialogFrame;
    g.windowHeight = g.maxBottom + metrics.smallCaption + frames + kWindowExtraHeight;
    g.windowWidth = tabMode ? g.nameWidth + frames + kTabsWindowExtraWidth : g.maxRight + frames + kWindowExtraWidth;
    return g;
}

int ColumnOf(const PaletteGeometry& g, std::size_t laidOut) {
    const auto after = std::upper_bound(g.columnStart.begin(), g.columnStart.end(), laidOut);
    return static_cast<int>(std::max<std::ptrdiff_t>(after - g.columnStart.begin() - 1, 0));
}

int RowOf(const PaletteGeometry& g, std::size_t laidOut) {
    return static_cast<int>(laidOut - ColumnPlaces(g, ColumnOf(g, laidOut)).first);
}

std::pair<std::size_t, std::size_t> ColumnPlaces(const PaletteGeometry& g, int column) {
    const auto c = static_cast<std::size_t>(column);
    if (column < 0 || c + 1 >= g.columnStart.size()) return {g.laidOut, g.laidOut};
    return {g.columnStart[c], g.columnStart[c + 1]};
}

}  // namespace kirabo
