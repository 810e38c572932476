#include "palette/Viewport.h"

#include <algorithm>

namespace kirabo {
namespace {

int ColumnsInUse(const PaletteGeometry& g) { return g.laidOut > 0 ? ColumnOf(g, g.laidOut - 1) + 1 : 0; }

// How many of `size`-long things, `pitch` apart from `start`, a client of `client` holds whole; one
// at least, so that a tiny window still scrolls one by one.
int InView(int client, int start, int size, int pitch) {
    if (pitch <= 0 || client < start + size) return 1;
    return (client - start - size) / pitch + 1;
}

// Rows are shown whole or not at all: the last one in view ends above this line.
int RowsBottom(const PaletteGeometry& g, int clientHeight) { return clientHeight - g.rowsBottomInset; }

ScrollBar Bar(int total, int page, int position) {
    ScrollBar bar{std::max(total, 0), std::max(page, 1), 0};
    bar.position = std::clamp(position, 0, bar.last());
    return bar;
}

}  // namespace

WindowFit FitToWorkArea(const FitInput& in) {
    WindowFit fit;
    int width = std::max(in.width, in.minimum.width);
    int height = std::max(in.height, in.minimum.height);
    const int workWidth = std::max(in.workArea.width(), 1);
    const int workHeight = std::max(in.workArea.height(), 1);
    if (height > workHeight) {
        fit.verticalBar = true;
        height = workHeight;
        width += in.verticalBar;
    }
    if (width > workWidth) {
        fit.horizontalBar = true;
        width = workWidth;
        height += in.horizontalBar;
        if (height > workHeight) {
            fit.verticalBar = true;
            height = workHeight;
        }
    }
    if (in.userSize && (fit.verticalBar || fit.horizontalBar)) {
        width = std::clamp(in.userSize->width, std::min(in.minimum.width, width), width);
        height = std::clamp(in.userSize->height, std::min(in.minimum.height, height), height);
    }
    int x = std::max(std::min(in.window.left, in.workArea.right - width), in.workArea.left);
    int y = std::max(std::min(in.window.top, in.workArea.bottom - height), in.workArea.top);
    // A window already further left or up than the work area allows stays where the user put it.
    if (in.window.left < in.workArea.left) x = in.window.left;
    if (in.window.top < in.workArea.top) y = in.window.top;
    fit.rect = Rect::Sized(x, y, width, height);
    return fit;
}

WindowSize MenuBarItems(const std::vector<Rect>& items) {
    WindowSize sum;
    for (const Rect& item : items) {
        sum.width += item.width();
        sum.height = std::max(sum.height, item.height());
    }
    return sum;
}

int TabsWidth(const Rect& lastTab) {
    constexpr int kTabsEdge = 4;  // the tab control's own edge right of its last tab
    return lastTab.right > 0 ? lastTab.right + kTabsEdge : 0;
}

int TabPageInset(const Rect& sample, const Rect& page) { return std::max(sample.bottom - page.bottom, 0); }

WindowSize SizableExtra(const WindowFacts& now) {
    return {now.sizableFrame.width() - now.fixedFrame.width(), now.sizableFrame.height() - now.fixedFrame.height()};
}

WindowSize ClientOf(const WindowFacts& now, const WindowPlace& place, bool verticalBar, bool horizontalBar) {
    // The frame without scroll bars and without the border the user drags, as it stands now.
    const WindowSize extra = SizableExtra(now);
    const int frameWidth = now.window.width() - now.client.width() - (now.verticalBar ? now.verticalBarWidth : 0) -
                           (now.sizable ? extra.width : 0);
    const int frameHeight = now.window.height() - now.client.height() -
                            (now.horizontalBar ? now.horizontalBarHeight : 0) - (now.sizable ? extra.height : 0);
    return {std::max(place.window.width() - frameWidth - (place.sizable ? extra.width : 0) -
                         (verticalBar ? now.verticalBarWidth : 0),
                     0),
            std::max(place.window.height() - frameHeight - (place.sizable ? extra.height : 0) -
                         (horizontalBar ? now.horizontalBarHeight : 0),
                     0)};
}

Point WindowHome::FitFrom(Point now) {
    if (!fittedTo || now != *fittedTo) home = now;
    return home;
}

View FrameView(const PaletteGeometry& g, int clientWidth, int clientHeight, int firstRow, int firstColumn) {
    View view;
    view.clientWidth = clientWidth;
    view.clientHeight = clientHeight;
    // In tab mode the rows scroll through the tab shown, however long the others are.
    const auto [first, end] = ColumnPlaces(g, g.selectedColumn);
    const int rows = g.tabMode ? static_cast<int>(end - first) : g.rowsPerColumn;
    view.rows = Bar(rows, InView(RowsBottom(g, clientHeight), FirstRowY(g), kControlHeight, kRowPitch), firstRow);
    const int columns = g.tabMode ? 1 : ColumnsInUse(g);
    const int columnWidth = g.nameWidth + kButtonWidth;
    view.columns = Bar(columns, InView(clientWidth, kFirstColumnX, columnWidth, ColumnPitch(g.nameWidth)), firstColumn);
    return view;
}

int ScrollTarget(const ScrollBar& bar, ScrollRequest request, int track) {
    int target = bar.position;
    switch (request) {
        case ScrollRequest::LineBack:
            target -= 1;
            break;
        case ScrollRequest::LineOn:
            target += 1;
            break;
        case ScrollRequest::PageBack:
            target -= bar.page;
            break;
        case ScrollRequest::PageOn:
            target += bar.page;
            break;
        case ScrollRequest::Start:
            target = 0;
            break;
        case ScrollRequest::End:
            target = bar.last();
            break;
        case ScrollRequest::Track:
            target = track;
            break;
    }
    return std::clamp(target, 0, bar.last());
}

std::optional<Point> ViewOfRow(const PaletteGeometry& g, const View& view, std::size_t laidOut) {
    if (laidOut >= g.laidOut) return std::nullopt;
    const int column = ColumnOf(g, laidOut);
    const int row = RowOf(g, laidOut);
    const int y = FirstRowY(g) + (row - view.rows.position) * kRowPitch;
    if (row < view.rows.position || y + kControlHeight > RowsBottom(g, view.clientHeight)) return std::nullopt;
    if (g.tabMode) {
        if (column != g.selectedColumn) return std::nullopt;
        return Point{kFirstColumnX, y};
    }
    const int x = kFirstColumnX + (column - view.columns.position) * ColumnPitch(g.nameWidth);
    if (column < view.columns.position || x >= view.clientWidth) return std::nullopt;
    return Point{x, y};
}

std::vector<std::size_t> RowsOnScreen(const PaletteGeometry& g, const View& view) {
    std::vector<std::size_t> onScreen;
    const int firstColumn = g.tabMode ? g.selectedColumn : view.columns.position;
    const int lastColumn = g.tabMode ? g.selectedColumn : view.columns.position + view.columns.page;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const auto [first, end] = ColumnPlaces(g, column);
        for (int row = view.rows.position; row <= view.rows.position + view.rows.page; ++row) {
            const std::size_t laidOut = first + static_cast<std::size_t>(row);
            if (laidOut >= end) break;
            if (ViewOfRow(g, view, laidOut)) onScreen.push_back(laidOut);
        }
    }
    return onScreen;
}

WindowSize SmallestPalette(int menuItemsWidth, int menuHeight, SystemMetrics metrics, int tabsWidth) {
    // Room after the last item of the menu bar, so that it never wraps; 1: the bar's rule.
    constexpr int kMenuBarSlack = 8;
    const int frames = 2 * metrics.dialogFrame;
    const int forTabs = tabsWidth > 0 ? tabsWidth + kTabsWindowExtraWidth - kTabsExtraWidth + frames : 0;
    if (menuHeight <= 0) return {forTabs, 0};
    return {std::max(menuItemsWidth + frames + kMenuBarSlack, forTabs), menuHeight + 1 + metrics.smallCaption + frames};
}

PaletteFit FitPalette(FitInput in, WindowSize sizableExtra, std::optional<WindowSize> userSize) {
    in.userSize.reset();
    const WindowFit largest = FitToWorkArea(in);
    PaletteFit result;
    result.sizable = largest.verticalBar || largest.horizontalBar;
    if (result.sizable) {
        in.width += sizableExtra.width;
        in.height += sizableExtra.height;
        in.minimum = {in.minimum.width + sizableExtra.width, in.minimum.height + sizableExtra.height};
        result.limits = in;
        in.userSize = userSize;
    }
    result.fit = FitToWorkArea(in);
    return result;
}

SizeRange UserSizeRange(const FitInput& limits) {
    const WindowFit largest = FitToWorkArea(limits);
    return {limits.minimum, {largest.rect.width(), largest.rect.height()}};
}

int WheelRows(int& remainder, int delta, int linesPerNotch, int page) {
    const int lines = linesPerNotch < 0 ? std::max(page, 1) : linesPerNotch;
    // A turn the other way starts afresh.
    if ((remainder > 0 && delta < 0) || (remainder < 0 && delta > 0)) remainder = 0;
    const long long total = static_cast<long long>(remainder) + static_cast<long long>(delta) * lines;
    const long long rows = total / kWheelDelta;
    remainder = static_cast<int>(total - rows * kWheelDelta);
    // The wheel turned away from the user (a positive delta) scrolls towards the start.
    return static_cast<int>(std::clamp<long long>(-rows, -(1 << 24), 1 << 24));
}

}  // namespace kirabo
