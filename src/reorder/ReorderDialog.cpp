#include "reorder/ReorderDialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "host/PluginState.h"
#include "reorder/Drop.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

struct ListItem {
    std::string text;
    LPARAM data = 0;
};

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

void InsertItem(HWND list, int position, const char* text, LPARAM data) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.pszText = const_cast<char*>(text);
    item.iItem = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    item.mask = LVIF_PARAM;
    item.lParam = data;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

LPARAM ItemData(HWND list, int position) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

std::string ItemText(HWND list, int position) {
    std::string text(256, '\0');
    for (;;) {
        LVITEMA item = {};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

RECT ItemBounds(HWND list, int position) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

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

void FillList(HWND dialog) {
    g_drag.list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    for (std::size_t i = 0; i < g_plugin.entries.count(); ++i) {
        InsertItem(g_drag.list, static_cast<int>(i), g_plugin.entries.at(i).name.c_str(),
                   static_cast<LPARAM>(i));
    }
}

void Commit() {
    HWND list = g_drag.list;
    const std::size_t count = g_plugin.entries.count();
    EntryList ordered;
    std::vector<bool> taken(count);
    for (int i = 0; i < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); ++i) {
        const LPARAM d = ItemData(list, i);
        if (d < 0 || static_cast<std::size_t>(d) >= count || taken[static_cast<std::size_t>(d)]) return;
        taken[static_cast<std::size_t>(d)] = true;
        ordered.append(g_plugin.entries.at(static_cast<std::size_t>(d)));
    }
    // A list that lost an item (a failed insertion) would lose a row and its controls: keep the
    // order as it was instead.
    if (ordered.count() != count) return;
    // Whole records move, with their controls and controlIndex.
    g_plugin.entries = std::move(ordered);
}

void Close(HWND dialog) {
    AbandonDrag(dialog);
    DestroyDragImage();
    g_drag.list = nullptr;
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
    g_drag.selectedItems.clear();
    for (int i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
         i != -1;
         i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) {
        g_drag.selectedItems.push_back(i);
    }
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

void MoveSelectedItems(HWND list, int anchor) {
    std::vector<ListItem> taken;
    taken.reserve(g_drag.selectedItems.size());
    for (int s : g_drag.selectedItems) taken.push_back({ItemText(list, s), ItemData(list, s)});
    for (auto s = g_drag.selectedItems.rbegin(); s != g_drag.selectedItems.rend(); ++s) {
        SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(*s), 0);
    }
    int position = anchor + 1;
    for (const ListItem& item : taken) InsertItem(list, position++, item.text.c_str(), item.data);
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
        MoveSelectedItems(list, DropAnchor(hit, upperThird, g_drag.selectedItems));
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
