// The reorder dialog's keys on its list: Alt+arrows, Alt+Home and Alt+End move the selected rows,
// Space sets their check boxes, Ctrl+A selects every row, Delete removes the selected headings (for
// one it keeps, asks the dialog to say why: kMessageHeadingKept, wParam: the position), Ctrl+Z and
// Ctrl+Y undo and redo, F2 asks the dialog to edit the focused row's words or heading's
// name (kMessageEditInPlace, wParam: the position), Ctrl+G to make a group (the command of its
// button); and a click on a check box flips it. Ctrl+F on any of the dialog's controls takes the
// keyboard to the find box.
#pragma once

#include <windows.h>

#include <vector>

#include "reorder/ListArrangement.h"

namespace kirabo {

inline constexpr UINT kMessageEditInPlace = WM_APP + 3;
inline constexpr UINT kMessageHeadingKept = WM_APP + 6;

// `shown` must outlive the list.
void AttachListKeys(HWND list, DialogList& shown);
// Ctrl+F on every control of the dialog, the find box made: the keyboard to `findBox`.
void AttachDialogKeys(HWND dialog, HWND findBox);

}  // namespace kirabo
