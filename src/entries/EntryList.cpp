#include "entries/EntryList.h"

#include <algorithm>

#include "entries/NameMatch.h"

namespace kirabo {

std::string GroupName(std::string_view name) { return std::string(CutAtCharacter(name, kGroupNameBytes)); }

void FirstGroupAtTop(EntryList& entries) {
    if (entries.count() == 0 || !entries[0].group.empty()) return;
    const auto named =
        std::find_if(entries.begin(), entries.end(), [](const FilterEntry& e) { return !e.group.empty(); });
    if (named != entries.end()) std::swap(entries[0].group, named->group);
}

bool HasGroups(const EntryList& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const FilterEntry& e) { return !e.group.empty(); });
}

void EntryList::release() { std::vector<FilterEntry>().swap(entries_); }

}  // namespace kirabo
