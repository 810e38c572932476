#include <gtest/gtest.h>

#include <new>
#include <random>

#include "FakeMenus.h"
#include "entries/MenuMerge.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using test::Bar;
using test::FakeItem;
using test::FakeMenus;

struct Row {
    std::string name;
    std::uint32_t toggleCommand;
    std::uint32_t settingsCommand;
    std::int32_t kind;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.name << ", " << r.toggleCommand << ", " << r.settingsCommand << ", " << r.kind << "}";
}

struct Saved {
    std::string name;
    std::int32_t kind;
};

EntryList SavedList(const std::vector<Saved>& saved) {
    EntryList list;
    for (const Saved& s : saved) {
        FilterEntry e;
        e.name = s.name;
        e.kind = s.kind;
        list.append(e);
    }
    return list;
}

std::vector<Row> Rows(const EntryList& list) {
    std::vector<Row> rows;
    for (const FilterEntry& e : list) rows.push_back({e.name, e.toggleCommand, e.settingsCommand, e.kind});
    return rows;
}

std::vector<Row> Merged(const std::vector<Saved>& saved, const std::map<int, std::vector<FakeItem>>& menus) {
    FakeMenus reader;
    reader.menus = menus;
    EntryList list = SavedList(saved);
    MergeHostMenus(reader, list);
    return Rows(list);
}

const std::string six = "xxxxxx";  // the 6 bytes a settings or display caption ends with

struct Case {
    const char* what;
    std::vector<Saved> saved;
    std::map<int, std::vector<FakeItem>> menus;
    std::vector<Row> expected;
};

TEST(MenuMerge, BuildsTheRowsFromTheSavedOrderAndTheHostsMenus) {
    // clang-format off
    const Case cases[] = {
        {"saved entries keep their place, new items join their menu neighbour, missing ones go",  {{"B", 1}, {"V", 0}, {"A", 1}, {"Z", 1}},  {{1, {{11, "A"}, {12, "B"}, {13, "C"}, Bar(), {14, "D"}, Bar(), {15, "E"}}}, {2, {{21, "A" + six}, {22, "X" + six}, Bar(), {23, "P" + six}, Bar(), {24, "R" + six}}}, {5, {{51, "W" + six}, Bar(), {52, "V" + six}, {53, "U" + six}, Bar(), {54, "T" + six}}}},  {{"B", 12, 0, 1}, {"C", 13, 0, 1}, {"D", 14, 0, 1}, {"V", 0, 52, 0}, {"U", 0, 53, 0}, {"A", 11, 21, 1}, {"X", 0, 22, 1}, {"P", 0, 23, 1}}},
        {"a reset follows the menus alone",                                                       {},                                        {{1, {{11, "A"}, {12, "B"}}}, {2, {{22, "X" + six}, {21, "B" + six}, {23, "Y" + six}}}, {5, {{50, "Q" + six}, Bar(), {51, "V" + six}, {52, "W" + six}}}},                                                                                                        {{"A", 11, 0, 1}, {"B", 12, 21, 1}, {"Y", 0, 23, 1}, {"X", 0, 22, 1}, {"V", 0, 51, 0}, {"W", 0, 52, 0}}},
        {"a saved entry whose items are all gone is removed",                                     {{"Gone", 1}, {"A", 1}},                   {{1, {{11, "A"}}}},                                                                                                                                                                                                                                              {{"A", 11, 0, 1}}},
        {"a filter whose toggle item is gone keeps its place through its settings item",          {{"B", 1}, {"A", 1}},                      {{1, {{12, "B"}}}, {2, {{21, "A" + six}}}},                                                                                                                                                                                                                      {{"B", 12, 0, 1}, {"A", 0, 21, 1}}},
        {"two toggle items of one caption claim two saved entries, then make a new one",          {{"A", 1}, {"B", 1}, {"A", 1}},            {{1, {{11, "A"}, {12, "A"}, {13, "A"}}}},                                                                                                                                                                                                                        {{"A", 11, 0, 1}, {"A", 12, 0, 1}, {"A", 13, 0, 1}}},
        {"a saved kind other than 0 and 1 can be claimed only through the settings menu",         {{"K", 7}, {"L", 7}},                      {{1, {{11, "K"}}}, {2, {{21, "L" + six}}}, {5, {Bar(), {51, "K" + six}}}},                                                                                                                                                                                       {{"L", 0, 21, 7}, {"K", 11, 0, 1}, {"K", 0, 51, 0}}},
        {"the settings menu claims a display tool of the same name before the filter",            {{"S", 0}, {"S", 1}},                      {{1, {{11, "S"}}}, {2, {{21, "S" + six}}}, {5, {Bar(), {51, "S" + six}}}},                                                                                                                                                                                       {{"S", 0, 21, 0}, {"S", 11, 0, 1}, {"S", 0, 51, 0}}},
        {"a 6-byte caption gives an entry with an empty name; a shorter one too",                 {},                                        {{2, {{21, six}, {22, "abc"}}}},                                                                                                                                                                                                                                 {{"", 0, 21, 1}, {"", 0, 22, 1}}},
        {"an item that opens a submenu is looked up by its id like any other",                    {},                                        {{2, {{test::kSubmenuId, "Plugins" + six}}}},                                                                                                                                                                                                                    {{"Plugins", 0, test::kSubmenuId, 1}}},
        {"toggle and settings walks read both sides of the first bar; display only after it",     {},                                        {{1, {{11, "A"}, Bar(), {12, "B"}}}, {5, {{51, "C" + six}, Bar(), {52, "D" + six}}}},                                                                                                                                                                            {{"A", 11, 0, 1}, {"B", 12, 0, 1}, {"D", 0, 52, 0}}},
        {"empty and missing menus change nothing, the removal pass still runs",                   {{"A", 1}},                                {{1, {}}, {2, {}}},                                                                                                                                                                                                                                              {}},
        {"no menus at all empty the list",                                                        {{"A", 1}, {"B", 0}},                      {},                                                                                                                                                                                                                                                              {}},
        {"the plug-in's own item is no row, in any menu, and no neighbour",                       {},                                        {{1, {{11, KIRABO_FIND_ITEM_NAME}, {12, "A"}}}, {2, {{21, "B" + six}, {22, KIRABO_FIND_ITEM_NAME}, {23, "C" + six}}}, {5, {Bar(), {51, KIRABO_FIND_ITEM_NAME}, {52, "D" + six}}}},                                                                               {{"A", 12, 0, 1}, {"B", 0, 21, 1}, {"C", 0, 23, 1}, {"D", 0, 52, 0}}},
        {"the cut counts bytes, even when it splits a double-byte character",                     {},                                        {{2, {{21, "\x95\x5C\x8E\xA6\x82\xCC\x90\xDD\x92\xE8"}}}},                                                                                                                                                                                                       /* 表示の設定 */  {{"\x95\x5C\x8E\xA6", 0, 21, 1}}},
        {"names compare byte for byte: no case folding, no trimming",                             {{"abc", 1}},                              {{1, {{11, "ABC"}, {12, "abc "}, {13, "abc"}}}},                                                                                                                                                                                                                 {{"abc", 13, 0, 1}, {"ABC", 11, 0, 1}, {"abc ", 12, 0, 1}}},
        {"a caption beyond the read's limit is used as far as it was read",                       {},                                        {{1, {{11, std::string(300, 'a')}}}, {2, {{21, std::string(300, 'b')}}}},                                                                                                                                                                                        {{std::string(254, 'a'), 11, 0, 1}, {std::string(248, 'b'), 0, 21, 1}}},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(Merged(c.saved, c.menus), c.expected) << c.what;
}

TEST(MenuMerge, AsksTheItemCountBeforeEveryItem) {
    FakeMenus reader;
    reader.menus = {{1, {{11, "A"}, {12, "B"}, {13, "C"}}}};
    EntryList list;
    MergeHostMenus(reader, list);
    EXPECT_EQ(reader.countQueries, 4);  // three items, and the count that ends the walk
}

// Random hosts: few names, so that claims, duplicates, kinds and separators collide often.
std::map<int, std::vector<FakeItem>> RandomMenus(std::mt19937& random) {
    std::map<int, std::vector<FakeItem>> menus;
    const char* names[] = {"A", "B", "C", "", "\x95\x5C"};
    for (int position : {1, 2, 5}) {
        if (random() % 8 == 0) continue;
        std::vector<FakeItem>& items = menus[position];
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            const unsigned what = random() % 10;
            std::uint32_t id = 1 + random() % 20;
            if (what == 0) id = 0;
            if (what == 1) id = test::kSubmenuId;
            std::string caption = names[random() % 5];
            if (position != 1 || random() % 4 == 0) caption += six.substr(0, random() % 7 == 0 ? 3 : 6);
            if (what == 0 && random() % 2) caption.clear();
            items.push_back({id, caption});
        }
    }
    return menus;
}

TEST(MenuMerge, GivesExactlyTheStepByStepResultOnRandomHosts) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        FakeMenus reader;
        reader.menus = RandomMenus(random);
        EntryList saved;
        const int savedCount = static_cast<int>(random() % 8);
        const char* names[] = {"A", "B", "C", "", "\x95\x5C"};
        for (int i = 0; i < savedCount; ++i) {
            FilterEntry e;
            e.name = names[random() % 5];
            e.kind = static_cast<std::int32_t>(random() % 3);
            saved.append(e);
        }
        EntryList fast = saved;
        EntryList literal = saved;
        MergeHostMenus(reader, fast);
        test::LiteralMerge(reader, literal);
        ASSERT_EQ(Rows(fast), Rows(literal)) << "round " << round;
    }
}

TEST(MenuMerge, RunningOutOfMemoryHalfWayLeavesTheListAsItWas) {
    // A reader that fails at its n-th caption, as an allocation deep in the merge would.
    class FailingMenus final : public MenuReader {
    public:
        FakeMenus menus;
        int failAt = 0;
        bool HasMenu(int p) override { return menus.HasMenu(p); }
        int ItemCount(int p) override { return menus.ItemCount(p); }
        std::uint32_t ItemId(int p, int i) override { return menus.ItemId(p, i); }
        std::string_view Caption(int p, std::uint32_t id) override {
            if (--failAt == 0) throw std::bad_alloc();
            return menus.Caption(p, id);
        }
    };
    const EntryList saved = SavedList({{"B", 1}, {"A", 1}, {"Gone", 1}});
    for (int failAt = 1; failAt <= 5; ++failAt) {
        FailingMenus reader;
        reader.menus.menus = {{1, {{11, "A"}, {12, "B"}, {13, "C"}}}, {2, {{21, "A" + six}, {22, "X" + six}}}};
        reader.failAt = failAt;
        EntryList list = saved;
        EXPECT_THROW(MergeHostMenus(reader, list), std::bad_alloc);
        EXPECT_EQ(list, saved) << "failing at caption " << failAt;
    }
}

}  // namespace
}  // namespace kirabo
