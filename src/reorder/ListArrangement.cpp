#include "reorder/ListArrangement.h"

#include "reorder/DialogWindow.h"
#include "reorder/ListView.h"

namespace kirabo {

using namespace listview;

namespace {

constexpr char kFilterKind[] = "フィルタ";
constexpr char kDisplayKind[] = "表示";

}  // namespace

void AnswerDisplayInfo(const DialogList& shown, NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shown.list.items.size()) return;
    const auto position = static_cast<std::size_t>(item.iItem);
    const auto row = static_cast<std::size_t>(shown.list.items[position]);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const char* text = "";
        if (row < shown.rows.size() && item.iSubItem == kWordsColumn) {
            text = shown.rows[row].words.c_str();
        } else if (row < shown.rows.size()) {
            text = item.iSubItem == 0 ? shown.rows[row].name.c_str()
                                      : (shown.rows[row].kind != kKindDisplayTool ? kFilterKind : kDisplayKind);
        }
        lstrcpynA(item.pszText, text, item.cchTextMax);
    }
    if ((item.mask & LVIF_STATE) && item.iSubItem == 0 && position < shown.list.checked.size()) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(shown.list.checked[position] ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void ShowMove(HWND list, DialogList& shown, const std::vector<int>& before, ListUpdate update) {
    shown.list = std::move(update.list);
    InvalidateRect(list, nullptr, FALSE);
    ShowSelection(list, before, update.selected, update.focused);
}

std::vector<int> SelectedRows(HWND list) {
    // With the boxes left out of the callback mask, the list answers from the selection it keeps
    // instead of asking the dialog about every row it passes on the way.
    SendMessageA(list, LVM_SETCALLBACKMASK, 0, 0);
    std::vector<int> selected = SelectedItems(list);
    SendMessageA(list, LVM_SETCALLBACKMASK, kListCallbackMask, 0);
    return selected;
}

void ShowSelection(HWND list, const std::vector<int>& before, const std::vector<int>& selected, int focused) {
    const SelectionChange change = ChangeSelection(before, selected);
    // Each row's change is one repaint of the whole list at the end, not one each.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETCALLBACKMASK, 0, 0);  // each row's change asks the dialog for no box
    for (int s : change.deselect) SetItemState(list, s, LVIS_SELECTED, 0);
    for (int s : change.select) SetItemState(list, s, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(list, LVM_SETCALLBACKMASK, kListCallbackMask, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, FALSE);
    if (focused >= 0) {
        SetItemState(list, focused, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(focused), FALSE);
    }
}

void ShowChecks(HWND list, DialogList& shown, const CheckChange& change) {
    for (int p : change.positions) {
        if (p >= 0 && static_cast<std::size_t>(p) < shown.list.checked.size()) {
            shown.list.checked[static_cast<std::size_t>(p)] = change.checked;
        }
    }
    InvalidateRect(list, nullptr, FALSE);  // what is on screen, however many boxes changed
}

}  // namespace kirabo
