#include "entries/EntryList.h"

#include <algorithm>

#include "entries/NameMatch.h"

namespace kirabo {

std::string GroupName(std::string_view name) { return std::string(CutAtCharacter(name, kGroupNameBytes)); }

void FirstGroupAtTop(EntryList& entries) {
    if (entries.count() == 0 || entries[0].group) return;
    const auto named = std::find_if(entries.begin(), entries.end(), [](const FilterEntry& e) { return e.group; });
    if (named != entries.end()) std::swap(entries[0].group, named->group);
}

bool HasGroups(const EntryList& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const FilterEntry& e) { return e.group.has_value(); });
}

std::vector<Group> ValidGroups(std::vector<Group> groups, std::size_t rows) {
    std::vector<Group> valid;
    for (Group& group : groups) {
        group.name = GroupName(group.name);
        const bool after = valid.empty() || group.first > valid.back().first;
        if (!group.name.empty() && group.first < rows && after) valid.push_back(std::move(group));
    }
    return valid;
}

std::vector<Group> GroupsOf(const EntryList& entries) {
    std::vector<Group> groups;
    for (std::size_t i = 0; i < entries.count(); ++i) {
        if (entries[i].group) groups.push_back({entries[i].group->name, i, entries[i].group->folded});
    }
    return groups;
}

void SetGroups(EntryList& entries, const std::vector<Group>& groups) {
    for (FilterEntry& entry : entries) entry.group.reset();
    for (Group& group : ValidGroups(groups, entries.count())) {
        entries[group.first].group = GroupHeading{std::move(group.name), group.folded};
    }
    FirstGroupAtTop(entries);
}

void EntryList::release() { std::vector<FilterEntry>().swap(entries_); }

}  // namespace kirabo
