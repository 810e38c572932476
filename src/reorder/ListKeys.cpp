#include "reorder/ListKeys.h"

#include <optional>

#include "reorder/Arrangement.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListView.h"

namespace kirabo {
namespace {

using namespace listview;

constexpr WPARAM kCtrlA = 1;  // the character Ctrl+A types

// Alt+arrow keys: the selected rows move, stay selected, and the focused row keeps the focus and
// is scrolled into view.
void MoveByKey(HWND list, MoveKind kind) {
    const Arrangement before{ItemDatas(list), SelectedItems(list)};
    if (before.selected.empty()) return;
    const int focused = FocusedItem(list);
    const Arrangement after = MoveSelection(before, {kind});
    ShowArrangement(list, before, after);
    if (focused < 0 || static_cast<std::size_t>(focused) >= before.items.size()) return;
    const std::int32_t focusedData = before.items[static_cast<std::size_t>(focused)];
    for (std::size_t i = 0; i < after.items.size(); ++i) {
        if (after.items[i] != focusedData) continue;
        SetItemState(list, static_cast<int>(i), LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(list, LVM_ENSUREVISIBLE, i, FALSE);
        return;
    }
}

// Space: every selected row (and the focused one) takes the opposite of the focused row's box.
void ToggleSelectedChecks(HWND list) {
    const int focused = FocusedItem(list);
    if (focused < 0) return;
    const bool checked = !IsChecked(list, focused);
    SetChecked(list, focused, checked);
    for (int s : SelectedItems(list)) SetChecked(list, s, checked);
}

std::optional<MoveKind> KeyMove(WPARAM key) {
    switch (key) {
        case VK_UP:
            return MoveKind::Up;
        case VK_DOWN:
            return MoveKind::Down;
        case VK_HOME:
            return MoveKind::ToTop;
        case VK_END:
            return MoveKind::ToBottom;
        default:
            return std::nullopt;
    }
}

// The list's own keys (arrows, Home, End, Ctrl+arrows, type-to-find) keep their meaning; these
// come first.
LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    try {
        switch (message) {
            case WM_SYSKEYDOWN:
                if (const std::optional<MoveKind> move = KeyMove(wParam)) {
                    MoveByKey(list, *move);
                    return 0;
                }
                break;
            case WM_KEYDOWN:
                if (wParam == VK_SPACE) {
                    ToggleSelectedChecks(list);
                    return 0;
                }
                if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
                    SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
                    return 0;
                }
                break;
            case WM_CHAR:
                if (wParam == ' ' || wParam == kCtrlA) return 0;  // handled at the key itself
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(list, ListKeys, 0);
                break;
            default:
                break;
        }
    } catch (...) {
        return 0;  // out of memory: the list stays as it was shown
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void AttachListKeys(HWND list) { SetWindowSubclass(list, ListKeys, 0, 0); }

}  // namespace kirabo
