// The reorder dialog's find box: what is typed selects every row whose name holds it (the palette's
// rule), the first focused and in view, with the count of matches beside it. ↓ or F3 focuses the
// next match and brings it into view, ↑ or Shift+F3 the one before, the selection staying. Enter
// takes the keyboard to the list with the matches still selected, ready for Alt+Home, Space or a
// drag; Esc clears the box, where in the list it is Cancel.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/FindBox.h"
#include "reorder/ListArrangement.h"

namespace kirabo {

// The box and its count, made beside the template's label; the dialog gives them their places.
void AddListFind(HWND dialog, FindBoxControl& find);
// The box's own keys.
void OnListFindKey(HWND list, FindBoxControl& find, const DialogList& shown, WPARAM key, bool shift);
// After the box's text changed.
void SelectMatches(HWND list, FindBoxControl& find, const DialogList& shown);

}  // namespace kirabo
