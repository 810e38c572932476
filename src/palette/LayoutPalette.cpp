#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "palette/CommandRouting.h"
#include "palette/Geometry.h"
#include "palette/Palette.h"
#include "palette/Viewport.h"

namespace kirabo {
namespace {

constexpr DWORD kCheckBoxStyle = WS_CHILD | BS_CHECKBOX;
constexpr DWORD kLabelStyle = WS_CHILD | SS_CENTERIMAGE;
constexpr DWORD kPushButtonStyle = WS_CHILD | BS_PUSHBUTTON;
constexpr DWORD kColumnTabsStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr char kSettingsText[] = "設定";
constexpr char kDisplayText[] = "表示";
constexpr char kTabLabelSuffix[] = "列目";  // after the column's number: 1列目, 2列目, ...
constexpr int kTabsEdge = 4;  // the tab control's own edge right of its last tab

HWND CreateControl(HFONT font, host::FilterRecord* fp, const char* windowClass, const char* text, DWORD style,
                   int x, int y, int width, std::uint32_t id) {
    HWND control = CreateWindowExA(0, windowClass, text, style, x, y, width, kControlHeight, fp->hwnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                   fp->dll_hinst, nullptr);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return control;
}

// Made before the layout, which needs its page's border; placed at its first rectangle after it.
void CreateColumnTabs(Palette& palette, host::FilterRecord* fp) {
    palette.columnTabs = CreateWindowExA(0, WC_TABCONTROLA, "", kColumnTabsStyle, 0, 0, 0, 0, fp->hwnd,
                                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(KIRABO_COLUMN_TABS)),
                                         fp->dll_hinst, nullptr);
    if (palette.columnTabs) {
        SendMessageA(palette.columnTabs, WM_SETFONT, reinterpret_cast<WPARAM>(palette.paletteFont), 0);
    }
}

void PlaceColumnTabsFirst(HWND tabs, int nameWidth) {
    if (!tabs) return;
    SetWindowPos(tabs, nullptr, kTabsInitialLeft, kTabsInitialTop, nameWidth + kTabsInitialExtraRight - kTabsInitialLeft,
                 kTabsInitialBottom - kTabsInitialTop, SWP_NOZORDER | SWP_NOACTIVATE);
}

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

// The tabs anew; the width they take on one line, measured before a selection can scroll them.
int RebuildTabs(HWND tabs, int tabCount, std::int32_t selectedColumn) {
    if (!tabs) return 0;
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
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(selectedColumn), 0);
    ShowWindow(tabs, SW_SHOW);
    return width;
}

}  // namespace

RowControls CreateRowControls(const Palette& palette, host::FilterRecord* fp, const FilterEntry& entry,
                              int nameWidth, Point at) {
    RowControls controls;
    const bool checkBox = entry.toggleCommand != 0;
    controls.mainControl = CreateControl(palette.paletteFont, fp, checkBox ? "BUTTON" : "STATIC", entry.name.c_str(),
                                         checkBox ? kCheckBoxStyle : kLabelStyle, at.x, at.y, nameWidth,
                                         MainControlId(entry.controlIndex));
    if (entry.settingsCommand != 0) {
        controls.settingsButton = CreateControl(
            palette.paletteFont, fp, "BUTTON", entry.kind != kKindDisplayTool ? kSettingsText : kDisplayText, kPushButtonStyle,
            at.x + nameWidth, at.y, kButtonWidth, ButtonControlId(entry.controlIndex));
    }
    return controls;
}

void LayoutPalette(Palette& palette, host::FilterRecord* fp, Controls controls) {
    const bool create = controls == Controls::Create;
    if (create) {
        DestroyPaletteControls(palette);
        CreateColumnTabs(palette, fp);
    }
    palette.layingOut = true;  // the window's own WM_SIZE must not reframe half a layout
    const SystemMetrics metrics{GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CYSMCAPTION),
                                TabPageInset(palette.columnTabs)};
    const PaletteGeometry& geometry = palette.core.Layout(controls, metrics);
    const EntryList& entries = palette.core.entries();

    if (create) PlaceColumnTabsFirst(palette.columnTabs, geometry.nameWidth);
    palette.tabsWidth = 0;
    if (geometry.tabMode) {
        palette.tabsWidth = RebuildTabs(palette.columnTabs, geometry.tabCount, geometry.selectedColumn);
    } else if (palette.columnTabs) {
        ShowWindow(palette.columnTabs, SW_HIDE);
    }
    const View& view = FitPaletteWindow(palette, fp->hwnd, metrics);

    if (create) palette.rows.assign(palette.core.controlCount(), {});
    for (std::size_t i = 0; i < entries.count(); ++i) {
        const RowPlace& place = geometry.rows[i];
        // A row out of the layout (one the find box does not match) gives up its controls.
        const RowView row = place.placement == RowPlacement::HiddenByUser
                                ? RowView{}
                                : ViewOfRow(geometry, view, static_cast<std::size_t>(place.laidOut));
        PlaceRow(palette, fp, entries[i], row, geometry.nameWidth);
    }
    SizeColumnTabs(palette, fp->hwnd);
    PlaceFindBar(palette, fp);
    palette.layingOut = false;
    MirrorCheckStates(palette, fp);
}

void DestroyPaletteControls(Palette& palette) {
    for (const RowControls& row : palette.rows) {
        if (row.mainControl) DestroyWindow(row.mainControl);
        if (row.settingsButton) DestroyWindow(row.settingsButton);
    }
    std::vector<RowControls>().swap(palette.rows);
    if (palette.columnTabs) DestroyWindow(palette.columnTabs);
    palette.columnTabs = nullptr;
}

}  // namespace kirabo
