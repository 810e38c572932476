// The layout settings and the saved order, as the host's settings services keep them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "entries/EntryList.h"
#include "entries/FindMemory.h"
#include "host/LayoutSettings.h"
#include "host/Screen.h"
#include "host/StringBuffers.h"

namespace kirabo {

// The host's four settings services, seen from the plug-in.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::int32_t LoadInt(const char* key, std::int32_t defaultValue) = 0;
    virtual void SaveInt(const char* key, std::int32_t value) = 0;
    // Reads into a buffer of kNameBufferBytes, so at most one byte less; an unset key gives the
    // empty string.
    virtual std::string LoadString(const char* key) = 0;
    virtual void SaveString(const char* key, const std::string& value) = 0;
};

// A damaged "FilterSize" must not keep the host busy for billions of reads at start; no host has
// anywhere near this many filters and display tools.
inline constexpr std::int32_t kMaxStoredEntries = 10000;

// The name ini_load_str left in a buffer of kNameBufferBytes: up to its terminator, and never the
// buffer's last byte, which a host that knows no size may have filled as well.
std::string NameInBuffer(const char* buffer);

LayoutSettings LoadLayoutSettings(SettingsStore& store);

// The user's groups, in a block after every other: "GroupSize", then "GroupName%d" (its name),
// "GroupFirst%d" (the position of its first row in the stored order) and "GroupFold%d" (1 folded,
// 0 open; anything else reads as open) per group. A group without a position is dropped here, the
// rest of what is damaged where the groups are placed (ValidGroups).
struct GroupBlock {
    std::vector<Group> groups;  // `first` in the stored order
    bool stored = false;        // the store held a block with a count above 0
};
GroupBlock LoadGroupBlock(SettingsStore& store);
// The block, when a row begins a group or a block was stored at start (which removing every group
// must clear).
void StoreGroups(SettingsStore& store, const EntryList& entries, bool blockStored);

// Replaces the list's contents with the saved entries (names and kinds only), in saved order; gives
// the stored position of each.
std::vector<std::int32_t> LoadSavedEntries(SettingsStore& store, EntryList& entries);

// Each group on the first of the saved entries at or after its stored position (`storedAt`, as
// LoadSavedEntries gave them): a group whose first row could not be read begins at the next; of two
// there the first stays, and past the last row a group has no row and goes.
void PlaceGroups(EntryList& entries, const std::vector<std::int32_t>& storedAt, std::vector<Group> groups);

// The rows the user hid, stored after the saved order in a block of their own: "HiddenSize", then
// "HiddenName%d" and "HiddenType%d" per hidden entry. An older build never reads them.
struct HiddenBlock {
    std::vector<EntryKey> keys;
    bool stored = false;  // the store held a block with a count above 0
};

HiddenBlock LoadHiddenBlock(SettingsStore& store);

// The sizes the user gave the windows, each "width,height" in pixels: the reorder dialog's
// ("ReorderSize") and the palette's while it scrolls ("PaletteSize").
struct UserSizes {
    std::optional<WindowSize> reorder;
    std::optional<WindowSize> palette;
};

// Each size that is there and sound; nothing for one absent or damaged.
UserSizes LoadUserSizes(SettingsStore& store);

// What find learned, in three blocks after the others: "PickSize", then "PickText%d", "PickName%d",
// "PickType%d" per pick, newest first; "UseSize", then "UseName%d", "UseType%d", "UseCount%d" (the
// count times 100) and "UseDay%d" per row; "WordsSize", then "WordsName%d", "WordsType%d" and
// "Words%d". Each block is stored when it holds something, or with size 0 once emptied; a damaged
// one is repaired as the hidden block is.
FindMemory LoadFindMemory(SettingsStore& store);
void StoreFindMemory(SettingsStore& store, const FindMemory& memory);

// The settings and the order, exactly as ever; then the hidden block, only when a row is hidden
// now or a block was stored at start (which showing every row again must clear); then each size,
// only once the user has given it.
void StoreSettings(SettingsStore& store, const LayoutSettings& settings, const EntryList& entries,
                   bool hiddenBlockStored, const UserSizes& sizes = {});

}  // namespace kirabo
