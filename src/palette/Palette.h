// The palette's controls in the PaletteWindow: their layout, the window's messages, the check marks.
#pragma once

#include "host/HostInterface.h"

namespace kirabo {

// LayoutPalette's create flag: tear every control down and build them anew, or only place, show
// and hide the controls there are.
inline constexpr int kCreateControls = 1;
inline constexpr int kKeepControls = 0;

void LayoutPalette(host::FilterRecord* fp, int create);
void DestroyPaletteControls();
// Check boxes from the host's menu marks, and the own menu's marks from the settings.
void MirrorCheckStates(host::FilterRecord* fp);
BOOL __cdecl PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                               host::FilterRecord* fp);

}  // namespace kirabo
