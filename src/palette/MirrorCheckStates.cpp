#include <windows.h>

#include "palette/Palette.h"
#include "resources/ResourceIds.h"

namespace kirabo {

void MirrorRow(const FilterEntry& entry, HMENU hostMenu) {
    HWND box = g_palette.ControlsOf(entry).mainControl;
    if (!box) return;
    const bool checked = ShowsChecked(GetMenuState(hostMenu, entry.toggleCommand, MF_BYCOMMAND));
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MirrorCheckStates(host::FilterRecord* fp) {
    if (!g_palette.hostMainWindow) return;
    HMENU hostMenu = GetMenu(g_palette.hostMainWindow);
    for (const FilterEntry& entry : g_palette.core.entries()) MirrorRow(entry, hostMenu);

    HMENU ownMenu = GetMenu(fp->hwnd);
    const OwnMenuMarks marks = g_palette.core.MenuMarks();
    CheckMenuRadioItem(ownMenu, KIRABO_CMD_ONE_COLUMN, KIRABO_CMD_FOUR_COLUMNS, marks.columnItem, MF_BYCOMMAND);
    CheckMenuItem(ownMenu, KIRABO_CMD_TAB_MODE, MF_BYCOMMAND | (marks.tabMode ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace kirabo
