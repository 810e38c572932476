#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "MemoryStore.h"
#include "entries/FindMemory.h"
#include "palette/Settings.h"

namespace kirabo {
namespace {

const EntryKey kBlur{"Blur", 1}, kNoise{"Noise", 1}, kHisto{"Histo", 0};

TEST(FindMemory, APickIsTheRowChosenForTheLongestTextTypedBeforeAndCountsHalveEveryThirtyDays) {
    using Step = std::function<void(FindMemory&)>;
    const auto pick = [](const char* text, EntryKey row) { return Step([=](FindMemory& m) { m.Picked(text, row); }); };
    const auto use = [](EntryKey row, int day) { return Step([=](FindMemory& m) { m.Used(row, day); }); };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        const char* typed;
        const EntryKey* picked;
        double blurUses = 0;  // on day 100
        const char* blurWords = "";
    };
    const auto words = [](const char* text) { return Step([=](FindMemory& m) { m.SetWords(kBlur, text); }); };
    // clang-format off
    const Case cases[] = {
        {"nothing picked",                      {},                                                                                                                 "bu",    nullptr},
        {"a pick for the text typed",           {pick("bu", kBlur)},                                                                                                "bu",    &kBlur},
        {"a text typed on from it",             {pick("bu", kBlur)},                                                                                                "bura",  &kBlur},
        {"not a text that only holds it",       {pick("bu", kBlur)},                                                                                                "abu",   nullptr},
        {"the longest remembered text counts",  {pick("b", kNoise), pick("bu", kBlur), pick("x", kHisto)},                                                          "bur",   &kBlur},
        {"a text keeps only its latest row",    {pick("bu", kBlur), pick("bu", kNoise)},                                                                            "bu",    &kNoise},
        {"an empty box: the row picked last",   {pick("bu", kBlur), pick("no", kNoise)},                                                                            "",      &kNoise},
        {"the oldest of 201 picks goes",        {pick("a", kBlur), [](FindMemory& m) {for (int i = 0; i < 200; ++i) m.Picked(std::to_string(1000 + i), kNoise);}},  "a",     nullptr},
        {"200 picks all stay",                  {pick("a", kBlur), [](FindMemory& m) {for (int i = 0; i < 199; ++i) m.Picked(std::to_string(1000 + i), kNoise);}},  "a",     &kBlur},
        {"history forgotten, words kept",   {pick("bu", kBlur), use(kBlur, 100), [](FindMemory& m) {m.SetWords(kBlur, "bokashi"); m.ForgetHistory();}},  "bu",  nullptr,  0,  "bokashi"},
        {"two switches today",             {use(kBlur, 100), use(kBlur, 100), use(kNoise, 100)},  "",  nullptr,  2},
        {"one 30 days ago: half",          {use(kBlur, 70)},                                      "",  nullptr,  0.5},
        {"words given again replace them",  {words("bokashi"), words("blur soft")},                                                                      "",    nullptr,  0,  "blur soft"},
        {"and emptied, forget them",            {words("bokashi"), words("")},                                                                                      "",      nullptr},
        {"two 60 days ago and one today",  {use(kBlur, 40), use(kBlur, 40), use(kBlur, 100)},     "",  nullptr,  1.5},
    };
    // clang-format on
    for (const Case& c : cases) {
        FindMemory memory;
        for (const Step& step : c.steps) step(memory);
        const Pick* picked = memory.PickFor(c.typed);
        EXPECT_EQ(picked ? picked->row.name : "-", c.picked ? c.picked->name : "-") << c.what;
        EXPECT_DOUBLE_EQ(memory.UseOf(kBlur, 100), c.blurUses) << c.what;
        EXPECT_EQ(memory.WordsOf(kBlur), c.blurWords) << c.what;
    }
}

TEST(FindMemory, WhatFindLearnedIsStoredInBlocksAndADamagedBlockLoadsWhatItCan) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        std::vector<Pick> picks;
        std::vector<Use> uses;
        std::vector<RowWords> words;
        std::map<std::string, std::string> storedAgain;  // besides what was stored: the blocks written back
    };
    // clang-format off
    const Case cases[] = {
        {"nothing learned: nothing stored",                                                      {},                                                                                                                                                                                                                                                                                                                                                                                                                                                                            {},               {},                   {},                          {}},
        {"a block of each",                                                                      {{"PickSize", "1"}, {"PickText0", "bu"}, {"PickName0", "Blur"}, {"PickType0", "1"}, {"UseSize", "1"}, {"UseName0", "Noise"}, {"UseType0", "1"}, {"UseCount0", "250"}, {"UseDay0", "99"}, {"WordsSize", "1"}, {"WordsName0", "Histo"}, {"WordsType0", "0"}, {"Words0", "hisuto graph"}},                                                                                                                                                                                        {{"bu", kBlur}},  {{kNoise, 2.5, 99}},  {{kHisto, "hisuto graph"}},  {}},
        {"damaged: no text, a repeated text, a negative count, a row's second count, no words",  {{"PickSize", "3"}, {"PickName0", "Blur"}, {"PickType0", "1"}, {"PickText1", "n"}, {"PickName1", "Noise"}, {"PickType1", "1"}, {"PickText2", "n"}, {"PickName2", "Blur"}, {"PickType2", "1"}, {"UseSize", "3"}, {"UseName0", "Blur"}, {"UseType0", "1"}, {"UseCount0", "-5"}, {"UseName1", "Blur"}, {"UseType1", "1"}, {"UseCount1", "100"}, {"UseName2", "Blur"}, {"UseType2", "1"}, {"UseCount2", "700"}, {"WordsSize", "1"}, {"WordsName0", "Blur"}, {"WordsType0", "1"}},  {{"n", kNoise}},  {{kBlur, 1, 0}},      {},                          {{"PickSize", "1"}, {"UseSize", "1"}, {"WordsSize", "0"}}},
        {"emptied blocks are stored with size 0",                                                {{"PickSize", "0"}, {"UseSize", "-1"}, {"WordsSize", "2"}},                                                                                                                                                                                                                                                                                                                                                                                                                    {},               {},                   {},                          {{"WordsSize", "0"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        MemoryStore store;
        store.values = c.stored;
        const FindMemory memory = LoadFindMemory(store);
        EXPECT_EQ(memory.picks(), c.picks) << c.what;
        EXPECT_EQ(memory.uses(), c.uses) << c.what;
        EXPECT_EQ(memory.words(), c.words) << c.what;
        MemoryStore again;
        StoreFindMemory(again, memory);
        for (const auto& [key, value] : c.storedAgain) EXPECT_EQ(again.values[key], value) << c.what << ": " << key;
        if (c.storedAgain.empty()) {
            EXPECT_EQ(again.values, c.stored) << c.what;
        }
    }
}

}  // namespace
}  // namespace kirabo
