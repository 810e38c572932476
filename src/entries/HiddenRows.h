// Which rows the user hid, kept by name and kind so that the marks outlive a change of the host's
// menus and a reset of the order.
#pragma once

#include <vector>

#include "entries/EntryList.h"

namespace kirabo {

// The name and kind of every hidden entry, in list order.
std::vector<EntryKey> HiddenKeys(const EntryList& entries);

// Hides, for each key, the first shown entry of that name and kind; a key that matches none
// (the host no longer has that filter) is dropped.
void HideEntries(EntryList& entries, const std::vector<EntryKey>& keys);

bool AnyHidden(const EntryList& entries);

}  // namespace kirabo
