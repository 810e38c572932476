#include "palette/Settings.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace kirabo {
namespace {

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
constexpr int kLargestSide = 1 << 15;  // no screen is larger: a larger side is a damaged value

// A count, then a name and a kind per position; positions without a name or with a negative kind
// are skipped, and a damaged count reads no further than the bound. Gives the count as stored.
template <typename Take>
std::int32_t LoadKeys(SettingsStore& store, const char* sizeKey, const char* namePattern,
                      const char* typePattern, Take take) {
    const std::int32_t size = store.LoadInt(sizeKey, 0);
    const std::int32_t stored = std::min(size, kMaxStoredEntries);
    for (std::int32_t i = 0; i < stored; ++i) {
        std::string name = store.LoadString(Key(namePattern, i).text);
        const std::int32_t kind = store.LoadInt(Key(typePattern, i).text, -1);
        if (kind < 0 || name.empty()) continue;
        take(EntryKey{std::move(name), kind});
    }
    return size;
}

void StoreKeys(SettingsStore& store, const char* sizeKey, const char* namePattern, const char* typePattern,
               const std::vector<const FilterEntry*>& keys) {
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(keys.size(), INT32_MAX));
    store.SaveInt(sizeKey, count);
    for (std::int32_t i = 0; i < count; ++i) {
        store.SaveString(Key(namePattern, i).text, keys[static_cast<std::size_t>(i)]->name);
        store.SaveInt(Key(typePattern, i).text, keys[static_cast<std::size_t>(i)]->kind);
    }
}

}  // namespace

std::string NameInBuffer(const char* buffer) {
    return std::string(buffer, strnlen(buffer, kNameBufferBytes - 1));
}

LayoutSettings LoadLayoutSettings(SettingsStore& store) {
    LayoutSettings settings;
    settings.columnCount = store.LoadInt(kColumnKey, LayoutSettings{}.columnCount);
    settings.tabMode = store.LoadInt(kTabKey, LayoutSettings{}.tabMode);
    settings.selectedColumn = store.LoadInt(kSelectedColumnKey, LayoutSettings{}.selectedColumn);
    return settings;
}

void LoadSavedEntries(SettingsStore& store, EntryList& entries) {
    EntryList saved;  // built aside: a failure half-way leaves the list as it was
    LoadKeys(store, kFilterSizeKey, kNamePattern, kTypePattern, [&](EntryKey&& key) {
        FilterEntry entry;
        entry.name = std::move(key.name);
        entry.kind = key.kind;
        saved.append(std::move(entry));
    });
    entries = std::move(saved);
}

HiddenBlock LoadHiddenBlock(SettingsStore& store) {
    HiddenBlock block;
    block.stored = LoadKeys(store, kHiddenSizeKey, kHiddenNamePattern, kHiddenTypePattern,
                            [&](EntryKey&& key) { block.keys.push_back(std::move(key)); }) > 0;
    return block;
}

namespace {

std::optional<DialogSize> LoadSize(SettingsStore& store, const char* key) {
    const std::string text = store.LoadString(key);
    const char* end = text.data() + text.size();
    DialogSize size;
    const auto width = std::from_chars(text.data(), end, size.width);
    if (width.ec != std::errc() || width.ptr == end || *width.ptr != ',') return std::nullopt;
    const auto height = std::from_chars(width.ptr + 1, end, size.height);
    if (height.ec != std::errc() || height.ptr != end) return std::nullopt;
    const auto plausible = [](int side) { return side > 0 && side <= kLargestSide; };
    if (!plausible(size.width) || !plausible(size.height)) return std::nullopt;
    return size;
}

void StoreSize(SettingsStore& store, const char* key, std::optional<DialogSize> size) {
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

}  // namespace kirabo
