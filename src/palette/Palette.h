// The palette's controls in the PaletteWindow: their layout, the window's messages, the check marks.
#pragma once

#include "host/HostInterface.h"

namespace kirabo {

// create nonzero tears every control down and builds them anew; 0 only places, shows and hides.
void LayoutPalette(host::FilterRecord* fp, int create);
void DestroyPaletteControls();
// Check boxes from the host's menu marks, and the own menu's marks from the settings.
void MirrorCheckStates(host::FilterRecord* fp);
BOOL __cdecl PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                               host::FilterRecord* fp);

}  // namespace kirabo
