#include <windows.h>

#include "palette/Palette.h"
#include "resources/ResourceIds.h"

namespace kirabo {

void MirrorCheckStates(host::FilterRecord* fp) {
    if (!g_palette.hostMainWindow) return;
    HMENU hostMenu = GetMenu(g_palette.hostMainWindow);
    for (const FilterEntry& entry : g_palette.core.entries()) {
        const auto index = static_cast<std::size_t>(entry.controlIndex);
        if (entry.controlIndex < 0 || index >= g_palette.rows.size()) continue;
        RowControls& row = g_palette.rows[index];
        row.checked = ShowsChecked(GetMenuState(hostMenu, entry.toggleCommand, MF_BYCOMMAND));
        if (row.mainControl) SendMessageA(row.mainControl, BM_SETCHECK, row.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    HMENU ownMenu = GetMenu(fp->hwnd);
    const OwnMenuMarks marks = g_palette.core.MenuMarks();
    CheckMenuRadioItem(ownMenu, KIRABO_CMD_ONE_COLUMN, KIRABO_CMD_FOUR_COLUMNS, marks.columnItem, MF_BYCOMMAND);
    CheckMenuItem(ownMenu, KIRABO_CMD_TAB_MODE, MF_BYCOMMAND | (marks.tabMode ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace kirabo
