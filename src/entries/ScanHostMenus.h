#pragma once

namespace kirabo {

// Completes the global EntryList from the menus of hostMainWindow.
void ScanHostMenus();

}  // namespace kirabo
