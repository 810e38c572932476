// Thin wrappers over the list view's messages, for the reorder dialog and the tests that drive it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace kirabo::listview {

// The list view's own procedure, past the window's subclasses, which want none of these messages: a
// message through them costs Wine a round trip to its server (they hang on a window property), and
// a selection is read and set a row at a time, hundreds of rows in a go.
inline LRESULT OwnCall(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC));
    return CallWindowProcW(own, list, message, wParam, lParam);
}

inline int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// Position -1: every item.
inline void SetItemState(HWND list, int position, UINT mask, UINT state) {
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    OwnCall(list, LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

inline int FocusedItem(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

// Ascending, as the list view finds them one after another.
inline std::vector<int> SelectedItems(HWND list) {
    std::vector<int> selected;
    for (int i = static_cast<int>(OwnCall(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); i != -1;
         i = static_cast<int>(OwnCall(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) {
        selected.push_back(i);
    }
    return selected;
}

inline RECT ItemBounds(HWND list, int position) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

}  // namespace kirabo::listview
