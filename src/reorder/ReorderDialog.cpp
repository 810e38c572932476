#include "reorder/ReorderDialog.h"

#include <commctrl.h>

#include <optional>
#include <vector>

#include "host/PluginState.h"
#include "reorder/Arrangement.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListKeys.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using namespace listview;

// Lives as long as the plug-in: the scroll pacing carries over from one drag, and one opening, to
// the next.
struct DragState {
    HWND list = nullptr;
    bool dragging = false;
    bool releasingCapture = false;
    HIMAGELIST dragImage = nullptr;
    POINT dragPoint = {0, 0};
    std::vector<int> selectedItems;
    DWORD lastScrollTick = 0;
};

DragState g_drag;

// A mouse message's position, which may lie left of or above the dialog, in the list's client
// coordinates.
POINT ListPoint(HWND dialog, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(dialog, g_drag.list, &point, 1);
    return point;
}

void DestroyDragImage() {
    if (g_drag.dragImage) ImageList_Destroy(g_drag.dragImage);
    g_drag.dragImage = nullptr;
}

void ReleaseOwnCapture() {
    g_drag.releasingCapture = true;
    ReleaseCapture();
    g_drag.releasingCapture = false;
}

// Ends a drag that did not end in a drop: nothing moves.
void AbandonDrag(HWND dialog) {
    if (!g_drag.dragging) return;
    g_drag.dragging = false;
    if (GetCapture() == dialog) ReleaseOwnCapture();
    ImageList_DragLeave(g_drag.list);
    ImageList_EndDrag();
    DestroyDragImage();
}

// Every row carries a check box: checked, the row is shown in the palette.
void FillList(HWND dialog) {
    HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    g_drag.list = list;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    for (std::size_t i = 0; i < g_plugin.entries.count(); ++i) {
        InsertItem(list, static_cast<int>(i), g_plugin.entries[i].name.c_str(), static_cast<LPARAM>(i));
        SetChecked(list, static_cast<int>(i), !g_plugin.entries[i].hidden);
    }
    AttachListKeys(list);
}

// The order and the shown/hidden marks, together.
void Commit() {
    HWND list = g_drag.list;
    const std::optional<std::vector<std::size_t>> order = CommittedOrder(ItemDatas(list), g_plugin.entries.count());
    if (!order) return;
    // Whole records move, with their controls and controlIndex.
    EntryList ordered;
    ordered.reserve(order->size());
    for (std::size_t i = 0; i < order->size(); ++i) {
        ordered.append(g_plugin.entries[(*order)[i]]);
        ordered[i].hidden = !IsChecked(list, static_cast<int>(i));
    }
    g_plugin.entries = std::move(ordered);
}

void Close(HWND dialog) {
    AbandonDrag(dialog);
    DestroyDragImage();
    g_drag.list = nullptr;
    std::vector<int>().swap(g_drag.selectedItems);  // nothing of a closed dialog stays on the heap
    EndDialog(dialog, 1);
}

void BeginDrag(HWND dialog, const NMLISTVIEW& notification) {
    HWND list = g_drag.list;
    g_drag.dragPoint = notification.ptAction;
    if (notification.iItem == -1) return;
    POINT unused = {};
    g_drag.dragImage = reinterpret_cast<HIMAGELIST>(SendMessageA(
        list, LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(notification.iItem), reinterpret_cast<LPARAM>(&unused)));
    if (!g_drag.dragImage) {
        g_drag.dragging = false;
        return;
    }
    const RECT bounds = ItemBounds(list, notification.iItem);
    ImageList_BeginDrag(g_drag.dragImage, 0, g_drag.dragPoint.x - bounds.left, g_drag.dragPoint.y - bounds.top);
    ImageList_DragEnter(list, g_drag.dragPoint.x, g_drag.dragPoint.y);
    g_drag.selectedItems = SelectedItems(list);
    SetCapture(dialog);
    g_drag.dragging = true;
}

void MoveDrag(HWND dialog, LPARAM lParam) {
    HWND list = g_drag.list;
    g_drag.dragPoint = ListPoint(dialog, lParam);
    RECT client = {};
    const DWORD now = GetTickCount();
    GetClientRect(list, &client);
    const AutoScroll scroll =
        DecideAutoScroll(g_drag.dragPoint.x, client.left, client.right, g_drag.lastScrollTick, now);
    g_drag.lastScrollTick = scroll.lastScrollTick;
    if (scroll.step != 0) {
        ImageList_DragLeave(list);
        SendMessageA(list, LVM_SCROLL, static_cast<WPARAM>(scroll.step), 0);
        ImageList_DragEnter(list, g_drag.dragPoint.x, g_drag.dragPoint.y);
        g_drag.lastScrollTick = GetTickCount();
    }
    ImageList_DragMove(g_drag.dragPoint.x, g_drag.dragPoint.y);
}

void Drop(HWND dialog, LPARAM lParam) {
    HWND list = g_drag.list;
    ReleaseOwnCapture();
    ImageList_DragLeave(list);
    ImageList_EndDrag();
    g_drag.dragPoint = ListPoint(dialog, lParam);
    LVHITTESTINFO hitTest = {};
    hitTest.pt = g_drag.dragPoint;
    const int hit = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hitTest)));
    if (hit != -1) {
        const RECT bounds = ItemBounds(list, hit);
        const bool upperThird = InUpperThird(g_drag.dragPoint.y, bounds.top, bounds.bottom);
        const Arrangement before{ItemDatas(list), g_drag.selectedItems};
        const Move drop{MoveKind::Drop, DropAnchor(hit, upperThird, g_drag.selectedItems)};
        ShowArrangement(list, before, MoveSelection(before, drop));
    }
    DestroyDragImage();
    g_drag.dragging = false;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
            Commit();
            Close(dialog);
            return TRUE;
        case IDCANCEL:
            Close(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR OnNotify(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == KIRABO_REORDER_LIST && header && header->code == static_cast<UINT>(LVN_BEGINDRAG) &&
        !g_drag.dragging) {
        BeginDrag(dialog, *reinterpret_cast<const NMLISTVIEW*>(lParam));
    }
    return TRUE;
}

// Only a capture taken by another window abandons the drag; the dialog's own release does not.
INT_PTR OnCaptureChanged(HWND dialog, LPARAM lParam) {
    if (g_drag.dragging && !g_drag.releasingCapture && reinterpret_cast<HWND>(lParam) != dialog) {
        AbandonDrag(dialog);
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ReorderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG:
                FillList(dialog);
                return FALSE;
            case WM_COMMAND:
                return OnCommand(dialog, wParam);
            case WM_NOTIFY:
                return OnNotify(dialog, wParam, lParam);
            case WM_MOUSEMOVE:
                if (g_drag.dragging) MoveDrag(dialog, lParam);
                return TRUE;
            case WM_LBUTTONUP:
                if (g_drag.dragging) Drop(dialog, lParam);
                return TRUE;
            case WM_CAPTURECHANGED:
                return OnCaptureChanged(dialog, lParam);
            default:
                return FALSE;
        }
    } catch (...) {
        // Out of memory: the list stays as it was shown; the EntryList changes only at OK.
        return TRUE;
    }
}

}  // namespace kirabo
