#include "reorder/ListArrangement.h"

#include "reorder/ListView.h"

namespace kirabo {

using namespace listview;

namespace {

constexpr char kFilterKind[] = "フィルタ";
constexpr char kDisplayKind[] = "表示";
const ReorderRow kNoRow{};

}  // namespace

void WriteListRow(HWND list, int position, const ReorderRow& row) {
    SetSubItemText(list, position, 0, row.name.c_str());
    SetSubItemText(list, position, 1, row.kind != kKindDisplayTool ? kFilterKind : kDisplayKind);
}

std::vector<std::int32_t> ItemDatas(HWND list) {
    std::vector<std::int32_t> items(static_cast<std::size_t>(ItemCount(list)));
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = static_cast<std::int32_t>(ItemData(list, static_cast<int>(i)));
    }
    return items;
}

std::vector<bool> CheckMarks(HWND list) {
    std::vector<bool> marks(static_cast<std::size_t>(ItemCount(list)));
    for (std::size_t i = 0; i < marks.size(); ++i) marks[i] = IsChecked(list, static_cast<int>(i));
    return marks;
}

void ShowUpdate(HWND list, const std::vector<ReorderRow>& rows, const ListUpdate& update) {
    for (const ItemChange& change : update.changes) {
        const auto row = static_cast<std::size_t>(change.data);
        SetItem(list, change.position, "", change.data);
        WriteListRow(list, change.position, row < rows.size() ? rows[row] : kNoRow);
        SetChecked(list, change.position, change.checked);
    }
    SetItemState(list, -1, LVIS_SELECTED, 0);
    for (int s : update.selected) SetItemState(list, s, LVIS_SELECTED, LVIS_SELECTED);
    if (update.focused >= 0) {
        SetItemState(list, update.focused, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(update.focused), FALSE);
    }
}

}  // namespace kirabo
