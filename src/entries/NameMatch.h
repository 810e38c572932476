// Whether a row's name holds what the user typed into the find box, compared as a Japanese user
// reads: ASCII letters without case, full-width letters, digits and space as their ASCII forms,
// half-width katakana (with their voiced and semi-voiced marks) as full-width katakana, hiragana as
// katakana. A word typed in ASCII letters is also read as romaji: "bura" finds ブラー. The names
// themselves never change; only the comparison folds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kirabo {

// How well a name matches, worst first: the best match is the one the find box marks first. A word
// starts after a space or _, and where the script changes between hiragana, katakana, kanji and
// Latin letters with digits: the GPU of ブラーGPU, the マスク of ぼかしマスク.
enum class MatchQuality : std::uint8_t { None, Contains, WordStart, Begins, Equal };

// One way to read a typed word: these codes in a row, then, for a word that ends in letters that
// begin a kana (the "r" of "bur"), one of `next`. Where `longVowel` is set (it may end before
// `codes`), a vowel may be ー instead (the second a of "buraa").
struct WordReading {
    std::vector<char16_t> codes;
    std::vector<char16_t> next;
    std::vector<bool> longVowel;
};

class NameQuery {
public:
    // The words the user typed, separated by spaces (either width); each must occur, in any order.
    explicit NameQuery(std::string_view typed);
    // No words: every name matches.
    bool empty() const { return words_.empty(); }
    bool Matches(std::string_view name, std::string_view words = {}) const {
        return Quality(name, words) != MatchQuality::None;
    }
    // Every typed word occurs in the name or in `words`, the user's own words for the row (spaces
    // between them), folded as names are: Contains at least. One typed word that is the whole name:
    // Equal; a name that begins with the first: Begins; the first beginning a word of the name or
    // of `words`: WordStart. A row found only with the user's words is at best WordStart: the name
    // the user sees holds less of what was typed.
    MatchQuality Quality(std::string_view name, std::string_view words = {}) const;

private:
    // How well the readings of typed word `w` occur in folded text: the best place for the first
    // word, any place for the others.
    MatchQuality Find(std::size_t w, const std::vector<char16_t>& text, const std::vector<bool>& starts) const;

    // As typed, and for a word of ASCII letters as romaji too.
    std::vector<std::vector<WordReading>> words_;
    // The name and the user's words being compared, folded, with where their words start: buffers
    // kept for every row a query meets.
    mutable std::vector<char16_t> folded_, foldedWords_;
    mutable std::vector<bool> starts_, wordStarts_;
};

// A Shift-JIS lead byte: it and the byte after it are one character.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The longest start of `text` at most `most` bytes long that ends at a character's end.
std::string_view CutAtCharacter(std::string_view text, std::size_t most);

// The text as matching reads it (letters, digits and kana folded), in Shift-JIS: what find
// remembers a pick under.
std::string FoldedText(std::string_view text);

}  // namespace kirabo
