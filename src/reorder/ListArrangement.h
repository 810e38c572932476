// The reorder dialog's list view as a window onto the dialog's list: it asks for each row's name,
// kind and check box as it draws them, and keeps only the selection and the focus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "reorder/Arrangement.h"
#include "reorder/KeyMeaning.h"

namespace kirabo {

// The rows the dialog opened with and the list it shows them in: while the dialog is open, the one
// home of the order and the check boxes.
struct DialogList {
    std::vector<ReorderRow> rows;
    Arrangement list;
};

// What the list asks the dialog for besides the texts: each row's check box.
inline constexpr UINT kListCallbackMask = LVIS_STATEIMAGEMASK;

// LVN_GETDISPINFO: a position's name or kind (フィルタ or 表示), and its check box.
void AnswerDisplayInfo(const DialogList& shown, NMLVDISPINFOA& info);
// The list after a move of the rows `before` selected: what is on screen drawn again, then the
// update's selection and focus.
void ShowMove(HWND list, DialogList& shown, const std::vector<int>& before, ListUpdate update);
// The selected positions, ascending, read without asking the dialog for each row's box.
std::vector<int> SelectedRows(HWND list);
// Only these selected instead of the rows `before` selected, `focused` focused and in view (-1: the
// focus stays).
void ShowSelection(HWND list, const std::vector<int>& before, const std::vector<int>& selected, int focused);
// Space, or a click on a check box.
void ShowChecks(HWND list, DialogList& shown, const CheckChange& change);

}  // namespace kirabo
