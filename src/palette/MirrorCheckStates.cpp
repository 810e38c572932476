#include <windows.h>

#include "palette/Palette.h"
#include "resources/ResourceIds.h"

namespace kirabo {

static_assert(kMenuStateChecked == MF_CHECKED && kMenuStateMissing == static_cast<UINT>(-1));

void MirrorCheckStates(Palette& palette, host::FilterRecord* fp) {
    if (!palette.hostMainWindow) return;
    HMENU hostMenu = GetMenu(palette.hostMainWindow);
    for (const FilterEntry& entry : palette.core.entries()) {
        const auto index = static_cast<std::size_t>(entry.controlIndex);
        if (entry.controlIndex < 0 || index >= palette.rows.size()) continue;
        RowControls& row = palette.rows[index];
        row.checked = ShowsChecked(GetMenuState(hostMenu, entry.toggleCommand, MF_BYCOMMAND));
        if (row.mainControl) SendMessageA(row.mainControl, BM_SETCHECK, row.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    HMENU ownMenu = GetMenu(fp->hwnd);
    const OwnMenuMarks marks = palette.core.MenuMarks();
    CheckMenuRadioItem(ownMenu, KIRABO_CMD_ONE_COLUMN, KIRABO_CMD_FOUR_COLUMNS, marks.columnItem, MF_BYCOMMAND);
    CheckMenuItem(ownMenu, KIRABO_CMD_TAB_MODE, MF_BYCOMMAND | (marks.tabMode ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace kirabo
