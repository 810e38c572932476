// Whether a row's name holds what the user typed into the find box, compared as a Japanese user
// reads: ASCII letters without case, full-width letters, digits and space as their ASCII forms,
// half-width katakana (with their voiced and semi-voiced marks) as full-width katakana, hiragana as
// katakana. A word typed in ASCII letters is also read as romaji: "bura" finds ブラー. The names
// themselves never change; only the comparison folds.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kirabo {

// How well a name matches, worst first: the best match is the one the find box marks first.
enum class MatchQuality : std::uint8_t { None, Contains, Begins, Equal };

// One way to read a typed word: these codes in a row, then, for a word that ends in letters that
// begin a kana (the "r" of "bur"), one of `next`.
struct WordReading {
    std::vector<char16_t> codes;
    std::vector<char16_t> next;
};

class NameQuery {
public:
    // The words the user typed, separated by spaces (either width); each must occur, in any order.
    explicit NameQuery(std::string_view typed);
    // No words: every name matches.
    bool empty() const { return words_.empty(); }
    bool Matches(std::string_view name) const { return Quality(name) != MatchQuality::None; }
    // Every word occurs: Contains at least. One word that is the whole name: Equal; a name that
    // begins with the first word: Begins.
    MatchQuality Quality(std::string_view name) const;

private:
    // As typed, and for a word of ASCII letters as romaji too.
    std::vector<std::vector<WordReading>> words_;
    // The name being compared, folded: one buffer for every name a query meets.
    mutable std::vector<char16_t> folded_;
};

}  // namespace kirabo
