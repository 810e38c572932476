#include <windows.h>
#include <commctrl.h>

#include "entries/ScanHostMenus.h"
#include "palette/Palette.h"
#include "reorder/ReorderDialog.h"

namespace kirabo {
namespace {

using host::FilterRecord;

constexpr char kResetQuestion[] = "フィルターの並びを初期化します。\r\n宜しいですか?";
constexpr char kResetCaption[] = "キラボ";

void CarryOut(const Answer& answer, HWND hwnd, FilterRecord* fp);

void OnNotify(LPARAM lParam, FilterRecord* fp) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->code != static_cast<UINT>(TCN_SELCHANGE) || !g_palette.columnTabs) return;
    const auto selection = static_cast<std::int32_t>(SendMessageA(g_palette.columnTabs, TCM_GETCURSEL, 0, 0));
    CarryOut(g_palette.core.OnTabChange(selection), nullptr, fp);
}

void ForwardToOwner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(GetWindow(hwnd, GW_OWNER), message, wParam, lParam);
}

void OpenReorderDialog(HWND hwnd, FilterRecord* fp) {
    const ReorderOutcome outcome = RunReorderDialog(fp->dll_hinst, fp->hwnd, g_palette.core.RowsToReorder(),
                                                    g_palette.core.reorderSize());
    CarryOut(g_palette.core.OnReorderClosed(outcome.result, outcome.size), hwnd, fp);
}

void AskReset(HWND hwnd, FilterRecord* fp) {
    const bool yes = MessageBoxA(hwnd, kResetQuestion, kResetCaption, MB_ICONQUESTION | MB_YESNO) == IDYES;
    ScanHostMenus hostMenus(GetMenu(g_palette.hostMainWindow));
    CarryOut(g_palette.core.OnResetAnswer(yes, hostMenus), hwnd, fp);
}

void CarryOut(const Answer& answer, HWND hwnd, FilterRecord* fp) {
    if (answer.openReorder) OpenReorderDialog(hwnd, fp);
    if (answer.askReset) AskReset(hwnd, fp);
    if (answer.layout) LayoutPalette(fp, *answer.layout);
    if (answer.postCommand) PostMessageA(g_palette.hostMainWindow, WM_COMMAND, answer.postCommand, 0);
    if (answer.mirror) MirrorCheckStates(fp);
}

bool IsSaving(void* editp, FilterRecord* fp) {
    return fp->exfunc && fp->exfunc->is_saving && fp->exfunc->is_saving(editp) == 1;
}

void OnCommand(HWND hwnd, WPARAM wParam, void* editp, FilterRecord* fp) {
    const Answer answer = g_palette.core.OnCommand(static_cast<std::uint32_t>(wParam), IsSaving(editp, fp),
                                                   g_palette.hostMainWindow != nullptr);
    CarryOut(answer, hwnd, fp);
}

}  // namespace

BOOL __cdecl PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                               FilterRecord* fp) {
    if (!g_palette.core.running() || !fp) return FALSE;
    try {
        switch (message) {
            case WM_NOTIFY:
                OnNotify(lParam, fp);
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
                ForwardToOwner(hwnd, message, wParam, lParam);
                break;
            case WM_MOUSEWHEEL:
                if (!OnPaletteWheel(fp, wParam, false)) ForwardToOwner(hwnd, message, wParam, lParam);
                break;
            case WM_MOUSEHWHEEL:
                OnPaletteWheel(fp, wParam, true);
                break;
            case WM_VSCROLL:
            case WM_HSCROLL:
                if (lParam == 0) OnPaletteScroll(fp, message, wParam);  // the window's own bars
                break;
            case WM_SIZE:
                OnPaletteSize(fp);
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
