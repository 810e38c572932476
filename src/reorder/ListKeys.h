// The reorder dialog's keys on its list: Alt+arrows, Alt+Home and Alt+End move the selected rows,
// Space sets their check boxes, Ctrl+A selects every row.
#pragma once

#include <windows.h>

#include <vector>

#include "reorder/ReorderRows.h"

namespace kirabo {

// `rows` gives the items' texts and must outlive the list.
void AttachListKeys(HWND list, const std::vector<ReorderRow>& rows);

}  // namespace kirabo
