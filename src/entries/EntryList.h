// The ordered list of palette rows, shared by every part of the plug-in. Plain data: the palette
// keeps no row's controls here, only the numbers their ids carry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirabo {

// A group's name holds at most this many bytes.
inline constexpr std::size_t kGroupNameBytes = 64;

enum EntryKind : std::int32_t {
    kKindDisplayTool = 0,
    kKindFilter = 1,
};

// The heading of one of the user's groups, carried by the group's first row, so that it moves with
// the row through every change of the list.
struct GroupHeading {
    std::string name;     // 1 to kGroupNameBytes bytes
    bool folded = false;  // the palette shows the heading alone
    bool operator==(const GroupHeading&) const = default;
};

struct FilterEntry {
    std::string name;  // Shift-JIS bytes, compared byte for byte
    std::uint32_t toggleCommand = 0;
    std::uint32_t settingsCommand = 0;
    std::int32_t kind = kKindFilter;
    // The row's number when its controls were created, which their ids carry; -1 for a row that has
    // none (hidden by the user).
    std::int32_t controlIndex = 0;
    // The user hid the row: it keeps its place in the order, but has no controls and no place in
    // the palette.
    bool hidden = false;
    // The host's check mark on the row's toggle item, as the last mirroring found it.
    bool checked = false;
    // The heading of the user's group this row begins; none: it belongs to the group above, if any.
    std::optional<GroupHeading> group{};

    bool operator==(const FilterEntry&) const = default;
};

// A name as a group may carry it: cut at a character's end to kGroupNameBytes; empty stays empty.
std::string GroupName(std::string_view name);

// What identifies an entry from one run, and one scan of the host's menus, to the next.
struct EntryKey {
    std::string name;
    std::int32_t kind = kKindFilter;
    bool operator==(const EntryKey&) const = default;
};

class EntryList {
public:
    std::size_t count() const { return entries_.size(); }
    // Unchecked, like a vector's: i must be below count().
    FilterEntry& operator[](std::size_t i) { return entries_[i]; }
    const FilterEntry& operator[](std::size_t i) const { return entries_[i]; }

    void reserve(std::size_t n) { entries_.reserve(n); }
    void append(const FilterEntry& entry) { entries_.push_back(entry); }
    void append(FilterEntry&& entry) { entries_.push_back(std::move(entry)); }
    // Drops the storage as well; used at exit.
    void release();

    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    bool operator==(const EntryList&) const = default;

private:
    std::vector<FilterEntry> entries_;
};

// Once any row begins a group, the first row does: a group that begins lower down takes the rows
// above it too, its name moving up to the first row.
void FirstGroupAtTop(EntryList& entries);

// Whether any row begins a group.
bool HasGroups(const EntryList& entries);

// A group as a list of groups tells it, in the store, the reorder dialog and back: its heading, and
// the position of its first row in the list it goes with.
struct Group {
    std::string name;
    std::size_t first = 0;
    bool folded = false;
    bool operator==(const Group&) const = default;
};

// The groups that make sense for a list of `rows`, in order: each name cut to kGroupNameBytes; a
// group without a name, or whose first row is not in the list or not after the group before's,
// dropped. The one rule for groups from the store and from the dialog.
std::vector<Group> ValidGroups(std::vector<Group> groups, std::size_t rows);
// The list's groups, in order.
std::vector<Group> GroupsOf(const EntryList& entries);
// The groups on the list's rows, in place of those it had: the valid ones, and FirstGroupAtTop.
void SetGroups(EntryList& entries, const std::vector<Group>& groups);

}  // namespace kirabo
