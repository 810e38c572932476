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
    bool layingOut = false;

    // The controls of the entry; none for a row without controls.
    RowControls ControlsOf(const FilterEntry& entry) const;
};

extern Palette g_palette;

void LayoutPalette(host::FilterRecord* fp, Controls controls);
void DestroyPaletteControls();

// The window sized to the layout within its work area, its scroll bars set: the view it gives.
const View& FitPaletteWindow(HWND window, const SystemMetrics& metrics);
// A row's controls shown at `at`, or hidden.
void PlaceRow(const RowControls& row, const std::optional<Point>& at, int nameWidth);
void SizeColumnTabs(HWND window, const PaletteGeometry& geometry);
void OnPaletteScroll(HWND window, UINT message, WPARAM wParam);
// False when there is nothing to scroll: the wheel is the host's.
bool OnPaletteWheel(HWND window, WPARAM wParam);
void OnPaletteSize(HWND window);
// Check boxes from the host's menu marks, and the own menu's marks from the settings.
void MirrorCheckStates(host::FilterRecord* fp);
BOOL __cdecl PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                               host::FilterRecord* fp);

}  // namespace kirabo
