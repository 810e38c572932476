#include "reorder/ListArrangement.h"

#include "reorder/DialogWindow.h"
#include "reorder/ListView.h"

namespace kirabo {

using namespace listview;

namespace {

constexpr char kFilterKind[] = "フィルタ";
constexpr char kDisplayKind[] = "表示";
constexpr char kGroupKind[] = "グループ";

// The list drawn again once shown.list changed, its count too when that changed, with `selection`
// instead of the rows `before` selected.
void ShowList(HWND list, const DialogList& shown, const std::vector<int>& before, const Selection& selection) {
    const std::size_t count = shown.list.items.size();
    const bool sameCount = static_cast<std::size_t>(ItemCount(list)) == count;
    if (!sameCount) SendMessageA(list, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, FALSE);
    ShowSelection(list, sameCount ? before : SelectedRows(list), selection.selected, selection.focused);
}

}  // namespace

void AnswerDisplayInfo(const DialogList& shown, NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shown.list.items.size()) return;
    const auto position = static_cast<std::size_t>(item.iItem);
    const std::int32_t shownItem = shown.list.items[position];
    const auto row = static_cast<std::size_t>(shownItem);
    const bool heading = IsHeading(shownItem) && HeadingIndex(shownItem) < shown.list.headings.size();
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const char* text = "";
        if (heading && item.iSubItem != kWordsColumn) {
            text = item.iSubItem == 0 ? shown.list.headings[HeadingIndex(shownItem)].c_str() : kGroupKind;
        } else if (row < shown.rows.size() && item.iSubItem == kWordsColumn) {
            text = shown.rows[row].words.c_str();
        } else if (row < shown.rows.size()) {
            text = item.iSubItem == 0 ? shown.rows[row].name.c_str()
                                      : (shown.rows[row].kind != kKindDisplayTool ? kFilterKind : kDisplayKind);
        }
        lstrcpynA(item.pszText, text, item.cchTextMax);
    }
    if ((item.mask & LVIF_STATE) && item.iSubItem == 0 && position < shown.list.checked.size()) {
        const UINT box = heading ? 0 : shown.list.checked[position] ? 2 : 1;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(box);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void ShowChange(HWND list, DialogList& shown, const std::vector<int>& before, ListUpdate update) {
    ApplyChange(shown, std::move(update.list), {before, FocusedItem(list)});
    ShowList(list, shown, before, {std::move(update.selected), update.focused});
}

void ShowStep(HWND list, DialogList& shown, bool back) {
    const std::vector<int> before = SelectedRows(list);
    const std::optional<Selection> selection = StepHistory(shown, {before, FocusedItem(list)}, back);
    if (selection) ShowList(list, shown, before, *selection);
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
    ApplyChecks(shown, change, {SelectedRows(list), FocusedItem(list)});
    InvalidateRect(list, nullptr, FALSE);  // what is on screen, however many boxes changed
}

}  // namespace kirabo
