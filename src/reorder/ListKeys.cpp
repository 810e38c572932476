#include "reorder/ListKeys.h"

#include "reorder/KeyMeaning.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListView.h"

namespace kirabo {
namespace {

using namespace listview;

static_assert(kKeyReturn == VK_RETURN && kKeyEscape == VK_ESCAPE && kKeySpace == VK_SPACE && kKeyEnd == VK_END && kKeyHome == VK_HOME && kKeyUp == VK_UP &&
              kKeyDown == VK_DOWN);

void MoveByKey(HWND list, const std::vector<ReorderRow>& rows, MoveKind kind) {
    const Arrangement before{ItemDatas(list), SelectedItems(list)};
    ShowUpdate(list, rows, UpdateForMove(before, CheckMarks(list), FocusedItem(list), {kind}));
}

void ToggleChecks(HWND list) {
    const CheckChange change = SpaceChecks(FocusedItem(list), SelectedItems(list), CheckMarks(list));
    for (int p : change.positions) SetChecked(list, p, change.checked);
}

KeyPress PressOf(UINT message, WPARAM wParam) {
    const KeyMessage kind = message == WM_SYSKEYDOWN ? KeyMessage::SysKeyDown
                            : message == WM_CHAR     ? KeyMessage::Char
                                                     : KeyMessage::KeyDown;
    return {kind, static_cast<std::uint32_t>(wParam), GetKeyState(VK_CONTROL) < 0};
}

LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const auto& rows = *reinterpret_cast<const std::vector<ReorderRow>*>(data);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ListKeys, 0);
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR) {
        return DefSubclassProc(list, message, wParam, lParam);
    }
    try {
        const KeyMeaning meaning = MeaningOfKey(PressOf(message, wParam));
        switch (meaning.action) {
            case KeyAction::PassOn:
                break;
            case KeyAction::MoveRows:
                MoveByKey(list, rows, meaning.move);
                return 0;
            case KeyAction::ToggleChecks:
                ToggleChecks(list);
                return 0;
            case KeyAction::SelectAll:
                SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
                return 0;
            case KeyAction::Swallow:
                return 0;
        }
    } catch (...) {
        return 0;  // out of memory: the list stays as it was shown
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void AttachListKeys(HWND list, const std::vector<ReorderRow>& rows) {
    SetWindowSubclass(list, ListKeys, 0, reinterpret_cast<DWORD_PTR>(&rows));
}

}  // namespace kirabo
