// The reorder dialog's list seen as an Arrangement: the item data and check boxes it shows, and an
// update carried out on it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "reorder/Arrangement.h"

namespace kirabo {

std::vector<std::int32_t> ItemDatas(HWND list);
std::vector<bool> CheckMarks(HWND list);

// The row's name and kind (フィルタ or 表示) at a position of the list.
void WriteListRow(HWND list, int position, const ReorderRow& row);

// Each changed item takes the texts of the row its data leads back to, the data and its check box;
// then the selection and the focus become the update's.
void ShowUpdate(HWND list, const std::vector<ReorderRow>& rows, const ListUpdate& update);

}  // namespace kirabo
