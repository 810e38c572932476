#include "entries/FindMemory.h"

#include <algorithm>
#include <cmath>

namespace kirabo {
namespace {

bool Before(const EntryKey& a, const EntryKey& b) { return a.kind != b.kind ? a.kind < b.kind : a.name < b.name; }

// Where the row is, or would go, in a vector sorted by row.
template <typename Items>
auto Find(Items& items, const EntryKey& row) {
    return std::lower_bound(items.begin(), items.end(), row,
                            [](const auto& item, const EntryKey& key) { return Before(item.row, key); });
}

template <typename Item>
const Item* Found(const std::vector<Item>& items, const EntryKey& row) {
    const auto at = Find(items, row);
    return at != items.end() && at->row == row ? &*at : nullptr;
}

}  // namespace

void FindMemory::Picked(std::string text, const EntryKey& row) {
    const auto same = std::find_if(picks_.begin(), picks_.end(), [&](const Pick& p) { return p.text == text; });
    if (same != picks_.end()) picks_.erase(same);
    picks_.insert(picks_.begin(), Pick{std::move(text), row});
    if (picks_.size() > kMostPicks) picks_.resize(kMostPicks);
}

const Pick* FindMemory::PickFor(std::string_view text) const {
    if (text.empty()) return picks_.empty() ? nullptr : &picks_.front();
    const Pick* longest = nullptr;
    for (const Pick& pick : picks_) {
        if (!pick.text.empty() && text.starts_with(pick.text) &&
            (!longest || pick.text.size() > longest->text.size())) {
            longest = &pick;
        }
    }
    return longest;
}

const Pick* FindMemory::PickTypedOn(std::string_view text) const {
    const auto typedOn = [&](const Pick& pick) {
        return pick.text.size() > text.size() && pick.text.starts_with(text);
    };
    const auto newest = std::find_if(picks_.begin(), picks_.end(), typedOn);
    return newest == picks_.end() ? nullptr : &*newest;
}

namespace {

double Aged(const Use& use, std::int32_t day) {
    const double days = std::max(day - use.day, 0);
    return use.count * std::exp2(-days / kUseHalfLifeDays);
}

}  // namespace

void FindMemory::Used(const EntryKey& row, std::int32_t day) {
    auto at = Find(uses_, row);
    if (at == uses_.end() || at->row != row) at = uses_.insert(at, {row, 0, day});
    at->count = Aged(*at, day) + 1;
    at->day = std::max(at->day, day);
}

double FindMemory::UseOf(const EntryKey& row, std::int32_t day) const {
    const Use* use = Found(uses_, row);
    return use ? Aged(*use, day) : 0;
}

void FindMemory::SetWords(const EntryKey& row, std::string words) {
    const auto at = Find(words_, row);
    const bool there = at != words_.end() && at->row == row;
    if (there && words.empty()) {
        words_.erase(at);
    } else if (there) {
        at->words = std::move(words);
    } else if (!words.empty()) {
        words_.insert(at, {row, std::move(words)});
    }
}

std::string_view FindMemory::WordsOf(const EntryKey& row) const {
    const RowWords* found = Found(words_, row);
    return found ? std::string_view(found->words) : std::string_view();
}

void FindMemory::Restore(std::vector<Pick> picks, std::vector<Use> uses, std::vector<RowWords> words) {
    picks_.clear();
    for (Pick& pick : picks) {
        const auto same = [&](const Pick& p) { return p.text == pick.text; };
        if (pick.text.empty() || picks_.size() == kMostPicks || std::any_of(picks_.begin(), picks_.end(), same)) {
            continue;
        }
        picks_.push_back(std::move(pick));
    }
    uses_.clear();
    for (Use& use : uses) {
        const auto at = Find(uses_, use.row);
        if (use.count >= 0 && use.count <= kMostUses && (at == uses_.end() || at->row != use.row)) {
            uses_.insert(at, std::move(use));
        }
    }
    words_.clear();
    for (RowWords& row : words) {
        if (WordsOf(row.row).empty()) SetWords(row.row, std::move(row.words));
    }
}

void FindMemory::ForgetHistory() {
    picks_.clear();
    uses_.clear();
}

}  // namespace kirabo
