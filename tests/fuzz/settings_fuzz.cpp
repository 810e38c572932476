// Any stored values: loading reads a bounded number of keys, keeps only entries with a name and a
// kind of 0 or more, and what is stored again (hidden marks included) loads back the same.
#include <cstdlib>
#include <map>
#include <string>

#include "FuzzInput.h"
#include "entries/HiddenRows.h"
#include "palette/Settings.h"

using namespace kirabo;

namespace {

class Store final : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::map<std::string, std::int32_t> ints;
    int reads = 0;
    std::int32_t LoadInt(const char* key, std::int32_t d) override {
        ++reads;
        const auto f = ints.find(key);
        return f == ints.end() ? d : f->second;
    }
    void SaveInt(const char* key, std::int32_t v) override { ints[key] = v; }
    std::string LoadString(const char* key) override {
        ++reads;
        const auto f = values.find(key);
        return f == values.end() ? std::string() : f->second;
    }
    void SaveString(const char* key, const std::string& v) override { values[key] = v; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    Store store;
    store.ints["Column"] = in.Int();
    store.ints["Tab"] = in.Int();
    store.ints["SelColumn"] = in.Int();
    // Sizes from -128 to 127: the bound on huge sizes is tested elsewhere, and at 20,000 reads an
    // input the fuzzer would barely move.
    store.ints["FilterSize"] = static_cast<std::int8_t>(in.Byte());
    for (int i = 0; !in.empty() && i < 64; ++i) {
        const int position = in.Byte() % 70;
        store.values["FilterName" + std::to_string(position)] = in.Bytes(40);
        store.ints["FilterType" + std::to_string(position)] = in.Int();
    }
    for (int i = 0; !in.empty() && i < 8; ++i) {
        const int position = in.Byte() % 10;
        store.values["HiddenName" + std::to_string(position)] = in.Bytes(40);
        store.ints["HiddenType" + std::to_string(position)] = in.Int();
    }
    store.ints["HiddenSize"] = static_cast<std::int8_t>(in.Byte());
    for (int i = 0; !in.empty() && i < 8; ++i) {
        const std::string n = std::to_string(in.Byte() % 10);
        store.values["GroupName" + n] = in.Bytes(80);
        store.ints["GroupFirst" + n] = static_cast<std::int8_t>(in.Byte());
    }
    store.ints["GroupSize"] = static_cast<std::int8_t>(in.Byte());
    const LayoutSettings settings = LoadLayoutSettings(store);
    EntryList list;
    const std::vector<std::int32_t> storedAt = LoadSavedEntries(store, list);
    const HiddenBlock hidden = LoadHiddenBlock(store);
    HideEntries(list, hidden.keys);
    const GroupBlock groups = LoadGroupBlock(store);
    PlaceGroups(list, storedAt, groups.groups);
    // Groups, once there are any, begin at the first row, each named with 1 to 64 bytes.
    if (HasGroups(list) && !list[0].group) std::abort();
    if (store.reads > 3 + 3 * (1 + 3 * kMaxStoredEntries)) std::abort();
    for (const FilterEntry& e : list) {
        if (e.name.empty() || e.kind < 0 ||
            (e.group && (e.group->name.empty() || e.group->name.size() > kGroupNameBytes)))
            std::abort();
    }
    Store again;
    StoreSettings(again, settings, list, hidden.stored);
    StoreGroups(again, list, groups.stored);
    EntryList reloaded;
    const std::vector<std::int32_t> reloadedAt = LoadSavedEntries(again, reloaded);
    HideEntries(reloaded, LoadHiddenBlock(again).keys);
    PlaceGroups(reloaded, reloadedAt, LoadGroupBlock(again).groups);
    if (!(reloaded == list)) std::abort();
    const LayoutSettings back = LoadLayoutSettings(again);
    if (back.columnCount != settings.columnCount || back.tabMode != settings.tabMode ||
        back.selectedColumn != settings.selectedColumn) {
        std::abort();
    }
    // What find learned: whatever the blocks hold, what loads is sound and comes back as stored.
    for (int i = 0; !in.empty() && i < 8; ++i) {
        const std::string n = std::to_string(in.Byte() % 10);
        for (const char* key : {"PickText", "PickName", "UseName", "WordsName", "Words"})
            store.values[key + n] = in.Bytes(8);
        for (const char* key : {"PickType", "UseType", "UseCount", "UseDay", "WordsType"})
            store.ints[key + n] = in.Int();
    }
    for (const char* key : {"PickSize", "UseSize", "WordsSize"}) store.ints[key] = static_cast<std::int8_t>(in.Byte());
    const FindMemory learned = LoadFindMemory(store);
    if (learned.picks().size() > kMostPicks) std::abort();
    for (const Use& use : learned.uses()) {
        if (!(use.count >= 0 && use.count <= kMostUses)) std::abort();
    }
    for (const RowWords& row : learned.words()) {
        if (row.words.empty()) std::abort();
    }
    Store kept;
    StoreFindMemory(kept, learned);
    const FindMemory reread = LoadFindMemory(kept);
    if (reread.picks() != learned.picks() || reread.uses() != learned.uses() || reread.words() != learned.words()) {
        std::abort();
    }
    return 0;
}
