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
PaletteWindow g_palette;

BOOL __cdecl FuncInit(FilterRecord* fp);
BOOL __cdecl FuncExit(FilterRecord* fp);
BOOL __cdecl FuncWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp, FilterRecord* fp);

FilterRecord g_filterTable = {
    .flag = host::FILTER_FLAG_ALWAYS_ACTIVE | host::FILTER_FLAG_WINDOW_SIZE | host::FILTER_FLAG_DISP_FILTER |
            host::FILTER_FLAG_EX_INFORMATION,
    .x = 320,
    .y = 106,
    .name = KIRABO_PLUGIN_NAME,
    .func_init = FuncInit,
    .func_exit = FuncExit,
    .func_WndProc = FuncWndProc,
    .information = kInformation,
};

BOOL __cdecl FuncInit(FilterRecord* fp) {
    if (!fp || g_palette.running()) return TRUE;
    try {
        // No default key: the host's own keys stay as they are; the user binds one in its settings.
        if (fp->exfunc && fp->exfunc->add_menu_item) {
            fp->exfunc->add_menu_item(fp, KIRABO_FIND_ITEM_NAME, fp->hwnd, KIRABO_FIND_ITEM_ID, 0, 0);
        }
        HostSettingsStore store(fp);
        g_palette.Start(fp->hwnd, fp->dll_hinst, fp->exfunc, store);
    } catch (...) {
        // Out of memory: the palette stays as far as it got; the host runs on.
    }
    return TRUE;
}

BOOL __cdecl FuncExit(FilterRecord* fp) {
    HostSettingsStore store(fp);
    g_palette.Exit(store);
    return TRUE;
}

BOOL __cdecl FuncWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp, FilterRecord*) {
    g_palette.PaletteWindowProc(hwnd, message, wParam, lParam, editp);
    return FALSE;
}

}  // namespace
}  // namespace kirabo

extern "C" kirabo::host::FilterRecord* __stdcall GetFilterTable() { return &kirabo::g_filterTable; }
