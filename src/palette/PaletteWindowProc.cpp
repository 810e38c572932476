#include <windows.h>
#include <commctrl.h>

#include <string>

#include "entries/ScanHostMenus.h"
#include "palette/Palette.h"
#include "reorder/ReorderDialog.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using host::FilterRecord;

constexpr char kResetQuestion[] = "フィルターの並びを初期化します。\r\n宜しいですか?";

void CarryOut(Palette& palette, const Answer& answer, HWND hwnd, FilterRecord* fp);

// The keyboard goes back where it belongs after a click on a control took it: to the palette's window,
// which hands keys on to the host, or to the find box while it is open.
void ReturnKeyboard(const Palette& palette, FilterRecord* fp) {
    HWND home = palette.findBox ? palette.findBox : fp->hwnd;
    if (GetFocus() != home) SetFocus(home);
}

void OnNotify(Palette& palette, LPARAM lParam, FilterRecord* fp) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == static_cast<UINT>(NM_CLICK) && header->hwndFrom == palette.columnTabs) {
        ReturnKeyboard(palette, fp);
    }
    if (!header || header->code != static_cast<UINT>(TCN_SELCHANGE) || !palette.columnTabs) return;
    const auto selection = static_cast<std::int32_t>(SendMessageA(palette.columnTabs, TCM_GETCURSEL, 0, 0));
    CarryOut(palette, palette.core.OnTabChange(selection), nullptr, fp);
}

void ForwardToOwner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(GetWindow(hwnd, GW_OWNER), message, wParam, lParam);
}

void OpenReorderDialog(Palette& palette, HWND hwnd, FilterRecord* fp) {
    const ReorderOutcome outcome = RunReorderDialog(fp->dll_hinst, fp->hwnd, palette.core.RowsToReorder(),
                                                    palette.core.reorderSize());
    CarryOut(palette, palette.core.OnReorderClosed(outcome.result, outcome.size), hwnd, fp);
}

void AskReset(Palette& palette, HWND hwnd, FilterRecord* fp) {
    const bool yes = MessageBoxA(hwnd, kResetQuestion, KIRABO_PLUGIN_NAME, MB_ICONQUESTION | MB_YESNO) == IDYES;
    ScanHostMenus hostMenus(GetMenu(palette.hostMainWindow));
    CarryOut(palette, palette.core.OnResetAnswer(yes, hostMenus), hwnd, fp);
}

void CarryOut(Palette& palette, const Answer& answer, HWND hwnd, FilterRecord* fp) {
    if (answer.openReorder) OpenReorderDialog(palette, hwnd, fp);
    if (answer.askReset) AskReset(palette, hwnd, fp);
    if (answer.findBox == FindBox::Open) OpenFindBar(palette, fp);
    if (answer.findBox == FindBox::Close) CloseFindBar(palette, fp);
    if (answer.layout) LayoutPalette(palette, fp, *answer.layout);
    if (answer.postCommand) PostMessageA(palette.hostMainWindow, WM_COMMAND, answer.postCommand, 0);
    if (answer.mirror) MirrorCheckStates(palette, fp);
}

bool IsSaving(void* editp, FilterRecord* fp) {
    return fp->exfunc && fp->exfunc->is_saving && fp->exfunc->is_saving(editp) == 1;
}

void OnCommand(Palette& palette, HWND hwnd, WPARAM wParam, LPARAM lParam, void* editp, FilterRecord* fp) {
    if (LOWORD(wParam) == KIRABO_FIND_BOX) {
        if (HIWORD(wParam) != EN_CHANGE || !palette.findBox) return;
        const int length = GetWindowTextLengthA(palette.findBox);
        std::string typed(static_cast<std::size_t>(length) + 1, '\0');
        typed.resize(static_cast<std::size_t>(GetWindowTextA(palette.findBox, typed.data(), length + 1)));
        CarryOut(palette, palette.core.OnFindText(typed), hwnd, fp);
        return;
    }
    const Answer answer = palette.core.OnCommand(static_cast<std::uint32_t>(wParam), IsSaving(editp, fp),
                                                   palette.hostMainWindow != nullptr);
    CarryOut(palette, answer, hwnd, fp);
    if (lParam != 0) ReturnKeyboard(palette, fp);  // a row's check box or button was clicked
}

void OnFindKey(Palette& palette, HWND hwnd, WPARAM key, void* editp, FilterRecord* fp) {
    if (key > static_cast<WPARAM>(FindKey::Close)) return;  // not one the find box sends
    const View before = palette.core.view();
    const Answer answer = palette.core.OnFindKey(static_cast<FindKey>(key), IsSaving(editp, fp),
                                                 palette.hostMainWindow != nullptr);
    if (answer.view) ShowPaletteView(palette, fp, before, *answer.view);
    CarryOut(palette, answer, hwnd, fp);
}

}  // namespace

BOOL PaletteWindowProc(Palette& palette, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                       FilterRecord* fp) {
    if (!palette.core.running() || !fp) return FALSE;
    try {
        switch (message) {
            case WM_NOTIFY:
                OnNotify(palette, lParam, fp);
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
                ForwardToOwner(hwnd, message, wParam, lParam);
                break;
            case WM_MOUSEWHEEL:
                if (!OnPaletteWheel(palette, fp, wParam, false)) ForwardToOwner(hwnd, message, wParam, lParam);
                break;
            case WM_MOUSEHWHEEL:
                OnPaletteWheel(palette, fp, wParam, true);
                break;
            case WM_VSCROLL:
            case WM_HSCROLL:
                if (lParam == 0) OnPaletteScroll(palette, fp, message, wParam);  // the window's own bars
                break;
            case WM_SIZE:
                OnPaletteSize(palette, fp);
                break;
            case WM_GETMINMAXINFO:
                if (lParam) LimitPaletteSize(palette, *reinterpret_cast<MINMAXINFO*>(lParam));
                break;
            case WM_ENTERSIZEMOVE:
            case WM_EXITSIZEMOVE:
                OnPaletteSizing(palette, hwnd, message == WM_EXITSIZEMOVE);
                break;
            case WM_COMMAND:
                OnCommand(palette, hwnd, wParam, lParam, editp, fp);
                break;
            case kMessageFindKey:
                OnFindKey(palette, hwnd, wParam, editp, fp);
                break;
            case WM_SETFOCUS:
                if (palette.findBox) SetFocus(palette.findBox);  // the open box keeps the keyboard
                break;
            case host::kMessageMenuChanged:
                MirrorCheckStates(palette, fp);
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
