// The reorder dialog's list view as a window onto the dialog's list: it asks for each row's name,
// kind and check box, and each heading's name, as it draws them, and keeps only the selection and
// the focus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "reorder/Arrangement.h"
#include "reorder/KeyMeaning.h"

namespace kirabo {

// What the list asks the dialog for besides the texts: each row's check box.
inline constexpr UINT kListCallbackMask = LVIS_STATEIMAGEMASK;

// LVN_GETDISPINFO: a position's name or kind (フィルタ, 表示 or, for a heading, グループ), and its
// check box (none for a heading).
void AnswerDisplayInfo(const DialogList& shown, NMLVDISPINFOA& info);
// A change of the list, the rows `before` selected: kept for undo (ApplyChange), what is on screen
// drawn again, then the update's selection and focus (-1: the focus stays).
void ShowChange(HWND list, DialogList& shown, const std::vector<int>& before, ListUpdate update);
// Ctrl+Z (back) or Ctrl+Y: the list one step back or forward, with the selection it had.
void ShowStep(HWND list, DialogList& shown, bool back);
// The selected positions, ascending, read without asking the dialog for each row's box.
std::vector<int> SelectedRows(HWND list);
// Only these selected instead of the rows `before` selected, `focused` focused and in view (-1: the
// focus stays).
void ShowSelection(HWND list, const std::vector<int>& before, const std::vector<int>& selected, int focused);
// Space, or a click on a check box: a change, the selection and focus staying.
void ShowChecks(HWND list, DialogList& shown, const CheckChange& change);

}  // namespace kirabo
