// The reorder dialog's keys on its list: Alt+arrows, Alt+Home and Alt+End move the selected rows,
// Space sets their check boxes, Ctrl+A selects every row.
#pragma once

#include <windows.h>

namespace kirabo {

void AttachListKeys(HWND list);

}  // namespace kirabo
