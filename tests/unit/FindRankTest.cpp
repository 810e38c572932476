#include <gtest/gtest.h>

#include <utility>

#include "ShiftJis.h"
#include "entries/FindRank.h"

namespace kirabo {
namespace {

// The rows the find box marks first, as matched and ranked for what was typed.
TEST(FindRank, TheRowMarkedFirstIsTheOneTheUserMeans) {
    struct Case {
        const char* what;
        std::vector<const char*> names;                  // a display tool's begins with @
        std::vector<int> switches;                       // by row, today
        std::vector<std::pair<const char*, int>> picks;  // oldest first: the text, the row
        const char* typed;
        const char* best;  // "": none
        std::size_t found;
    };
    // clang-format off
    const Case cases[] = {
        {"the pick of a longer text typed before",       {"ぼけ", "ぼかし"},                             {},            {{"bokashi", 1}},               "bok",   "ぼかし",     2},
        {"the latest of two such picks",                 {"ぼけ", "ぼかし"},                             {},            {{"bokashi", 1}, {"boke", 0}},  "bo",    "ぼけ",      2},
        {"the pick for the text itself before both",     {"ぼけ", "ぼかし"},                             {},            {{"bo", 0}, {"bokashi", 1}},    "bo",    "ぼけ",      2},
        {"the longest text it begins with, as ever",     {"ぼけ", "ぼかし"},                             {},            {{"b", 1}},                     "bo",    "ぼかし",     2},
        {"a pick's row only while it matches",           {"ぼけ", "ぼかし"},                             {},            {{"bokashi", 1}},               "boke",  "ぼけ",      1},
        {"within a quality the row switched most",       {"ぼけ", "ぼかし"},                             {0, 3},        {},                             "bo",    "ぼかし",     2},
        {"then the shorter name",                        {"ぼかし", "ぼけ"},                             {},            {},                             "bo",    "ぼけ",      2},
        {"then the first row",                           {"ぼか", "ぼけ"},                              {},            {},                             "bo",    "ぼか",      2},
        {"a better match before a row used more",        {"モーションブラー", "ブラー"},                       {5, 0},        {},                             "bura",  "ブラー",     2},
        {"one consonant: kana it begins, ッ before one",  {"ブラー", "ボブ", "クリッピング", "フラッシュ", "ドット化"},  {},            {},                             "b",     "ボブ",      2},
        {"a pick knows the row's kind",                  {"Histo", "@Histo"},                       {},            {{"h", 1}},                     "h",     "@Histo",  2},
        {"ties by use after the best changes",           {"xab", "xac", "ab", "ac"},                {3, 0, 0, 1},  {},                             "a",     "ac",      4},
        {"the new best's own use counts",                {"xab", "xac", "ab", "ac"},                {3, 0, 2, 1},  {},                             "a",     "ab",      4},
        {"a third row used more than both",              {"ab", "ac", "ad"},                        {1, 3, 2},     {},                             "a",     "ac",      3},
        {"nothing matches",                              {"ぼけ"},                                    {},            {},                             "x",     "",        0},
    };
    // clang-format on
    constexpr std::int32_t kToday = 100;
    for (const Case& c : cases) {
        std::vector<std::string> names;
        std::vector<std::int32_t> kinds;
        for (const char* name : c.names) {
            const bool display = name[0] == '@';
            names.push_back(ShiftJis(display ? name + 1 : name));
            kinds.push_back(display ? kKindDisplayTool : kKindFilter);
        }
        FindMemory learned;
        for (std::size_t row = 0; row < c.switches.size(); ++row) {
            for (int i = 0; i < c.switches[row]; ++i) learned.Used({names[row], kinds[row]}, kToday);
        }
        for (const auto& [text, row] : c.picks) learned.Picked(FoldedText(text), {names[row], kinds[row]});
        const NameQuery query(ShiftJis(c.typed));
        std::vector<FoundRow> found;
        for (std::size_t row = 0; row < names.size(); ++row) {
            const MatchQuality quality = query.Quality(names[row]);
            if (quality != MatchQuality::None) found.push_back({row, names[row], kinds[row], quality});
        }
        const std::optional<std::size_t> best = BestFound(found, learned, FoldedText(ShiftJis(c.typed)), kToday);
        EXPECT_EQ(best ? std::string(c.names[*best]) : "", c.best) << c.what;
        EXPECT_EQ(found.size(), c.found) << c.what;
    }
}

}  // namespace
}  // namespace kirabo
