// A one-line editor over a row, for its words or a heading's name, in both windows: its text all
// selected, with the keyboard. Enter keeps what it holds and Esc drops it; the keyboard leaving it
// keeps it. Either way kMessageEndEdit is posted to `owner` (wParam TRUE to keep), so that the
// editor is never destroyed inside its own messages.
#pragma once

#include <windows.h>

#include "host/Screen.h"

namespace kirabo {

inline constexpr UINT kMessageEndEdit = WM_APP + 4;
// A row's words: as much as a stored string keeps.
inline constexpr int kWordsBytes = 256;

// `editor` is set before the editor takes the keyboard, which its window may ask about on the way;
// `limit`: the bytes it takes at most.
void OpenInPlaceEditor(HWND& editor, HWND parent, HWND owner, const Rect& place, const char* text, HFONT font,
                       int limit);

}  // namespace kirabo
