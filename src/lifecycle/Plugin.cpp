// The plug-in's boundary with the host: the filter table and the start and end of a run.
#include <windows.h>
#include <commctrl.h>

#include "entries/HiddenRows.h"
#include "entries/ScanHostMenus.h"
#include "host/HostInterface.h"
#include "host/PluginState.h"
#include "lifecycle/HostSettingsStore.h"
#include "palette/Palette.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using host::FilterRecord;

constexpr char kPluginName[] = "キラボ";
constexpr char kInformation[] = "キラボ version " KIRABO_VERSION_TEXT;

BOOL __cdecl FuncInit(FilterRecord* fp);
BOOL __cdecl FuncExit(FilterRecord* fp);

FilterRecord g_filterTable = {
    .flag = host::FILTER_FLAG_ALWAYS_ACTIVE | host::FILTER_FLAG_WINDOW_SIZE |
            host::FILTER_FLAG_DISP_FILTER | host::FILTER_FLAG_EX_INFORMATION,
    .x = 320,
    .y = 106,
    .name = kPluginName,
    .func_init = FuncInit,
    .func_exit = FuncExit,
    .func_WndProc = PaletteWindowProc,
    .information = kInformation,
};

HFONT CreatePaletteFont() {
    return CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH | FF_MODERN, "ＭＳ Ｐゴシック");
}

BOOL __cdecl FuncInit(FilterRecord* fp) {
    if (!fp || g_plugin.ready) return TRUE;
    try {
        // The tab control and the reorder dialog's list view are common controls.
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        HostSettingsStore store(fp);
        g_plugin.settings = LoadLayoutSettings(store);
        LoadSavedEntries(store, g_plugin.entries);
        const HiddenBlock hidden = LoadHiddenBlock(store);
        g_plugin.hiddenBlockStored = hidden.stored;

        g_plugin.paletteMenu = LoadMenuA(fp->dll_hinst, MAKEINTRESOURCEA(KIRABO_MENU_PALETTE));
        SetMenu(fp->hwnd, g_plugin.paletteMenu);
        DrawMenuBar(fp->hwnd);
        g_plugin.hostMainWindow = GetWindow(fp->hwnd, GW_OWNER);
        g_plugin.paletteFont = CreatePaletteFont();
        g_plugin.ready = true;

        ScanHostMenus(GetMenu(g_plugin.hostMainWindow), g_plugin.entries);
        HideEntries(g_plugin.entries, hidden.keys);
        LayoutPalette(fp, kCreateControls);
    } catch (...) {
        // Out of memory: the palette stays as far as it got; the host runs on.
    }
    return TRUE;
}

BOOL __cdecl FuncExit(FilterRecord* fp) {
    if (!g_plugin.ready) return TRUE;  // nothing was loaded, so nothing may overwrite the store
    try {
        HostSettingsStore store(fp);
        StoreSettings(store, g_plugin.settings, g_plugin.entries, g_plugin.hiddenBlockStored);
    } catch (...) {
    }
    DestroyPaletteControls();
    g_plugin.entries.release();
    if (g_plugin.paletteFont) DeleteObject(g_plugin.paletteFont);
    g_plugin.paletteFont = nullptr;
    // The host may keep its window and start the plug-in again: no menu may outlive this run.
    if (g_plugin.paletteMenu) {
        if (fp && GetMenu(fp->hwnd) == g_plugin.paletteMenu) SetMenu(fp->hwnd, nullptr);
        DestroyMenu(g_plugin.paletteMenu);
    }
    g_plugin.paletteMenu = nullptr;
    g_plugin.hostMainWindow = nullptr;
    g_plugin.ready = false;
    return TRUE;
}

}  // namespace
}  // namespace kirabo

extern "C" kirabo::host::FilterRecord* __stdcall GetFilterTable() {
    return &kirabo::g_filterTable;
}
