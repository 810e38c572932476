// The plug-in's boundary with the host: the filter table and the start and end of a run.
#include <windows.h>
#include <commctrl.h>

#include "entries/ScanHostMenus.h"
#include "host/HostInterface.h"
#include "lifecycle/HostSettingsStore.h"
#include "palette/Palette.h"
#include "resources/ResourceIds.h"
#include "resources/Version.h"

namespace kirabo {
namespace {

using host::FilterRecord;

constexpr char kInformation[] = KIRABO_PLUGIN_NAME " version " KIRABO_VERSION_TEXT;

// The palette of this run, from func_init to func_exit: the only state of the plug-in's.
Palette g_palette;

BOOL __cdecl FuncInit(FilterRecord* fp);
BOOL __cdecl FuncExit(FilterRecord* fp);
BOOL __cdecl FuncWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp, FilterRecord* fp);

FilterRecord g_filterTable = {
    .flag = host::FILTER_FLAG_ALWAYS_ACTIVE | host::FILTER_FLAG_WINDOW_SIZE |
            host::FILTER_FLAG_DISP_FILTER | host::FILTER_FLAG_EX_INFORMATION,
    .x = 320,
    .y = 106,
    .name = KIRABO_PLUGIN_NAME,
    .func_init = FuncInit,
    .func_exit = FuncExit,
    .func_WndProc = FuncWndProc,
    .information = kInformation,
};

HFONT CreatePaletteFont() {
    return CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH | FF_MODERN, KIRABO_FONT_FACE);
}

BOOL __cdecl FuncInit(FilterRecord* fp) {
    if (!fp || g_palette.core.running()) return TRUE;
    try {
        // The tab control and the reorder dialog's list view are common controls.
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        g_palette.paletteMenu = LoadMenuA(fp->dll_hinst, MAKEINTRESOURCEA(KIRABO_MENU_PALETTE));
        SetMenu(fp->hwnd, g_palette.paletteMenu);
        DrawMenuBar(fp->hwnd);
        g_palette.hostMainWindow = GetWindow(fp->hwnd, GW_OWNER);
        g_palette.paletteFont = CreatePaletteFont();

        HostSettingsStore store(fp);
        ScanHostMenus hostMenus(GetMenu(g_palette.hostMainWindow));
        g_palette.core.Start(store, hostMenus);
        LayoutPalette(g_palette, fp, Controls::Create);
    } catch (...) {
        // Out of memory: the palette stays as far as it got; the host runs on.
    }
    return TRUE;
}

BOOL __cdecl FuncExit(FilterRecord* fp) {
    try {
        HostSettingsStore store(fp);
        g_palette.core.Exit(store);  // stores only what a start loaded
    } catch (...) {
    }
    DestroyPaletteControls(g_palette);
    if (fp && g_palette.sizeLimits) MakeSizable(fp->hwnd, false);  // the host's window as it gave it
    g_palette.sizeLimits.reset();
    if (g_palette.paletteFont) DeleteObject(g_palette.paletteFont);
    g_palette.paletteFont = nullptr;
    // The host may keep its window and start the plug-in again: no menu may outlive this run.
    if (g_palette.paletteMenu) {
        if (fp && GetMenu(fp->hwnd) == g_palette.paletteMenu) SetMenu(fp->hwnd, nullptr);
        DestroyMenu(g_palette.paletteMenu);
    }
    g_palette.paletteMenu = nullptr;
    g_palette.hostMainWindow = nullptr;
    return TRUE;
}

BOOL __cdecl FuncWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp, FilterRecord* fp) {
    return PaletteWindowProc(g_palette, hwnd, message, wParam, lParam, editp, fp);
}

}  // namespace
}  // namespace kirabo

extern "C" kirabo::host::FilterRecord* __stdcall GetFilterTable() {
    return &kirabo::g_filterTable;
}
