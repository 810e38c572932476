#include <gtest/gtest.h>

#include <vector>

#include <algorithm>

#include "entries/EntryList.h"
#include "entries/HiddenRows.h"

namespace kirabo {
namespace {

FilterEntry Named(const char* name) {
    FilterEntry entry;
    entry.name = name;
    return entry;
}

std::vector<std::string> Names(const EntryList& list) {
    std::vector<std::string> names;
    for (const FilterEntry& entry : list) names.push_back(entry.name);
    return names;
}

EntryList Of(std::initializer_list<const char*> names) {
    EntryList list;
    for (const char* name : names) list.append(Named(name));
    return list;
}

TEST(EntryList, AppendKeepsTheOrderAndReleaseEmpties) {
    struct Case {
        const char* what;
        EntryList start;
        void (*change)(EntryList&);
        std::vector<std::string> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"append to an empty list",  {},              [](EntryList& l) {l.append(Named("A"));},  {"A"}},
        {"append after the last",    Of({"A", "B"}),  [](EntryList& l) {l.append(Named("C"));},  {"A", "B", "C"}},
        {"release empties",          Of({"A", "B"}),  [](EntryList& l) {l.release();},           {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EntryList list = c.start;
        c.change(list);
        EXPECT_EQ(Names(list), c.expected) << c.what;
        EXPECT_EQ(list.count(), c.expected.size()) << c.what;
    }
}

TEST(EntryList, HiddenMarksFollowNameAndKindInListOrder) {
    struct Case {
        const char* what;
        std::vector<EntryKey> keys;
        std::vector<bool> hidden;  // of A(1) B(1) B(0) B(1)
    };
    // clang-format off
    const Case cases[] = {
        {"the first B filter",               {{"B", 1}},            {false, true, false, false}},
        {"two B filters",                    {{"B", 1}, {"B", 1}},  {false, true, false, true}},
        {"the B display tool",               {{"B", 0}},            {false, false, true, false}},
        {"a filter the host no longer has",  {{"C", 1}},            {false, false, false, false}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EntryList list = Of({"A", "B", "B", "B"});
        list[2].kind = kKindDisplayTool;
        HideEntries(list, c.keys);
        std::vector<bool> hidden;
        for (const FilterEntry& e : list) hidden.push_back(e.hidden);
        EXPECT_EQ(hidden, c.hidden) << c.what;
        const auto hiddenCount = static_cast<std::size_t>(std::count(hidden.begin(), hidden.end(), true));
        EXPECT_EQ(HiddenKeys(list).size(), hiddenCount) << c.what;
        EXPECT_EQ(AnyHidden(list), hiddenCount > 0) << c.what;
    }
}

}  // namespace
}  // namespace kirabo
