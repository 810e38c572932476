// The modal dialog (template 7001) in which the user puts the rows in a new order and chooses which
// are shown.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "reorder/ReorderRows.h"

namespace kirabo {

// Opens the dialog over `owner` with these rows and groups, at the size the user last gave it, and
// waits for it: the result at OK (none at Cancel, or when the list no longer holds every row once),
// and the size when the user changed it.
ReorderOutcome RunReorderDialog(HINSTANCE instance, HWND owner, std::vector<ReorderRow> rows,
                                const std::vector<Group>& groups, std::optional<WindowSize> size);

INT_PTR CALLBACK ReorderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kirabo
