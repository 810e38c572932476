// A layout: the core's geometry for the rows, the tab strip's labels, the window sized within its
// work area, and the frame applied.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "palette/Palette.h"

namespace kirabo {
namespace {

constexpr DWORD kColumnTabsStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr char kTabLabelSuffix[] = "列目";  // after the column's number: 1列目, 2列目, ...
constexpr int kTabsEdge = 4;  // the tab control's own edge right of its last tab

// From the tab control's bottom edge up to its page's border: rows in tab mode end above it.
int TabPageInset(HWND tabs) {
    if (!tabs) return 0;
    constexpr int kSample = 100;
    RECT page = {0, 0, kSample, kSample};
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    return std::max<int>(kSample - page.bottom, 0);
}

// The width the tabs take on one line, while the first stands at the strip's left; 0 without tabs.
int TabsWidth(HWND tabs) {
    const auto count = static_cast<int>(tabs ? SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0);
    if (count <= 0) return 0;
    // A tab beyond the strip's right edge answers FALSE, its rectangle filled all the same.
    RECT last = {};
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
    return last.right > 0 ? last.right + kTabsEdge : 0;
}

// The tabs anew; the width they take on one line, measured with the first tab selected, before a
// selection can scroll them.
int RebuildTabs(HWND tabs, int tabCount) {
    if (!tabs) return 0;
    // Emptied, a tab control keeps its focused tab, outlined on whichever tab takes that place; with
    // nothing selected first it has none, as a new one.
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0);
    for (int c = 0; c < tabCount; ++c) {
        char label[32] = {};
        char* end = std::to_chars(label, label + 16, c + 1).ptr;
        std::memcpy(end, kTabLabelSuffix, sizeof kTabLabelSuffix);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = label;
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
    }
    const int width = TabsWidth(tabs);
    RECT strip = {};
    GetWindowRect(tabs, &strip);
    if (strip.right - strip.left < width) {
        SetWindowPos(tabs, nullptr, 0, 0, width, strip.bottom - strip.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return width;
}

// The extra size of a frame with the border the user drags.
DialogSize SizableExtra(HWND window) {
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~static_cast<DWORD>(WS_THICKFRAME);
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    RECT fixed = {}, thick = {};
    AdjustWindowRectEx(&fixed, style, FALSE, exStyle);
    AdjustWindowRectEx(&thick, style | WS_THICKFRAME, FALSE, exStyle);
    return {(thick.right - thick.left) - (fixed.right - fixed.left), (thick.bottom - thick.top) - (fixed.bottom - fixed.top)};
}

// The own menu bar's items: their widths added up, and the tallest.
DialogSize MenuBarItems(HWND window) {
    HMENU menu = GetMenu(window);
    DialogSize items;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        RECT item = {};
        if (!GetMenuItemRect(window, menu, static_cast<UINT>(i), &item)) continue;
        items.width += item.right - item.left;
        items.height = std::max<int>(items.height, item.bottom - item.top);
    }
    return items;
}

// The window's own WM_SIZE must not reframe half a layout; the flag goes with the layout, however it ends.
struct LayingOut {
    explicit LayingOut(bool& flag) : flag_(flag) { flag_ = true; }
    ~LayingOut() { flag_ = false; }
    LayingOut(const LayingOut&) = delete;
    LayingOut& operator=(const LayingOut&) = delete;
    bool& flag_;
};

}  // namespace

void MakeSizable(HWND window, bool sizable) {
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD wanted = sizable ? style | WS_THICKFRAME : style & ~static_cast<DWORD>(WS_THICKFRAME);
    if (wanted == style) return;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(wanted));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void PaletteWindow::LayoutPalette(Controls controls) {
    if (controls == Controls::Create) {
        DestroyPaletteControls();
        columnTabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", kColumnTabsStyle, 0, 0, 0, 0, window_,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(KIRABO_COLUMN_TABS)), instance_,
                                      nullptr);
        if (columnTabs_) SendMessageA(columnTabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    }
    const LayingOut guard(layingOut_);
    const SystemMetrics metrics{GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CYSMCAPTION),
                                TabPageInset(columnTabs_)};
    const PaletteGeometry& geometry = core_.Layout(controls, metrics);
    if (controls == Controls::Create && columnTabs_) {  // its first place, kept while side by side
        SetWindowPos(columnTabs_, HWND_BOTTOM, kTabsInitialLeft, kTabsInitialTop,
                     geometry.nameWidth + kTabsInitialExtraRight - kTabsInitialLeft, kTabsInitialBottom - kTabsInitialTop,
                     SWP_NOACTIVATE);
    }
    tabsWidth_ = geometry.tabMode ? RebuildTabs(columnTabs_, geometry.tabCount) : 0;
    applied_.tabs = {};  // the tabs anew: their strip is placed anew too
    FitWindow(metrics);
    Apply();
}

void PaletteWindow::FitWindow(const SystemMetrics& metrics) {
    const PaletteGeometry& geometry = core_.geometry();
    if (!geometry.keepWindow) {
        RECT frame = {};
        GetWindowRect(window_, &frame);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        const DialogSize menu = MenuBarItems(window_);
        const FitInput in{geometry.windowWidth, geometry.windowHeight,
                          SmallestPalette(menu.width, menu.height, metrics, tabsWidth_), ScreenRectOf(monitor.rcWork),
                          ScreenRectOf(frame), GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL),
                          std::nullopt};
        const PaletteFit fit = core_.FitWindow(in, SizableExtra(window_));
        MakeSizable(window_, fit.sizable);
        sizeLimits_ = fit.limits;
        const bool stays = fit.fit.x == frame.left && fit.fit.y == frame.top;
        SetWindowPos(window_, HWND_TOP, fit.fit.x, fit.fit.y, fit.fit.width, fit.fit.height, stays ? SWP_NOMOVE : 0);
    }
    // Each scroll bar that shows takes room from the client area, which changes the view: frame it
    // until the client area stays.
    for (int pass = 0; pass < 3; ++pass) {
        RECT client = {};
        GetClientRect(window_, &client);
        const View& view = core_.view();
        if (pass > 0 && client.right == view.clientWidth && client.bottom == view.clientHeight) break;
        core_.Reframe(client.right, client.bottom);
        SetBar(window_, SB_VERT, core_.view().rows);
        SetBar(window_, SB_HORZ, core_.view().columns);
    }
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
