// A layout: the facts the core asks of Windows, the core's geometry for the rows, the tab strip
// labelled, the window fitted, and the frame applied.
#include <windows.h>
#include <commctrl.h>

#include "palette/Palette.h"

namespace kirabo {
namespace {

constexpr DWORD kColumnTabsStyle = WS_CHILD | WS_CLIPSIBLINGS;

}  // namespace

void MakeSizable(HWND window, bool sizable) {
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD wanted = sizable ? style | WS_THICKFRAME : style & ~static_cast<DWORD>(WS_THICKFRAME);
    if (wanted == style) return;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(wanted));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

SystemMetrics PaletteWindow::ReadMetrics() const {
    SystemMetrics metrics{GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CYSMCAPTION), 0};
    if (columnTabs_) {
        constexpr RECT kSample = {0, 0, 100, 100};
        RECT page = kSample;
        SendMessageA(columnTabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        metrics.tabPageInset = TabPageInset(RectOf(kSample), RectOf(page));
    }
    return metrics;
}

WindowFacts PaletteWindow::ReadWindow() const {
    WindowFacts now;
    RECT r = {};
    GetWindowRect(window_, &r);
    now.window = RectOf(r);
    GetClientRect(window_, &r);
    now.client = RectOf(r);
    const auto style = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE));
    now.verticalBar = (style & WS_VSCROLL) != 0;
    now.horizontalBar = (style & WS_HSCROLL) != 0;
    now.sizable = (style & WS_THICKFRAME) != 0;
    const DWORD plain = style & ~static_cast<DWORD>(WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL);
    RECT fixed = {}, thick = {};
    AdjustWindowRectEx(&fixed, plain, FALSE, exStyle);
    AdjustWindowRectEx(&thick, plain | WS_THICKFRAME, FALSE, exStyle);
    now.fixedFrame = RectOf(fixed);
    now.sizableFrame = RectOf(thick);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    now.workArea = RectOf(monitor.rcWork);
    now.verticalBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    now.horizontalBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    HMENU menu = GetMenu(window_);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        RECT item = {};
        if (GetMenuItemRect(window_, menu, static_cast<UINT>(i), &item)) now.menuItems.push_back(RectOf(item));
    }
    const auto tabs = static_cast<int>(columnTabs_ ? SendMessageA(columnTabs_, TCM_GETITEMCOUNT, 0, 0) : 0);
    if (tabs > 0) {
        // A tab beyond the strip's right edge answers FALSE, its rectangle filled all the same.
        RECT last = {};
        SendMessageA(columnTabs_, TCM_GETITEMRECT, static_cast<WPARAM>(tabs - 1), reinterpret_cast<LPARAM>(&last));
        now.lastTab = RectOf(last);
    }
    return now;
}

void PaletteWindow::LayoutPalette(Controls controls) {
    if (controls == Controls::Create) {
        DestroyPaletteControls();
        columnTabs_ =
            CreateWindowExA(0, WC_TABCONTROLA, "", kColumnTabsStyle, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(KIRABO_COLUMN_TABS)), instance_, nullptr);
        if (columnTabs_) SendMessageA(columnTabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    }
    const PaletteGeometry& geometry = core_.Layout(controls, ReadMetrics());
    // The window's size depends on the width the tabs take: they are labelled first, then measured.
    ShowTabLabels(TabLabels(geometry, core_.entries()));
    const WindowFacts now = ReadWindow();
    core_.Fit(now);
    applied_.window = now.window;  // moved or sized since by the user, maybe
    applied_.sizable = now.sizable;
    Apply();
}

void PaletteWindow::DestroyPaletteControls() {
    for (const PooledRow& row : pool_) {
        if (row.main) DestroyWindow(row.main);
        if (row.button) DestroyWindow(row.button);
    }
    std::vector<PooledRow>().swap(pool_);
    for (HWND* control : {&columnTabs_, &tips_}) {
        if (*control) DestroyWindow(*control);
        *control = nullptr;
    }
    applied_ = {};
}

}  // namespace kirabo
