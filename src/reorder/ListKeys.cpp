#include "reorder/ListKeys.h"

#include "reorder/KeyMeaning.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using namespace listview;

void MoveByKey(HWND list, DialogList& shown, MoveKind kind) {
    const std::vector<int> selected = SelectedRows(list);
    ShowChange(list, shown, selected, UpdateForMove(shown.list, selected, FocusedItem(list), {kind}));
}

// The list keeps no check boxes of its own: a click on one flips the dialog's.
bool ClickOnCheckBox(HWND list, DialogList& shown, LPARAM lParam) {
    LVHITTESTINFO hit = {};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int item = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item < 0 || !(hit.flags & LVHT_ONITEMSTATEICON)) return false;
    ShowChecks(list, shown, SpaceChecks(item, {}, shown.list));
    return true;
}

KeyPress PressOf(UINT message, WPARAM wParam) {
    const KeyMessage kind = message == WM_SYSKEYDOWN ? KeyMessage::SysKeyDown
                            : message == WM_CHAR     ? KeyMessage::Char
                                                     : KeyMessage::KeyDown;
    return {kind, static_cast<std::uint32_t>(wParam), GetKeyState(VK_CONTROL) < 0};
}

LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& shown = *reinterpret_cast<DialogList*>(data);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ListKeys, 0);
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && ClickOnCheckBox(list, shown, lParam)) return 0;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR) {
        return DefSubclassProc(list, message, wParam, lParam);
    }
    try {
        const KeyMeaning meaning = MeaningOfKey(PressOf(message, wParam));
        switch (meaning.action) {
            case KeyAction::PassOn:
            case KeyAction::FindText:  // the dialog's, before the list sees it
                break;
            case KeyAction::MoveRows:
                MoveByKey(list, shown, meaning.move);
                // Past the list view, whose own handling of the key is what the move replaces.
                if (meaning.defaultSeesIt) DefWindowProcA(list, message, wParam, lParam);
                return 0;
            case KeyAction::ToggleChecks:
                ShowChecks(list, shown, SpaceChecks(FocusedItem(list), SelectedRows(list), shown.list));
                return 0;
            case KeyAction::SelectAll:
                SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
                return 0;
            case KeyAction::EditInPlace:
                SendMessageA(GetParent(list), kMessageEditInPlace, static_cast<WPARAM>(FocusedItem(list)), 0);
                return 0;
            case KeyAction::MakeGroup:
                SendMessageA(GetParent(list), WM_COMMAND, KIRABO_REORDER_GROUP, 0);
                return 0;
            case KeyAction::RemoveGroups: {
                const std::vector<int> selected = SelectedRows(list);
                Removal removal = RemoveGroups(shown.list, selected, FocusedItem(list));
                ShowChange(list, shown, selected, std::move(removal.update));
                if (removal.kept >= 0)
                    SendMessageA(GetParent(list), kMessageHeadingKept, static_cast<WPARAM>(removal.kept), 0);
                return 0;
            }
            case KeyAction::Undo:
            case KeyAction::Redo:
                ShowStep(list, shown, meaning.action == KeyAction::Undo);
                return 0;
            case KeyAction::Swallow:
                return 0;
        }
    } catch (...) {
        return 0;  // out of memory: the list stays as it was shown
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK DialogKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR findBox) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, DialogKeys, 0);
    if (message == WM_KEYDOWN && MeaningOfKey(PressOf(message, wParam)).action == KeyAction::FindText) {
        HWND box = reinterpret_cast<HWND>(findBox);
        SendMessageA(GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
        SendMessageA(box, EM_SETSEL, 0, -1);  // what is typed next replaces the last search
        return 0;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void AttachDialogKeys(HWND dialog, HWND findBox) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SetWindowSubclass(child, DialogKeys, 0, reinterpret_cast<DWORD_PTR>(findBox));
    }
}

void AttachListKeys(HWND list, DialogList& shown) {
    SetWindowSubclass(list, ListKeys, 0, reinterpret_cast<DWORD_PTR>(&shown));
}

}  // namespace kirabo
