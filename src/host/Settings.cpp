#include "host/Settings.h"

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

constexpr char kNamePattern[] = "FilterName";
constexpr char kTypePattern[] = "FilterType";

}  // namespace

std::string NameInBuffer(const char* buffer) {
    return std::string(buffer, strnlen(buffer, kNameBufferBytes - 1));
}

LayoutSettings LoadLayoutSettings(SettingsStore& store) {
    LayoutSettings settings;
    settings.columnCount = store.LoadInt("Column", 2);
    settings.tabMode = store.LoadInt("Tab", 0);
    settings.selectedColumn = store.LoadInt("SelColumn", 0);
    return settings;
}

void LoadSavedEntries(SettingsStore& store, EntryList& entries) {
    EntryList saved;  // built aside: a failure half-way leaves the list as it was
    const std::int32_t stored = std::min(store.LoadInt("FilterSize", 0), kMaxStoredEntries);
    for (std::int32_t i = 0; i < stored; ++i) {
        std::string name = store.LoadString(Key(kNamePattern, i).text);
        const std::int32_t kind = store.LoadInt(Key(kTypePattern, i).text, -1);
        if (kind < 0 || name.empty()) continue;
        FilterEntry entry;
        entry.name = std::move(name);
        entry.kind = kind;
        saved.append(std::move(entry));
    }
    entries = std::move(saved);
}

void StoreSettings(SettingsStore& store, const LayoutSettings& settings, const EntryList& entries) {
    store.SaveInt("Column", settings.columnCount);
    store.SaveInt("Tab", settings.tabMode);
    store.SaveInt("SelColumn", settings.selectedColumn);
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(entries.count(), INT32_MAX));
    store.SaveInt("FilterSize", count);
    for (std::int32_t i = 0; i < count; ++i) {
        const FilterEntry& entry = entries[static_cast<std::size_t>(i)];
        store.SaveString(Key(kNamePattern, i).text, entry.name);
        store.SaveInt(Key(kTypePattern, i).text, entry.kind);
    }
}

}  // namespace kirabo
