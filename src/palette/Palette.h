// The palette in the PaletteWindow: the controls it made, its layout, the window's messages, the
// check marks. The decisions are PaletteCore's; this side carries them out.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "host/HostInterface.h"
#include "palette/PaletteCore.h"

namespace kirabo {

struct RowControls {
    HWND mainControl = nullptr;  // the check box, or the label of a row that cannot be switched
    HWND settingsButton = nullptr;
    // The host's mark as last mirrored, kept while the row is out of view, so that a row coming
    // into view shows it without asking the host's menu again.
    bool checked = false;
};

// Alive from func_init to func_exit. The handles belong to the palette, but for the host's window.
struct Palette {
    PaletteCore core;
    HWND hostMainWindow = nullptr;  // borrowed, never destroyed
    HFONT paletteFont = nullptr;
    HMENU paletteMenu = nullptr;  // menu 7000, the PaletteWindow's menu bar
    HWND columnTabs = nullptr;
    int tabsWidth = 0;  // the tabs on one line, as the last layout made them; 0 side by side
    std::vector<RowControls> rows;  // by controlIndex
    HWND findBox = nullptr;  // while the find box is open: it, the count beside it, the mark
    HWND findCount = nullptr;
    HWND findMark = nullptr;
    // While the palette scrolls, the user may size it: within these limits (the fit without the
    // user's size); and its size when the user took its border.
    std::optional<FitInput> sizeLimits;
    DialogSize sizeBeforeSizing;
    bool layingOut = false;
};

void LayoutPalette(Palette& palette, host::FilterRecord* fp, Controls controls);
void DestroyPaletteControls(Palette& palette);

// The window sized to the layout within its work area, its scroll bars set: the view it gives.
// Never narrower than the menu bar, nor than the tabs on one line.
const View& FitPaletteWindow(Palette& palette, HWND window, const SystemMetrics& metrics);
// The controls of a row in view, made when it comes into view and gone when it leaves: a palette
// of thousands of rows holds only the windows the screen shows, far below the host's limit.
RowControls CreateRowControls(const Palette& palette, host::FilterRecord* fp, const FilterEntry& entry,
                              int nameWidth, Point at);
// A live row's controls, made if it has none, shown at their place or kept out of sight; a row no
// longer live loses them.
void PlaceRow(Palette& palette, host::FilterRecord* fp, const FilterEntry& entry, const RowView& view,
              int nameWidth);
void SizeColumnTabs(const Palette& palette, HWND window);
void OnPaletteScroll(Palette& palette, host::FilterRecord* fp, UINT message, WPARAM wParam);
// False when there is nothing to scroll: the wheel is the host's.
bool OnPaletteWheel(Palette& palette, host::FilterRecord* fp, WPARAM wParam, bool sideways);
void OnPaletteSize(Palette& palette, host::FilterRecord* fp);
// The border the user drags, on a palette that scrolls; the extra size of that frame.
DialogSize MakeSizable(HWND window, bool sizable);
// WM_GETMINMAXINFO: never smaller than the menu bar and the tabs, never larger than the layout wants.
void LimitPaletteSize(const Palette& palette, MINMAXINFO& limits);
// WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE: a size the user gave is the palette's from then on.
void OnPaletteSizing(Palette& palette, HWND window, bool ends);
// Check boxes from the host's menu marks, and the own menu's marks from the settings.
void MirrorCheckStates(Palette& palette, host::FilterRecord* fp);

// The palette's own message: a key in the find box that means something (wParam: the FindKey).
inline constexpr UINT kMessageFindKey = WM_APP + 1;

void OpenFindBar(Palette& palette, host::FilterRecord* fp);
void CloseFindBar(Palette& palette, host::FilterRecord* fp);
// The box across the client area's top, the count of matches, the mark behind the marked row.
void PlaceFindBar(const Palette& palette, host::FilterRecord* fp);
// The rows that leave the view lose their controls, those in it are shown, the bars follow.
void ShowPaletteView(Palette& palette, host::FilterRecord* fp, const View& before, const View& after,
                     bool setBars = true);

// func_WndProc: every message of the PaletteWindow, for the palette the plug-in runs.
BOOL PaletteWindowProc(Palette& palette, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp,
                       host::FilterRecord* fp);

}  // namespace kirabo
