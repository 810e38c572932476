#include "reorder/ReorderDialog.h"

#include <commctrl.h>

#include "reorder/Arrangement.h"
#include "reorder/DialogWindow.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListFind.h"
#include "reorder/ListKeys.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using namespace listview;

constexpr char kNameHeader[] = "名前";
constexpr char kKindHeader[] = "種類";
// While a drag rests in a margin, the list goes on stepping at the pace a moving mouse gets.
constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollTickMs = kScrollPauseMs;

// One opening of the dialog: its rows and size in, its outcome out, and the drag in progress. It
// lives on the stack of RunReorderDialog, so nothing of a closed dialog stays behind.
struct ReorderDialog {
    std::vector<ReorderRow> rows;
    std::optional<DialogSize> size;
    ReorderOutcome outcome;
    DialogWindow window;
    FindBoxControl find;
    HWND list = nullptr;
    bool dragging = false;
    bool releasingCapture = false;
    HIMAGELIST dragImage = nullptr;
    POINT dragPoint = {0, 0};
    std::vector<int> selectedItems;
    DWORD lastScrollTick = 0;  // the auto-scroll's pacing, from one drag to the next
};

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
    KillTimer(dialog, kAutoScrollTimer);
    if (GetCapture() == dialog) ReleaseOwnCapture(state);
    ImageList_DragLeave(state.list);
    ImageList_EndDrag();
    DestroyDragImage(state);
}

void AddColumn(HWND list, int index, const char* header, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(header);
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// One row a line, its name and its kind, and a check box: checked, the row is shown in the palette.
void FillList(HWND dialog, ReorderDialog& state) {
    HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    state.list = list;
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    // The selection shows while the keyboard is in the find box, too.
    SetWindowLongA(list, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_REPORT | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS);
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    AddColumn(list, 0, kNameHeader, kKindColumnWidth);  // FitColumns gives it the rest
    AddColumn(list, 1, kKindHeader, kKindColumnWidth);
    // Thousands of rows go in without a repaint or a growing array each.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, state.rows.size(), 0);
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        InsertItem(list, static_cast<int>(i), "", static_cast<LPARAM>(i));
        WriteListRow(list, static_cast<int>(i), state.rows[i]);
        SetChecked(list, static_cast<int>(i), !state.rows[i].hidden);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    FitColumns(list);  // once the rows are in: a vertical bar takes its room
    AttachListKeys(list, state.rows);
    // The keyboard starts in the list, on the first row, nothing selected: Ctrl+A, Space works at
    // once, and Tab still reaches OK.
    if (!state.rows.empty()) SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    SetFocus(list);
}

void Close(HWND dialog, ReorderDialog& state) {
    AbandonDrag(dialog, state);
    DestroyDragImage(state);
    state.outcome.size = SizeToKeep(dialog, state.window);
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
    SetTimer(dialog, kAutoScrollTimer, kAutoScrollTickMs, nullptr);
}

// A step of the auto-scroll when the drag point lies in the list's top or bottom margin and the
// last step is long enough ago: on every mouse move, and on every tick while the mouse rests.
void AutoScrollStep(ReorderDialog& state) {
    HWND list = state.list;
    RECT client = {};
    const DWORD now = GetTickCount();
    GetClientRect(list, &client);
    const int page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    const AutoScroll scroll =
        DecideAutoScroll(state.dragPoint.y, client.top, client.bottom, page, state.lastScrollTick, now);
    state.lastScrollTick = scroll.lastScrollTick;
    if (scroll.step == 0 || ItemCount(list) == 0) return;
    const RECT item = ItemBounds(list, 0);
    ImageList_DragLeave(list);
    SendMessageA(list, LVM_SCROLL, 0, static_cast<LPARAM>(scroll.step) * (item.bottom - item.top));
    ImageList_DragEnter(list, state.dragPoint.x, state.dragPoint.y);
    state.lastScrollTick = GetTickCount();
}

void MoveDrag(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    state.dragPoint = ListPoint(dialog, state.list, lParam);
    AutoScrollStep(state);
    ImageList_DragMove(state.dragPoint.x, state.dragPoint.y);
}

void Drop(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    HWND list = state.list;
    KillTimer(dialog, kAutoScrollTimer);
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
            state.outcome.result = CommitList(ItemDatas(state.list), CheckMarks(state.list), state.rows.size());
            Close(dialog, state);
            return TRUE;
        case IDCANCEL:
            // Esc during a drag ends the drag where it started; the dialog and its changes stay.
            if (state.dragging) {
                AbandonDrag(dialog, state);
                return TRUE;
            }
            Close(dialog, state);
            return TRUE;
        case KIRABO_REORDER_FIND:
            if (HIWORD(wParam) == EN_CHANGE && state.find.OnChange()) SelectMatches(state.list, state.find, state.rows);
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

ReorderOutcome RunReorderDialog(HINSTANCE instance, HWND owner, std::vector<ReorderRow> rows,
                                std::optional<DialogSize> size) {
    ReorderDialog state;
    state.rows = std::move(rows);
    state.size = size;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(KIRABO_DIALOG_REORDER), owner, ReorderDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    return std::move(state.outcome);
}

INT_PTR CALLBACK ReorderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        try {
            auto& state = *reinterpret_cast<ReorderDialog*>(lParam);
            FillList(dialog, state);
            AddListFind(dialog, state.find);
            FrameDialog(dialog, state.window, state.size);
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
            case WM_TIMER:
                if (wParam == kAutoScrollTimer && state->dragging) AutoScrollStep(*state);
                return TRUE;
            case WM_SIZE:
                ResizeDialog(dialog, state->window);
                return TRUE;
            case kMessageFindText:
                SelectMatches(state->list, state->find, state->rows);
                return TRUE;
            case kMessageFindKey:
                OnListFindKey(dialog, state->find, wParam);
                return TRUE;
            case WM_GETMINMAXINFO:
                LimitDialogSize(state->window, *reinterpret_cast<MINMAXINFO*>(lParam));
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        // Out of memory: the list stays as it was shown; the palette changes only at OK.
        return TRUE;
    }
}

}  // namespace kirabo
