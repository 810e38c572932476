#include <windows.h>

#include "host/PluginState.h"
#include "palette/CommandRouting.h"
#include "palette/Palette.h"

namespace kirabo {

void MirrorCheckStates(host::FilterRecord* fp) {
    if (!g_plugin.hostMainWindow) return;
    HMENU hostMenu = GetMenu(g_plugin.hostMainWindow);
    for (const FilterEntry& entry : g_plugin.entries) {
        const UINT state = GetMenuState(hostMenu, entry.toggleCommand, MF_BYCOMMAND);
        // An item the host's menu does not have answers -1: that filter is not on.
        const bool checked = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
        if (entry.mainControl) {
            SendMessageA(AsWindow(entry.mainControl), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }

    HMENU ownMenu = GetMenu(fp->hwnd);
    const std::int32_t columns = g_plugin.settings.columnCount;
    const UINT columnItem = columns >= 2 && columns <= 4
                                ? KIRABO_CMD_ONE_COLUMN + static_cast<UINT>(columns) - 1
                                : KIRABO_CMD_ONE_COLUMN;
    CheckMenuRadioItem(ownMenu, KIRABO_CMD_ONE_COLUMN, KIRABO_CMD_FOUR_COLUMNS, columnItem, MF_BYCOMMAND);
    CheckMenuItem(ownMenu, KIRABO_CMD_TAB_MODE,
                  MF_BYCOMMAND | (g_plugin.settings.tabMode != 0 ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace kirabo
