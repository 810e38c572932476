#pragma once

#include <windows.h>

namespace kirabo {

// The modal dialog (template 7001) in which the user drags the rows into a new order.
INT_PTR CALLBACK ReorderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kirabo
