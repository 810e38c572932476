#include "palette/Settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kirabo {
namespace {

const EntryKey& KeyOf(const EntryKey& key) { return key; }
const EntryKey& KeyOf(const Pick& pick) { return pick.row; }
const EntryKey& KeyOf(const Use& use) { return use.row; }
const EntryKey& KeyOf(const RowWords& words) { return words.row; }

// "FilterName%d" and "FilterType%d": the prefix and the position in decimal.
struct Key {
    char text[kKeyBufferBytes] = {};
    Key(const char* prefix, std::int32_t position) {
        const std::size_t length = std::strlen(prefix);
        std::memcpy(text, prefix, length);
        *std::to_chars(text + length, text + sizeof text - 1, position).ptr = '\0';
    }
};

// Each key the plug-in stores, written once.
constexpr char kColumnKey[] = "Column";
constexpr char kTabKey[] = "Tab";
constexpr char kSelectedColumnKey[] = "SelColumn";
constexpr char kFilterSizeKey[] = "FilterSize";
constexpr char kHiddenSizeKey[] = "HiddenSize";
constexpr char kNamePattern[] = "FilterName";
constexpr char kTypePattern[] = "FilterType";
constexpr char kHiddenNamePattern[] = "HiddenName";
constexpr char kHiddenTypePattern[] = "HiddenType";
constexpr char kReorderSizeKey[] = "ReorderSize";
constexpr char kPaletteSizeKey[] = "PaletteSize";
constexpr char kPickSizeKey[] = "PickSize";
constexpr char kPickTextPattern[] = "PickText";
constexpr char kPickNamePattern[] = "PickName";
constexpr char kPickTypePattern[] = "PickType";
constexpr char kUseSizeKey[] = "UseSize";
constexpr char kUseNamePattern[] = "UseName";
constexpr char kUseTypePattern[] = "UseType";
constexpr char kUseCountPattern[] = "UseCount";
constexpr char kUseDayPattern[] = "UseDay";
constexpr char kWordsSizeKey[] = "WordsSize";
constexpr char kWordsNamePattern[] = "WordsName";
constexpr char kWordsTypePattern[] = "WordsType";
constexpr char kWordsPattern[] = "Words";
constexpr char kGroupSizeKey[] = "GroupSize";
constexpr char kGroupNamePattern[] = "GroupName";
constexpr char kGroupFirstPattern[] = "GroupFirst";
constexpr char kGroupFoldPattern[] = "GroupFold";
constexpr double kCountScale = 100;    // a count is stored as an integer, in hundredths
constexpr int kLargestSide = 1 << 15;  // no screen is larger: a larger side is a damaged value

// A count, then a name and a kind per position; positions without a name or with a negative kind
// are skipped, and a damaged count reads no further than the bound. Gives the count as stored.
template <typename Take>
std::int32_t LoadKeys(SettingsStore& store, const char* sizeKey, const char* namePattern, const char* typePattern,
                      Take take) {
    const std::int32_t size = store.LoadInt(sizeKey, 0);
    const std::int32_t stored = std::min(size, kMaxStoredEntries);
    for (std::int32_t i = 0; i < stored; ++i) {
        std::string name = store.LoadString(Key(namePattern, i).text);
        const std::int32_t kind = store.LoadInt(Key(typePattern, i).text, -1);
        if (kind < 0 || name.empty()) continue;
        take(EntryKey{std::move(name), kind}, i);
    }
    return size;
}

// The count, then each key's name and kind and what `more` stores beside them.
template <typename Item, typename More>
void StoreKeys(SettingsStore& store, const char* sizeKey, const char* namePattern, const char* typePattern,
               const std::vector<Item>& items, More more) {
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(items.size(), INT32_MAX));
    store.SaveInt(sizeKey, count);
    for (std::int32_t i = 0; i < count; ++i) {
        const Item& item = items[static_cast<std::size_t>(i)];
        const EntryKey& key = KeyOf(item);
        store.SaveString(Key(namePattern, i).text, key.name);
        store.SaveInt(Key(typePattern, i).text, key.kind);
        more(item, i);
    }
}

void StoreKeys(SettingsStore& store, const char* sizeKey, const char* namePattern, const char* typePattern,
               const std::vector<const FilterEntry*>& entries) {
    std::vector<EntryKey> keys;
    keys.reserve(entries.size());
    for (const FilterEntry* entry : entries) keys.push_back({entry->name, entry->kind});
    StoreKeys(store, sizeKey, namePattern, typePattern, keys, [](const EntryKey&, std::int32_t) {});
}

}  // namespace

std::string NameInBuffer(const char* buffer) { return std::string(buffer, strnlen(buffer, kNameBufferBytes - 1)); }

LayoutSettings LoadLayoutSettings(SettingsStore& store) {
    LayoutSettings settings;
    settings.columnCount = store.LoadInt(kColumnKey, LayoutSettings{}.columnCount);
    settings.tabMode = store.LoadInt(kTabKey, LayoutSettings{}.tabMode);
    settings.selectedColumn = store.LoadInt(kSelectedColumnKey, LayoutSettings{}.selectedColumn);
    return settings;
}

std::vector<std::int32_t> LoadSavedEntries(SettingsStore& store, EntryList& entries) {
    EntryList saved;  // built aside: a failure half-way leaves the list as it was
    std::vector<std::int32_t> storedAt;
    LoadKeys(store, kFilterSizeKey, kNamePattern, kTypePattern, [&](EntryKey&& key, std::int32_t i) {
        FilterEntry entry;
        entry.name = std::move(key.name);
        entry.kind = key.kind;
        saved.append(std::move(entry));
        storedAt.push_back(i);
    });
    entries = std::move(saved);
    return storedAt;
}

void PlaceGroups(EntryList& entries, const std::vector<std::int32_t>& storedAt, std::vector<Group> groups) {
    std::vector<Group> placed;
    bool lastCarried = false;  // the last group placed begins at a row after its own
    for (Group& group : groups) {
        const auto at = std::lower_bound(
            storedAt.begin(), storedAt.end(), group.first,
            [](std::int32_t stored, std::size_t first) { return static_cast<std::size_t>(stored) < first; });
        const bool carried = at == storedAt.end() || static_cast<std::size_t>(*at) != group.first;
        group.first = static_cast<std::size_t>(at - storedAt.begin());
        // A row that begins a group of its own keeps it over one carried to it.
        if (!placed.empty() && placed.back().first == group.first && lastCarried && !carried) placed.pop_back();
        placed.push_back(std::move(group));
        lastCarried = carried;
    }
    SetGroups(entries, placed);
}

GroupBlock LoadGroupBlock(SettingsStore& store) {
    GroupBlock block;
    const std::int32_t size = store.LoadInt(kGroupSizeKey, 0);
    block.stored = size > 0;
    for (std::int32_t i = 0; i < std::min(size, kMaxStoredEntries); ++i) {
        const std::int32_t first = store.LoadInt(Key(kGroupFirstPattern, i).text, -1);
        if (first < 0) continue;
        block.groups.push_back({store.LoadString(Key(kGroupNamePattern, i).text), static_cast<std::size_t>(first),
                                store.LoadInt(Key(kGroupFoldPattern, i).text, 0) == 1});
    }
    return block;
}

void StoreGroups(SettingsStore& store, const EntryList& entries, bool blockStored) {
    const std::vector<Group> groups = GroupsOf(entries);
    if (groups.empty() && !blockStored) return;
    store.SaveInt(kGroupSizeKey, static_cast<std::int32_t>(groups.size()));
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const auto i = static_cast<std::int32_t>(g);
        store.SaveString(Key(kGroupNamePattern, i).text, groups[g].name);
        store.SaveInt(Key(kGroupFirstPattern, i).text, static_cast<std::int32_t>(groups[g].first));
        store.SaveInt(Key(kGroupFoldPattern, i).text, groups[g].folded ? 1 : 0);
    }
}

HiddenBlock LoadHiddenBlock(SettingsStore& store) {
    HiddenBlock block;
    block.stored = LoadKeys(store, kHiddenSizeKey, kHiddenNamePattern, kHiddenTypePattern,
                            [&](EntryKey&& key, std::int32_t) { block.keys.push_back(std::move(key)); }) > 0;
    return block;
}

namespace {

std::optional<WindowSize> LoadSize(SettingsStore& store, const char* key) {
    const std::string text = store.LoadString(key);
    const char* end = text.data() + text.size();
    WindowSize size;
    const auto width = std::from_chars(text.data(), end, size.width);
    if (width.ec != std::errc() || width.ptr == end || *width.ptr != ',') return std::nullopt;
    const auto height = std::from_chars(width.ptr + 1, end, size.height);
    if (height.ec != std::errc() || height.ptr != end) return std::nullopt;
    const auto plausible = [](int side) { return side > 0 && side <= kLargestSide; };
    if (!plausible(size.width) || !plausible(size.height)) return std::nullopt;
    return size;
}

void StoreSize(SettingsStore& store, const char* key, std::optional<WindowSize> size) {
    if (size) store.SaveString(key, std::to_string(size->width) + "," + std::to_string(size->height));
}

}  // namespace

UserSizes LoadUserSizes(SettingsStore& store) {
    return {LoadSize(store, kReorderSizeKey), LoadSize(store, kPaletteSizeKey)};
}

void StoreSettings(SettingsStore& store, const LayoutSettings& settings, const EntryList& entries,
                   bool hiddenBlockStored, const UserSizes& sizes) {
    store.SaveInt(kColumnKey, settings.columnCount);
    store.SaveInt(kTabKey, settings.tabMode);
    store.SaveInt(kSelectedColumnKey, settings.selectedColumn);
    std::vector<const FilterEntry*> all, hidden;
    all.reserve(entries.count());
    for (const FilterEntry& entry : entries) {
        all.push_back(&entry);
        if (entry.hidden) hidden.push_back(&entry);
    }
    StoreKeys(store, kFilterSizeKey, kNamePattern, kTypePattern, all);
    if (!hidden.empty() || hiddenBlockStored) {
        StoreKeys(store, kHiddenSizeKey, kHiddenNamePattern, kHiddenTypePattern, hidden);
    }
    StoreSize(store, kReorderSizeKey, sizes.reorder);
    StoreSize(store, kPaletteSizeKey, sizes.palette);
}

FindMemory LoadFindMemory(SettingsStore& store) {
    std::vector<Pick> picks;
    std::vector<Use> uses;
    std::vector<RowWords> words;
    FindMemory memory;
    memory.stored.picks =
        LoadKeys(store, kPickSizeKey, kPickNamePattern, kPickTypePattern, [&](EntryKey&& key, std::int32_t i) {
            picks.push_back({store.LoadString(Key(kPickTextPattern, i).text), std::move(key)});
        }) > 0;
    memory.stored.uses =
        LoadKeys(store, kUseSizeKey, kUseNamePattern, kUseTypePattern, [&](EntryKey&& key, std::int32_t i) {
            const std::int32_t count = store.LoadInt(Key(kUseCountPattern, i).text, -1);
            uses.push_back({std::move(key), count / kCountScale, store.LoadInt(Key(kUseDayPattern, i).text, 0)});
        }) > 0;
    memory.stored.words =
        LoadKeys(store, kWordsSizeKey, kWordsNamePattern, kWordsTypePattern, [&](EntryKey&& key, std::int32_t i) {
            words.push_back({std::move(key), store.LoadString(Key(kWordsPattern, i).text)});
        }) > 0;
    memory.Restore(std::move(picks), std::move(uses), std::move(words));
    return memory;
}

void StoreFindMemory(SettingsStore& store, const FindMemory& memory) {
    if (!memory.picks().empty() || memory.stored.picks) {
        StoreKeys(
            store, kPickSizeKey, kPickNamePattern, kPickTypePattern, memory.picks(),
            [&](const Pick& pick, std::int32_t i) { store.SaveString(Key(kPickTextPattern, i).text, pick.text); });
    }
    if (!memory.uses().empty() || memory.stored.uses) {
        StoreKeys(store, kUseSizeKey, kUseNamePattern, kUseTypePattern, memory.uses(),
                  [&](const Use& use, std::int32_t i) {
                      store.SaveInt(Key(kUseCountPattern, i).text,
                                    static_cast<std::int32_t>(std::lround(use.count * kCountScale)));
                      store.SaveInt(Key(kUseDayPattern, i).text, use.day);
                  });
    }
    if (!memory.words().empty() || memory.stored.words) {
        StoreKeys(
            store, kWordsSizeKey, kWordsNamePattern, kWordsTypePattern, memory.words(),
            [&](const RowWords& row, std::int32_t i) { store.SaveString(Key(kWordsPattern, i).text, row.words); });
    }
}

}  // namespace kirabo
