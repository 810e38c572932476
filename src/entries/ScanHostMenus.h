#pragma once

#include <windows.h>

#include "entries/EntryList.h"

namespace kirabo {

// Completes the list from the toggle, settings and display menus of the host's menu bar (none:
// every walk finds nothing, and the list empties).
void ScanHostMenus(HMENU hostMenuBar, EntryList& entries);

}  // namespace kirabo
