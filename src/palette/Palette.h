// The palette in the PaletteWindow: the controls it made, its layout, the window's messages, the
// check marks. The decisions are PaletteCore's; this side carries them out.
#pragma once

#include <windows.h>

#include <vector>

#include "host/HostInterface.h"
#include "palette/PaletteCore.h"

namespace kirabo {

struct RowControls {
    HWND mainControl = nullptr;  // the check box, or the label of a row that cannot be switched
    HWND settingsButton = nullptr;
};

// Alive from func_init to func_exit. The handles belong to the palette, but for the host's window.
struct Palette {
    PaletteCore core;
    HWND hostMainWindow = nullptr;  // borrowed, never destroyed
    HFONT paletteFont = nullptr;
    HMENU paletteMenu = nullptr;  // menu 7000, the PaletteWindow's menu bar
    HWND columnTabs = nullptr;
    std::vector<RowControls> rows;  // by controlIndex

    // The controls of the entry; none for a row without controls.
    RowControls ControlsOf(const FilterEntry& entry) const;
};

extern Palette g_palette;

void LayoutPalette(host::FilterRecord* fp, Controls controls);
void DestroyPaletteControls();
// Check boxes from the host's menu marks, and the own menu's marks from the settings.
void MirrorCheckStates(host::FilterRecord* fp);
BOOL __cdecl PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                               host::FilterRecord* fp);

}  // namespace kirabo
