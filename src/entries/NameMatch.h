// Whether a row's name holds what the user typed into the find box, compared as a Japanese user
// reads: ASCII letters without case, full-width letters, digits and space as their ASCII forms,
// half-width katakana (with their voiced and semi-voiced marks) as full-width katakana, hiragana as
// katakana. The names themselves never change; only the comparison folds.
#pragma once

#include <string_view>
#include <vector>

namespace kirabo {

class NameQuery {
public:
    // The words the user typed, separated by spaces (either width); each must occur, in any order.
    explicit NameQuery(std::string_view typed);
    // No words: every name matches.
    bool empty() const { return words_.empty(); }
    bool Matches(std::string_view name) const;

private:
    std::vector<std::vector<char16_t>> words_;
};

}  // namespace kirabo
