// What find learns of the user, kept by name and kind like the hidden rows, so that it outlives a
// change of the host's menus: the row picked for each text typed, how often each row is switched,
// and the user's own words for a row. An entry whose row is gone is kept (the filter may come
// back) and marks nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "entries/EntryList.h"

namespace kirabo {

inline constexpr std::size_t kMostPicks = 200;
inline constexpr std::int32_t kUseHalfLifeDays = 30;
// More switches than a lifetime of clicks: a larger stored count is damaged.
inline constexpr double kMostUses = 1e7;

// A row switched or its button pressed while the find box held `text` (folded as matching folds).
struct Pick {
    std::string text;
    EntryKey row;
    bool operator==(const Pick&) const = default;
};

// How often a row was switched through the palette, as of `day` (days since 1970).
struct Use {
    EntryKey row;
    double count = 0;
    std::int32_t day = 0;
    bool operator==(const Use&) const = default;
};

struct RowWords {
    EntryKey row;
    std::string words;  // free text, words separated by spaces
    bool operator==(const RowWords&) const = default;
};

class FindMemory {
public:
    // Newest first; a text keeps only its latest row; the oldest goes beyond kMostPicks.
    void Picked(std::string text, const EntryKey& row);
    // The pick of the longest remembered text that `text` begins with; for an empty text, the
    // latest pick. Nothing when none was.
    const Pick* PickFor(std::string_view text) const;
    // The latest pick of a longer text that begins with `text`: what the user typed on to before.
    const Pick* PickTypedOn(std::string_view text) const;
    // A switch through the palette on `day`.
    void Used(const EntryKey& row, std::int32_t day);
    // The row's count as of `day`: it halves every kUseHalfLifeDays.
    double UseOf(const EntryKey& row, std::int32_t day) const;
    // The user's words for the row; empty words forget them.
    void SetWords(const EntryKey& row, std::string words);
    std::string_view WordsOf(const EntryKey& row) const;
    // Picks and counts go; the words stay.
    void ForgetHistory();

    // What a store held, repaired: picks newest first, the first of a text kept, kMostPicks at most;
    // the first count and the first words of a row kept, a count below 0 or beyond reason dropped.
    void Restore(std::vector<Pick> picks, std::vector<Use> uses, std::vector<RowWords> words);
    // Which blocks the store held: one emptied since is stored with size 0, so that the next start
    // does not read it back.
    struct Stored {
        bool picks = false, uses = false, words = false;
    } stored;

    // The picks newest first; the counts and the words by kind, then name.
    const std::vector<Pick>& picks() const { return picks_; }
    const std::vector<Use>& uses() const { return uses_; }
    const std::vector<RowWords>& words() const { return words_; }

private:
    std::vector<Pick> picks_;
    // Sorted, so that a row is found by halving: every row is looked up at every key.
    std::vector<Use> uses_;
    std::vector<RowWords> words_;
};

}  // namespace kirabo
