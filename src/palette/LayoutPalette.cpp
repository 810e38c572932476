#include <windows.h>
#include <commctrl.h>

#include <charconv>
#include <cstring>
#include <vector>

#include "host/PluginState.h"
#include "palette/CommandRouting.h"
#include "palette/Geometry.h"
#include "palette/Palette.h"

namespace kirabo {
namespace {

constexpr DWORD kCheckBoxStyle = WS_CHILD | BS_CHECKBOX;
constexpr DWORD kLabelStyle = WS_CHILD | SS_CENTERIMAGE;
constexpr DWORD kPushButtonStyle = WS_CHILD | BS_PUSHBUTTON;
constexpr DWORD kColumnTabsStyle = WS_CHILD | WS_CLIPSIBLINGS;
// A moved control repaints in full: the bits a move would otherwise copy along may already show
// another row that moved into the old place first.
constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOCOPYBITS;
constexpr char kSettingsText[] = "設定";
constexpr char kDisplayText[] = "表示";
constexpr char kTabLabelSuffix[] = "列目";  // after the column's number: 1列目, 2列目, ...

HWND CreateControl(host::FilterRecord* fp, const char* windowClass, const char* text, DWORD style,
                   int x, int y, int width, std::uint32_t id) {
    HWND control = CreateWindowExA(0, windowClass, text, style, x, y, width, kControlHeight, fp->hwnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                   fp->dll_hinst, nullptr);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_plugin.paletteFont), 0);
    return control;
}

void CreateRowControls(host::FilterRecord* fp, FilterEntry& entry, std::int32_t index, int nameWidth,
                       const RowPlace& place) {
    entry.controlIndex = index;
    if (!RowGetsControls(index)) return;  // hidden, or no control id is left for it
    const bool checkBox = entry.toggleCommand != 0;
    entry.mainControl = CreateControl(fp, checkBox ? "BUTTON" : "STATIC", entry.name.c_str(),
                                      checkBox ? kCheckBoxStyle : kLabelStyle, place.columnX, place.y,
                                      nameWidth, MainControlId(index));
    if (entry.settingsCommand != 0) {
        entry.settingsButton = CreateControl(
            fp, "BUTTON", entry.kind != kKindDisplayTool ? kSettingsText : kDisplayText,
            kPushButtonStyle, place.columnX + nameWidth, place.y, kButtonWidth, ButtonControlId(index));
    }
}

void MoveControl(WindowHandle control, int x, int y) {
    if (control) SetWindowPos(AsWindow(control), HWND_TOP, x, y, 0, 0, kMoveFlags);
}

void HideControl(WindowHandle control) {
    if (control) ShowWindow(AsWindow(control), SW_HIDE);
}

void CreateColumnTabs(host::FilterRecord* fp, int nameWidth) {
    g_plugin.columnTabs = CreateWindowExA(
        0, WC_TABCONTROLA, "", kColumnTabsStyle, kTabsInitialLeft, kTabsInitialTop,
        nameWidth + kTabsInitialExtraRight - kTabsInitialLeft, kTabsInitialBottom - kTabsInitialTop,
        fp->hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(KIRABO_COLUMN_TABS)), fp->dll_hinst, nullptr);
    if (g_plugin.columnTabs) {
        SendMessageA(g_plugin.columnTabs, WM_SETFONT, reinterpret_cast<WPARAM>(g_plugin.paletteFont), 0);
    }
}

void RebuildTabs(int tabCount, std::int32_t selectedColumn) {
    HWND tabs = g_plugin.columnTabs;
    if (!tabs) return;
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
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(selectedColumn), 0);
    ShowWindow(tabs, SW_SHOW);
}

}  // namespace

void LayoutPalette(host::FilterRecord* fp, int create) {
    if (create) DestroyPaletteControls();
    EntryList& entries = g_plugin.entries;
    LayoutSettings& settings = g_plugin.settings;

    std::vector<RowInput> rows(entries.count());
    for (std::size_t i = 0; i < entries.count(); ++i) rows[i] = {entries[i].name.size(), !entries[i].hidden};
    const SystemMetrics metrics{GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CYSMCAPTION)};
    const bool tabMode = settings.tabMode != 0;
    const PaletteGeometry geometry =
        ComputeGeometry(rows, settings.columnCount, tabMode, settings.selectedColumn, metrics);

    if (create) CreateColumnTabs(fp, geometry.nameWidth);
    if (tabMode) {
        settings.selectedColumn = geometry.selectedColumn;
        RebuildTabs(geometry.tabCount, settings.selectedColumn);
    } else if (g_plugin.columnTabs) {
        ShowWindow(g_plugin.columnTabs, SW_HIDE);
    }

    for (std::size_t i = 0; i < entries.count(); ++i) {
        const RowPlace& place = geometry.rows[i];
        FilterEntry& entry = entries[i];
        if (create) CreateRowControls(fp, entry, place.controlIndex, geometry.nameWidth, place);
        if (place.placement == RowPlacement::Omitted) continue;
        if (place.placement == RowPlacement::Shown) {
            MoveControl(entry.mainControl, place.x, place.y);
            MoveControl(entry.settingsButton, place.x + geometry.nameWidth, place.y);
        } else {
            HideControl(entry.mainControl);
            HideControl(entry.settingsButton);
        }
    }

    SetWindowPos(fp->hwnd, HWND_TOP, 0, 0, geometry.windowWidth, geometry.windowHeight, SWP_NOMOVE);
    if (tabMode && g_plugin.columnTabs) {
        RECT client = {};
        GetClientRect(fp->hwnd, &client);
        SetWindowPos(g_plugin.columnTabs, HWND_BOTTOM, kTabsX, kTabsY, geometry.nameWidth + kTabsExtraWidth,
                     client.bottom - kTabsHeightShrink, 0);
    }
    MirrorCheckStates(fp);
}

void DestroyPaletteControls() {
    for (FilterEntry& entry : g_plugin.entries) {
        if (entry.mainControl) DestroyWindow(AsWindow(entry.mainControl));
        entry.mainControl = nullptr;
        if (entry.settingsButton) DestroyWindow(AsWindow(entry.settingsButton));
        entry.settingsButton = nullptr;
    }
    if (g_plugin.columnTabs) DestroyWindow(g_plugin.columnTabs);
    g_plugin.columnTabs = nullptr;
}

}  // namespace kirabo
