// The Win32 side of the palette's view: the window moved and sized as Viewport's fit says, its scroll
// bars set from the view and their messages and the wheel's turned into requests, and controls made
// only for the rows in view, so that a start and a scroll step cost what the screen shows, not what
// the list holds.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "palette/CommandRouting.h"
#include "palette/Palette.h"

namespace kirabo {
namespace {

static_assert(kWheelDelta == WHEEL_DELTA);

// A moved control repaints in full: the bits a move would otherwise copy along may already show
// another row that moved into the old place first.
constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOCOPYBITS;
// Room after the last item of the menu bar, so that it never wraps.
constexpr int kMenuBarSlack = 8;

// The smallest window that shows the own menu bar whole, on one line, and the tabs on theirs.
DialogSize SmallestWindow(HWND window, const SystemMetrics& metrics, int tabsWidth) {
    HMENU menu = GetMenu(window);
    const int frames = 2 * metrics.dialogFrame;
    const int forTabs = tabsWidth > 0 ? tabsWidth + kTabsWindowExtraWidth - kTabsExtraWidth + frames : 0;
    if (!menu) return {forTabs, 0};
    int width = 0, height = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT item = {};
        if (!GetMenuItemRect(window, menu, static_cast<UINT>(i), &item)) continue;
        width += item.right - item.left;
        height = std::max<int>(height, item.bottom - item.top);
    }
    return {std::max(width + frames + kMenuBarSlack, forTabs), height + 1 + metrics.smallCaption + frames};  // 1: the bar's rule
}

void SetBar(HWND window, int which, const ScrollBar& bar) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const bool shown = (style & (which == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    // A palette that fits never gets a scroll bar call, so that it stays exactly as it was.
    if (!shown && bar.total <= bar.page) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(bar.total - 1, 0);
    info.nPage = static_cast<UINT>(bar.page);
    info.nPos = bar.position;
    SetScrollInfo(window, which, &info, TRUE);
}

void MoveControl(HWND control, int x, int y) {
    if (control) SetWindowPos(control, HWND_TOP, x, y, 0, 0, kMoveFlags);
}

// Most rows of another tab are out of sight already: they cost nothing.
void PutOutOfSight(HWND control) {
    if (control && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) ShowWindow(control, SW_HIDE);
}

const FilterEntry& EntryOfLaidOut(const PaletteCore& core, std::size_t laidOut) {
    return core.entries()[core.geometry().entryOfLaidOut[laidOut]];
}

}  // namespace

// Only the rows that leave the view, and those in it, are touched; the window paints once, when
// all of them stand at their new places, instead of once a move.
// While the user drags a thumb, the bar is theirs: its position is set only once they let go.
void ShowPaletteView(Palette& palette, host::FilterRecord* fp, const View& before, const View& after, bool setBars) {
    const PaletteGeometry& geometry = palette.core.geometry();
    HWND window = fp->hwnd;
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    for (std::size_t laidOut : LiveRows(geometry, before)) {
        if (!ViewOfRow(geometry, after, laidOut).live) PlaceRow(palette, fp, EntryOfLaidOut(palette.core, laidOut), {}, 0);
    }
    for (std::size_t laidOut : LiveRows(geometry, after)) {
        PlaceRow(palette, fp, EntryOfLaidOut(palette.core, laidOut), ViewOfRow(geometry, after, laidOut),
                 geometry.nameWidth);
    }
    PlaceFindBar(palette, fp);
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (!setBars) return;
    SetBar(window, SB_VERT, after.rows);
    SetBar(window, SB_HORZ, after.columns);
}

void PlaceRow(Palette& palette, host::FilterRecord* fp, const FilterEntry& entry, const RowView& view,
              int nameWidth) {
    const auto index = static_cast<std::size_t>(entry.controlIndex);
    if (entry.controlIndex < 0 || index >= palette.rows.size()) return;
    RowControls& row = palette.rows[index];
    if (!view.live) {
        if (row.mainControl) DestroyWindow(row.mainControl);
        if (row.settingsButton) DestroyWindow(row.settingsButton);
        row.mainControl = row.settingsButton = nullptr;
        return;
    }
    if (!row.mainControl && !row.settingsButton && RowGetsControls(entry.controlIndex)) {
        const bool checked = row.checked;
        row = CreateRowControls(palette, fp, entry, nameWidth, view.made);
        row.checked = checked;
        if (row.mainControl && checked) SendMessageA(row.mainControl, BM_SETCHECK, BST_CHECKED, 0);
    }
    if (view.at) {
        MoveControl(row.mainControl, view.at->x, view.at->y);
        MoveControl(row.settingsButton, view.at->x + nameWidth, view.at->y);
    } else {
        PutOutOfSight(row.mainControl);
        PutOutOfSight(row.settingsButton);
    }
}

const View& FitPaletteWindow(Palette& palette, HWND window, const SystemMetrics& metrics) {
    const PaletteGeometry& geometry = palette.core.geometry();
    RECT frame = {};
    GetWindowRect(window, &frame);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    FitInput in{geometry.windowWidth, geometry.windowHeight, SmallestWindow(window, metrics, palette.tabsWidth),
                ScreenRectOf(monitor.rcWork), ScreenRectOf(frame), GetSystemMetrics(SM_CXVSCROLL),
                GetSystemMetrics(SM_CYHSCROLL), std::nullopt};
    const WindowFit largest = FitToWorkArea(in);
    if (!geometry.keepWindow) {
        // A palette that scrolls gets a border the user can drag: the frame grows by the difference.
        const bool sizable = largest.verticalBar || largest.horizontalBar;
        const DialogSize extra = MakeSizable(window, sizable);
        in.width += extra.width;
        in.height += extra.height;
        in.minimum = {in.minimum.width + extra.width, in.minimum.height + extra.height};
        in.userSize = palette.core.paletteSize();
        const WindowFit fit = FitToWorkArea(in);
        in.userSize.reset();
        palette.sizeLimits = sizable ? std::optional<FitInput>(in) : std::nullopt;
        const bool stays = fit.x == frame.left && fit.y == frame.top;
        SetWindowPos(window, HWND_TOP, fit.x, fit.y, fit.width, fit.height, stays ? SWP_NOMOVE : 0);
    }
    // Each scroll bar that shows takes room from the client area, which changes the view: frame it
    // until the client area stays.
    for (int pass = 0; pass < 3; ++pass) {
        RECT client = {};
        GetClientRect(window, &client);
        const View& view = palette.core.view();
        if (pass > 0 && client.right == view.clientWidth && client.bottom == view.clientHeight) break;
        palette.core.Reframe(client.right, client.bottom);
        SetBar(window, SB_VERT, palette.core.view().rows);
        SetBar(window, SB_HORZ, palette.core.view().columns);
    }
    return palette.core.view();
}

void SizeColumnTabs(const Palette& palette, HWND window) {
    const int tabsWidth = palette.tabsWidth;
    const PaletteGeometry& geometry = palette.core.geometry();
    if (!geometry.tabMode || !palette.columnTabs) return;
    RECT client = {};
    GetClientRect(window, &client);
    SetWindowPos(palette.columnTabs, HWND_BOTTOM, kTabsX, kTabsY + geometry.top,
                 std::max(geometry.nameWidth + kTabsExtraWidth, tabsWidth),
                 client.bottom - kTabsHeightShrink - geometry.top, 0);
}

void OnPaletteScroll(Palette& palette, host::FilterRecord* fp, UINT message, WPARAM wParam) {
    const bool vertical = message == WM_VSCROLL;
    ScrollRequest request;
    switch (LOWORD(wParam)) {
        case SB_LINEUP: request = ScrollRequest::LineBack; break;
        case SB_LINEDOWN: request = ScrollRequest::LineOn; break;
        case SB_PAGEUP: request = ScrollRequest::PageBack; break;
        case SB_PAGEDOWN: request = ScrollRequest::PageOn; break;
        case SB_TOP: request = ScrollRequest::Start; break;
        case SB_BOTTOM: request = ScrollRequest::End; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: request = ScrollRequest::Track; break;
        default: return;
    }
    // The thumb being dragged: its 32-bit position (the message carries 16 bits of it). Let go:
    // where the message says it ended.
    int track = HIWORD(wParam);
    if (LOWORD(wParam) == SB_THUMBTRACK) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(fp->hwnd, vertical ? SB_VERT : SB_HORZ, &info);
        track = info.nTrackPos;
    }
    const View before = palette.core.view();
    const std::optional<View> after = palette.core.OnScroll(vertical, request, track);
    if (after) {
        ShowPaletteView(palette, fp, before, *after, LOWORD(wParam) != SB_THUMBTRACK);
    } else if (LOWORD(wParam) == SB_THUMBPOSITION) {
        SetBar(fp->hwnd, vertical ? SB_VERT : SB_HORZ, vertical ? before.rows : before.columns);
    }
}

bool OnPaletteWheel(Palette& palette, host::FilterRecord* fp, WPARAM wParam, bool sideways) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int perNotch = lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(std::min<UINT>(lines, 1u << 16));
    const View before = palette.core.view();
    const PaletteCore::Wheel wheel = palette.core.OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), perNotch, sideways);
    if (wheel.view) ShowPaletteView(palette, fp, before, *wheel.view);
    return !wheel.handOn;
}

DialogSize MakeSizable(HWND window, bool sizable) {
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD wanted = sizable ? style | WS_THICKFRAME : style & ~static_cast<DWORD>(WS_THICKFRAME);
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    RECT fixed = {}, thick = {};
    AdjustWindowRectEx(&fixed, style & ~static_cast<DWORD>(WS_THICKFRAME), FALSE, exStyle);
    AdjustWindowRectEx(&thick, style | WS_THICKFRAME, FALSE, exStyle);
    if (wanted != style) {
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(wanted));
        SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (!sizable) return {};
    return {(thick.right - thick.left) - (fixed.right - fixed.left), (thick.bottom - thick.top) - (fixed.bottom - fixed.top)};
}

void LimitPaletteSize(const Palette& palette, MINMAXINFO& limits) {
    if (!palette.sizeLimits) return;
    const WindowFit largest = FitToWorkArea(*palette.sizeLimits);
    limits.ptMinTrackSize = {palette.sizeLimits->minimum.width, palette.sizeLimits->minimum.height};
    limits.ptMaxTrackSize = {largest.width, largest.height};
}

void OnPaletteSizing(Palette& palette, HWND window, bool ends) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    const DialogSize size{frame.right - frame.left, frame.bottom - frame.top};
    if (!ends) {
        palette.sizeBeforeSizing = size;
    } else if (palette.sizeLimits && size != palette.sizeBeforeSizing) {
        palette.core.OnPaletteSized(size);  // moved only, it keeps the size it had
    }
}

void OnPaletteSize(Palette& palette, host::FilterRecord* fp) {
    if (palette.layingOut) return;
    RECT client = {};
    GetClientRect(fp->hwnd, &client);
    const View before = palette.core.view();
    ShowPaletteView(palette, fp, before, palette.core.Reframe(client.right, client.bottom));
    SizeColumnTabs(palette, fp->hwnd);
}

}  // namespace kirabo
