#include "entries/HiddenRows.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <utility>

namespace kirabo {

std::vector<EntryKey> HiddenKeys(const EntryList& entries) {
    std::vector<EntryKey> keys;
    for (const FilterEntry& entry : entries) {
        if (entry.hidden) keys.push_back({entry.name, entry.kind});
    }
    return keys;
}

void HideEntries(EntryList& entries, const std::vector<EntryKey>& keys) {
    // How many entries of each name and kind are still to hide, taken in list order.
    std::map<std::pair<std::string_view, std::int32_t>, std::size_t> toHide;
    for (const EntryKey& key : keys) ++toHide[{key.name, key.kind}];
    for (FilterEntry& entry : entries) {
        if (entry.hidden) continue;
        const auto found = toHide.find({entry.name, entry.kind});
        if (found == toHide.end() || found->second == 0) continue;
        entry.hidden = true;
        --found->second;
    }
}

bool AnyHidden(const EntryList& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const FilterEntry& e) { return e.hidden; });
}

}  // namespace kirabo
