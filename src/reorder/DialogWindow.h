// The Win32 side of the dialog's size: the template's window given a sizing border at start, its
// controls moved as WM_SIZE comes, WM_GETMINMAXINFO answered, and the size read back at the close.
// DialogLayout decides; this carries it out.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/FindBox.h"
#include "reorder/DialogLayout.h"

namespace kirabo {

inline constexpr int kKindColumnWidth = 64;
// The third column: the user's own words for finding the row.
inline constexpr int kWordsColumn = 2;
inline constexpr int kWordsColumnWidth = 96;

struct DialogWindow {
    DialogControls opened;  // where the controls stood in the template's client area
    WindowSize openedClient;
    WindowSize smallest;      // the template's window: the dialog is never smaller
    bool sizing = false;      // true from when the user may size the dialog
    WindowSize placedClient;  // the client area the dialog's own placement at start gave it
    bool sizedByUser = false;
};

// The template's dialog made sizable, at the size the user last gave it, inside the work area.
void FrameDialog(HWND dialog, DialogWindow& window, FindBoxControl& find, std::optional<WindowSize> stored);
// WM_SIZE: the list takes the room, OK and Cancel keep the bottom right, the group button the bottom left.
void ResizeDialog(HWND dialog, DialogWindow& window, FindBoxControl& find);
// WM_GETMINMAXINFO: never smaller than the template.
void LimitDialogSize(const DialogWindow& window, MINMAXINFO& limits);
// The size the user left the dialog at, maximised or not; none when the user did not size it, so
// that a size stored on a larger screen, which this one cut down, survives.
std::optional<WindowSize> SizeToKeep(HWND dialog, const DialogWindow& window);
// The name column takes what the kind column leaves of the list's width.
void FitColumns(HWND list);

}  // namespace kirabo
