#include "reorder/ReorderDialog.h"

#include <commctrl.h>

#include "reorder/Arrangement.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListKeys.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using namespace listview;

// One opening of the dialog: its rows in, its result out, and the drag in progress. It lives on the
// stack of RunReorderDialog, so nothing of a closed dialog stays behind.
struct ReorderDialog {
    std::vector<ReorderRow> rows;
    std::optional<ReorderResult> result;
    HWND list = nullptr;
    bool dragging = false;
    bool releasingCapture = false;
    HIMAGELIST dragImage = nullptr;
    POINT dragPoint = {0, 0};
    std::vector<int> selectedItems;
};

// The auto-scroll's pacing carries over from one drag, and one opening, to the next.
DWORD g_lastScrollTick = 0;

ReorderDialog* StateOf(HWND dialog) {
    return reinterpret_cast<ReorderDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// A mouse message's position, which may lie left of or above the dialog, in the list's client
// coordinates.
POINT ListPoint(HWND dialog, HWND list, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(dialog, list, &point, 1);
    return point;
}

void DestroyDragImage(ReorderDialog& state) {
    if (state.dragImage) ImageList_Destroy(state.dragImage);
    state.dragImage = nullptr;
}

void ReleaseOwnCapture(ReorderDialog& state) {
    state.releasingCapture = true;
    ReleaseCapture();
    state.releasingCapture = false;
}

// Ends a drag that did not end in a drop: nothing moves.
void AbandonDrag(HWND dialog, ReorderDialog& state) {
    if (!state.dragging) return;
    state.dragging = false;
    if (GetCapture() == dialog) ReleaseOwnCapture(state);
    ImageList_DragLeave(state.list);
    ImageList_EndDrag();
    DestroyDragImage(state);
}

// Every row carries a check box: checked, the row is shown in the palette.
void FillList(HWND dialog, ReorderDialog& state) {
    HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    state.list = list;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        InsertItem(list, static_cast<int>(i), state.rows[i].name.c_str(), static_cast<LPARAM>(i));
        SetChecked(list, static_cast<int>(i), state.rows[i].shown);
    }
    AttachListKeys(list, state.rows);
}

void Close(HWND dialog, ReorderDialog& state) {
    AbandonDrag(dialog, state);
    DestroyDragImage(state);
    state.list = nullptr;
    EndDialog(dialog, 1);
}

void BeginDrag(HWND dialog, ReorderDialog& state, const NMLISTVIEW& notification) {
    HWND list = state.list;
    state.dragPoint = notification.ptAction;
    if (notification.iItem == -1) return;
    POINT unused = {};
    state.dragImage = reinterpret_cast<HIMAGELIST>(SendMessageA(
        list, LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(notification.iItem), reinterpret_cast<LPARAM>(&unused)));
    if (!state.dragImage) {
        state.dragging = false;
        return;
    }
    const RECT bounds = ItemBounds(list, notification.iItem);
    ImageList_BeginDrag(state.dragImage, 0, state.dragPoint.x - bounds.left, state.dragPoint.y - bounds.top);
    ImageList_DragEnter(list, state.dragPoint.x, state.dragPoint.y);
    state.selectedItems = SelectedItems(list);
    SetCapture(dialog);
    state.dragging = true;
}

void MoveDrag(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    HWND list = state.list;
    state.dragPoint = ListPoint(dialog, list, lParam);
    RECT client = {};
    const DWORD now = GetTickCount();
    GetClientRect(list, &client);
    const AutoScroll scroll = DecideAutoScroll(state.dragPoint.x, client.left, client.right, g_lastScrollTick, now);
    g_lastScrollTick = scroll.lastScrollTick;
    if (scroll.step != 0) {
        ImageList_DragLeave(list);
        SendMessageA(list, LVM_SCROLL, static_cast<WPARAM>(scroll.step), 0);
        ImageList_DragEnter(list, state.dragPoint.x, state.dragPoint.y);
        g_lastScrollTick = GetTickCount();
    }
    ImageList_DragMove(state.dragPoint.x, state.dragPoint.y);
}

void Drop(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    HWND list = state.list;
    ReleaseOwnCapture(state);
    ImageList_DragLeave(list);
    ImageList_EndDrag();
    state.dragPoint = ListPoint(dialog, list, lParam);
    LVHITTESTINFO hitTest = {};
    hitTest.pt = state.dragPoint;
    const int hit = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hitTest)));
    if (hit != -1) {
        const RECT bounds = ItemBounds(list, hit);
        const bool upperThird = InUpperThird(state.dragPoint.y, bounds.top, bounds.bottom);
        const Arrangement before{ItemDatas(list), state.selectedItems};
        const Move drop{MoveKind::Drop, DropAnchor(hit, upperThird, state.selectedItems)};
        ShowUpdate(list, state.rows, UpdateForMove(before, CheckMarks(list), -1, drop));
    }
    DestroyDragImage(state);
    state.dragging = false;
}

INT_PTR OnCommand(HWND dialog, ReorderDialog& state, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
            state.result = CommitList(ItemDatas(state.list), CheckMarks(state.list), state.rows.size());
            Close(dialog, state);
            return TRUE;
        case IDCANCEL:
            Close(dialog, state);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR OnNotify(HWND dialog, ReorderDialog& state, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == KIRABO_REORDER_LIST && header && header->code == static_cast<UINT>(LVN_BEGINDRAG) &&
        !state.dragging) {
        BeginDrag(dialog, state, *reinterpret_cast<const NMLISTVIEW*>(lParam));
    }
    return TRUE;
}

// Only a capture taken by another window abandons the drag; the dialog's own release does not.
INT_PTR OnCaptureChanged(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    if (state.dragging && !state.releasingCapture && reinterpret_cast<HWND>(lParam) != dialog) {
        AbandonDrag(dialog, state);
    }
    return FALSE;
}

}  // namespace

std::optional<ReorderResult> RunReorderDialog(HINSTANCE instance, HWND owner, std::vector<ReorderRow> rows) {
    ReorderDialog state;
    state.rows = std::move(rows);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(KIRABO_DIALOG_REORDER), owner, ReorderDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    return std::move(state.result);
}

INT_PTR CALLBACK ReorderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        try {
            FillList(dialog, *reinterpret_cast<ReorderDialog*>(lParam));
        } catch (...) {
            EndDialog(dialog, 1);  // out of memory: the dialog closes as if cancelled
        }
        return FALSE;
    }
    ReorderDialog* state = StateOf(dialog);
    if (!state) return FALSE;  // before WM_INITDIALOG
    try {
        switch (message) {
            case WM_COMMAND:
                return OnCommand(dialog, *state, wParam);
            case WM_NOTIFY:
                return OnNotify(dialog, *state, wParam, lParam);
            case WM_MOUSEMOVE:
                if (state->dragging) MoveDrag(dialog, *state, lParam);
                return TRUE;
            case WM_LBUTTONUP:
                if (state->dragging) Drop(dialog, *state, lParam);
                return TRUE;
            case WM_CAPTURECHANGED:
                return OnCaptureChanged(dialog, *state, lParam);
            default:
                return FALSE;
        }
    } catch (...) {
        // Out of memory: the list stays as it was shown; the palette changes only at OK.
        return TRUE;
    }
}

}  // namespace kirabo
