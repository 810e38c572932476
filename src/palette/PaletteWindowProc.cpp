#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "entries/HiddenRows.h"
#include "entries/ScanHostMenus.h"
#include "host/PluginState.h"
#include "palette/CommandRouting.h"
#include "palette/Palette.h"
#include "reorder/ReorderDialog.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using host::FilterRecord;

constexpr char kResetQuestion[] = "フィルターの並びを初期化します。\r\n宜しいですか?";
constexpr char kResetCaption[] = "キラボ";

void OnNotify(LPARAM lParam, FilterRecord* fp) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->code != static_cast<UINT>(TCN_SELCHANGE) || !g_plugin.columnTabs) return;
    g_plugin.settings.selectedColumn =
        static_cast<std::int32_t>(SendMessageA(g_plugin.columnTabs, TCM_GETCURSEL, 0, 0));
    LayoutPalette(fp, kKeepControls);
}

void ForwardToOwner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(GetWindow(hwnd, GW_OWNER), message, wParam, lParam);
}

void PostToHost(std::uint32_t command) {
    PostMessageA(g_plugin.hostMainWindow, WM_COMMAND, command, 0);
}

void ResetOrder(HWND hwnd, FilterRecord* fp) {
    if (MessageBoxA(hwnd, kResetQuestion, kResetCaption, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    // What the user chose to hide stays hidden: a reset restores the order only.
    const std::vector<EntryKey> hidden = HiddenKeys(g_plugin.entries);
    DestroyPaletteControls();
    g_plugin.entries.clear();
    ScanHostMenus(GetMenu(g_plugin.hostMainWindow), g_plugin.entries);
    HideEntries(g_plugin.entries, hidden);
    LayoutPalette(fp, kCreateControls);
}

void OpenReorderDialog(FilterRecord* fp) {
    const bool hiddenBefore = AnyHidden(g_plugin.entries);
    DialogBoxParamA(fp->dll_hinst, MAKEINTRESOURCEA(KIRABO_DIALOG_REORDER), fp->hwnd,
                    ReorderDialogProc, 0);
    // Rows shown or hidden take or give up their controls, and the ids follow the shown rows;
    // a palette where nothing is hidden keeps its controls and ids, as the order moves them.
    const bool hiddenAfter = AnyHidden(g_plugin.entries);
    LayoutPalette(fp, hiddenBefore || hiddenAfter ? kCreateControls : kKeepControls);
}

bool IsSaving(void* editp, FilterRecord* fp) {
    return fp->exfunc && fp->exfunc->is_saving && fp->exfunc->is_saving(editp) == 1;
}

void OnCommand(HWND hwnd, WPARAM wParam, void* editp, FilterRecord* fp) {
    std::vector<std::int32_t> controlIndices;
    controlIndices.reserve(g_plugin.entries.count());
    for (const FilterEntry& entry : g_plugin.entries) controlIndices.push_back(entry.controlIndex);
    const CommandContext context{IsSaving(editp, fp), g_plugin.hostMainWindow != nullptr,
                                 &controlIndices};
    const Command command = RouteCommand(static_cast<std::uint32_t>(wParam), context);
    switch (command.action) {
        case CommandAction::Ignore:
            return;
        case CommandAction::SetColumns:
            g_plugin.settings.columnCount = command.value;
            LayoutPalette(fp, kKeepControls);
            break;
        case CommandAction::ToggleTabs:
            g_plugin.settings.tabMode = g_plugin.settings.tabMode == 0 ? 1 : 0;
            LayoutPalette(fp, kKeepControls);
            break;
        case CommandAction::Reorder:
            OpenReorderDialog(fp);
            break;
        case CommandAction::ResetOrder:
            ResetOrder(hwnd, fp);
            break;
        case CommandAction::PostToggle:
            PostToHost(g_plugin.entries[command.entry].toggleCommand);
            break;
        case CommandAction::PostSettings:
            PostToHost(g_plugin.entries[command.entry].settingsCommand);
            break;
        case CommandAction::MirrorOnly:
            break;
    }
    MirrorCheckStates(fp);
}

}  // namespace

BOOL __cdecl PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                               FilterRecord* fp) {
    if (!g_plugin.ready || !fp) return FALSE;
    try {
        switch (message) {
            case WM_NOTIFY:
                OnNotify(lParam, fp);
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
            case WM_MOUSEWHEEL:
                ForwardToOwner(hwnd, message, wParam, lParam);
                break;
            case WM_COMMAND:
                OnCommand(hwnd, wParam, editp, fp);
                break;
            case host::kMessageMenuChanged:
                MirrorCheckStates(fp);
                break;
            default:
                break;
        }
    } catch (...) {
        // Out of memory: the message is lost, the host and the palette go on.
    }
    return FALSE;
}

}  // namespace kirabo
