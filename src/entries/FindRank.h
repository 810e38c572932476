// Which of the rows that match what was typed find marks first: the one the user means. A plain
// function over the matches and what find learned, so that its order is written once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "entries/FindMemory.h"
#include "entries/NameMatch.h"

namespace kirabo {

// A row that matches, in row order.
struct FoundRow {
    std::size_t row = 0;  // the caller's number for it
    std::string_view name;
    std::int32_t kind = kKindFilter;
    MatchQuality quality = MatchQuality::Contains;
};

// The best of `found` for `typed` (folded as FoldedText folds it): first the row picked for exactly
// that text; then the latest pick of a longer text that begins with it (bok after bokashi); then the
// pick of the longest remembered text that it begins with; then the better match (equal, begins, a
// word start, contained); then the row switched most as of `today`; then the shorter name; then
// the first. Its `row`; nothing when nothing matches.
std::optional<std::size_t> BestFound(const std::vector<FoundRow>& found, const FindMemory& learned,
                                     std::string_view typed, std::int32_t today);

}  // namespace kirabo
