#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "MemoryStore.h"
#include "palette/Settings.h"

namespace kirabo {
namespace {

struct Loaded {
    std::string name;
    std::int32_t kind;
    bool operator==(const Loaded&) const = default;
};

std::vector<Loaded> LoadedEntries(const std::map<std::string, std::string>& stored) {
    MemoryStore store;
    store.values = stored;
    EntryList list;
    list.append(FilterEntry{"left over"});
    LoadSavedEntries(store, list);
    std::vector<Loaded> loaded;
    for (const FilterEntry& e : list) {
        EXPECT_EQ(e.toggleCommand, 0u);
        EXPECT_EQ(e.settingsCommand, 0u);
        loaded.push_back({e.name, e.kind});
    }
    return loaded;
}

TEST(Settings, LayoutSettingsLoadWithTheirDefaultsAndAnyStoredValue) {
    struct Case {
        std::map<std::string, std::string> stored;
        LayoutSettings expected;
    };
    // clang-format off
    const Case cases[] = {
        {{},                                                                      {2, 0, 0}},
        {{{"Column", "3"}, {"Tab", "1"}, {"SelColumn", "2"}},                     {3, 1, 2}},
        {{{"Column", "-2147483648"}, {"Tab", "5"}, {"SelColumn", "2147483647"}},  {INT_MIN, 5, INT_MAX}},
    };
    // clang-format on
    for (const Case& c : cases) {
        MemoryStore store;
        store.values = c.stored;
        const LayoutSettings s = LoadLayoutSettings(store);
        EXPECT_EQ(s.columnCount, c.expected.columnCount);
        EXPECT_EQ(s.tabMode, c.expected.tabMode);
        EXPECT_EQ(s.selectedColumn, c.expected.selectedColumn);
        EXPECT_EQ(store.calls, (std::vector<std::string>{"load_int Column", "load_int Tab", "load_int SelColumn"}));
    }
}

TEST(Settings, SavedEntriesLoadInOrderSkippingEmptyNamesAndNegativeKinds) {
    const std::string longName(4095, 'x');
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        std::vector<Loaded> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"first start: nothing stored",                                      {},                                                                                                                                                                                        {}},
        {"a gap at position 1",                                              {{"FilterSize", "3"}, {"FilterName0", "A"}, {"FilterType0", "1"}, {"FilterName2", "C"}, {"FilterType2", "0"}},                                                                             {{"A", 1}, {"C", 0}}},
        {"a missing type loads as -1 and is skipped",                        {{"FilterSize", "2"}, {"FilterName0", "A"}, {"FilterName1", "B"}, {"FilterType1", "1"}},                                                                                                   {{"B", 1}}},
        {"a negative kind is skipped",                                       {{"FilterSize", "2"}, {"FilterName0", "A"}, {"FilterType0", "-5"}, {"FilterName1", "B"}, {"FilterType1", "1"}},                                                                            {{"B", 1}}},
        {"any kind of 0 or more loads unchanged",                            {{"FilterSize", "2"}, {"FilterName0", "A"}, {"FilterType0", "7"}, {"FilterName1", "B"}, {"FilterType1", "2147483647"}},                                                                    {{"A", 7}, {"B", INT_MAX}}},
        {"FilterSize beyond the stored names only gives skipped positions",  {{"FilterSize", "50"}, {"FilterName0", "A"}, {"FilterType0", "1"}},                                                                                                                        {{"A", 1}}},
        {"a negative FilterSize loads nothing",                              {{"FilterSize", "-1"}, {"FilterName0", "A"}, {"FilterType0", "1"}},                                                                                                                        {}},
        {"names of any bytes load as they are",                              {{"FilterSize", "3"}, {"FilterName0", "\x95\x5C\x8E\xA6"}, {"FilterType0", "0"}, {"FilterName1", "\xFF\x81\x5C"}, {"FilterType1", "1"}, {"FilterName2", longName}, {"FilterType2", "1"}},  {{"\x95\x5C\x8E\xA6", 0}, {"\xFF\x81\x5C", 1}, {longName, 1}}},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(LoadedEntries(c.stored), c.expected) << c.what;
}

TEST(Settings, ANameIsReadUpToItsTerminatorAndNeverFromTheBuffersLastByte) {
    struct Case {
        const char* what;
        std::string buffer;
        std::size_t expected;
    };
    // clang-format off
    const Case cases[] = {
        {"a short name",                      std::string("abc\0", 4) + std::string(kNameBufferBytes - 4, 'x'),  3},
        {"4,095 bytes and the terminator",    std::string(kNameBufferBytes - 1, 'n') + '\0',                     kNameBufferBytes - 1},
        {"every byte filled, no terminator",  std::string(kNameBufferBytes, 'n'),                                kNameBufferBytes - 1},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(NameInBuffer(c.buffer.data()).size(), c.expected) << c.what;
}

TEST(Settings, TheSizesTheUserGaveAreReadOnlyWhenSound) {
    using Size = std::optional<WindowSize>;
    struct Case {
        const char* what;
        std::string stored;
        Size expected;
    };
    const Case cases[] = {{"absent", "", std::nullopt},           {"as stored", "640,480", WindowSize{640, 480}},
                          {"damaged", "640x480", std::nullopt},   {"no height", "640,", std::nullopt},
                          {"negative", "-640,480", std::nullopt}, {"beyond any screen", "640,99999", std::nullopt}};
    for (const Case& c : cases) {
        MemoryStore store;
        if (!c.stored.empty()) store.values = {{"ReorderSize", c.stored}, {"PaletteSize", c.stored}};
        const UserSizes sizes = LoadUserSizes(store);
        EXPECT_EQ(sizes.reorder, c.expected) << c.what;
        EXPECT_EQ(sizes.palette, c.expected) << c.what;
    }
}

TEST(Settings, ADamagedFilterSizeIsReadOnlyUpToTheBound) {
    MemoryStore store;
    store.values = {{"FilterSize", "2147483647"}};
    EntryList list;
    LoadSavedEntries(store, list);
    // One read of the size, then a name and a type per position.
    EXPECT_EQ(store.calls.size(), 1u + 2u * static_cast<std::size_t>(kMaxStoredEntries));
    EXPECT_EQ(list.count(), 0u);
}

TEST(Settings, StoreWritesTheSettingsThenEveryEntryInListOrder) {
    MemoryStore store;
    EntryList list;
    list.append(FilterEntry{"A", 5, 6, 1, 3});
    list.append(FilterEntry{"B", 0, 9, 0, 0});
    StoreSettings(store, LayoutSettings{4, 1, 3}, list, false);
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{"save_int Column=4", "save_int Tab=1", "save_int SelColumn=3",
                                        "save_int FilterSize=2", "save_str FilterName0=A", "save_int FilterType0=1",
                                        "save_str FilterName1=B", "save_int FilterType1=0"}));
}

TEST(Settings, ADamagedHiddenBlockLoadsWhatItCan) {
    using Keys = std::vector<EntryKey>;
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        Keys keys;
        bool blockStored;
    };
    // clang-format off
    const Case cases[] = {
        {"no block",                                         {},                                                                                                                                                          {},                    false},
        {"two hidden rows",                                  {{"HiddenSize", "2"}, {"HiddenName0", "A"}, {"HiddenType0", "1"}, {"HiddenName1", "B"}, {"HiddenType1", "0"}},                                               {{"A", 1}, {"B", 0}},  true},
        {"a cleared block",                                  {{"HiddenSize", "0"}, {"HiddenName0", "A"}, {"HiddenType0", "1"}},                                                                                           {},                    false},
        {"a missing name, a missing type, a negative kind",  {{"HiddenSize", "4"}, {"HiddenType0", "1"}, {"HiddenName1", "B"}, {"HiddenName2", "C"}, {"HiddenType2", "-3"}, {"HiddenName3", "D"}, {"HiddenType3", "1"}},  {{"D", 1}},            true},
        {"a negative count",                                 {{"HiddenSize", "-7"}, {"HiddenName0", "A"}, {"HiddenType0", "1"}},                                                                                          {},                    false},
    };
    // clang-format on
    for (const Case& c : cases) {
        MemoryStore store;
        store.values = c.stored;
        const HiddenBlock block = LoadHiddenBlock(store);
        EXPECT_EQ(block.keys, c.keys) << c.what;
        EXPECT_EQ(block.stored, c.blockStored) << c.what;
    }
}

TEST(Settings, AShorterListLeavesTheHigherKeysAloneAndTheyAreNeverReadAgain) {
    MemoryStore store;
    store.values = {{"FilterSize", "3"}, {"FilterName2", "Old"}, {"FilterType2", "1"}};
    StoreSettings(store, LayoutSettings{}, EntryList{}, false);
    EXPECT_EQ(store.values["FilterSize"], "0");
    EXPECT_EQ(store.values["FilterName2"], "Old");
    EXPECT_EQ(store.calls.size(), 4u);  // no name or type key for an empty list

    EntryList list;
    LoadSavedEntries(store, list);
    EXPECT_EQ(list.count(), 0u);
}

TEST(Settings, RunningOutOfMemoryWhileLoadingLeavesTheListAsItWas) {
    EntryList before;
    before.append(FilterEntry{"kept"});
    for (int failAt = 1; failAt <= 5; ++failAt) {
        MemoryStore failing;
        failing.values = {{"FilterSize", "2"},
                          {"FilterName0", "A"},
                          {"FilterType0", "1"},
                          {"FilterName1", "B"},
                          {"FilterType1", "1"}};
        failing.failAtRead = failAt;
        EntryList list = before;
        EXPECT_THROW(LoadSavedEntries(failing, list), std::bad_alloc);
        EXPECT_EQ(list, before) << "failing at read " << failAt;
    }
}

}  // namespace
}  // namespace kirabo
