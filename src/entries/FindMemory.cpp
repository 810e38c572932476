#include "entries/FindMemory.h"

#include <algorithm>
#include <cmath>

namespace kirabo {
namespace {

std::string KeyOf(const EntryKey& row) { return std::to_string(row.kind) + ':' + row.name; }

}  // namespace

void FindMemory::Picked(std::string text, const EntryKey& row) {
    const auto same = std::find_if(picks_.begin(), picks_.end(), [&](const Pick& p) { return p.text == text; });
    if (same != picks_.end()) picks_.erase(same);
    picks_.insert(picks_.begin(), Pick{std::move(text), row});
    if (picks_.size() > kMostPicks) picks_.resize(kMostPicks);
}

const EntryKey* FindMemory::PickFor(std::string_view text) const {
    if (text.empty()) return picks_.empty() ? nullptr : &picks_.front().row;
    const Pick* longest = nullptr;
    for (const Pick& pick : picks_) {
        if (!pick.text.empty() && text.starts_with(pick.text) &&
            (!longest || pick.text.size() > longest->text.size())) {
            longest = &pick;
        }
    }
    return longest ? &longest->row : nullptr;
}

namespace {

double Aged(const Use& use, std::int32_t day) {
    const double days = std::max(day - use.day, 0);
    return use.count * std::exp2(-days / kUseHalfLifeDays);
}

}  // namespace

void FindMemory::Used(const EntryKey& row, std::int32_t day) {
    const auto [at, added] = useOf_.try_emplace(KeyOf(row), uses_.size());
    if (added) uses_.push_back({row, 0, day});
    Use& use = uses_[at->second];
    use.count = Aged(use, day) + 1;
    use.day = std::max(use.day, day);
}

double FindMemory::UseOf(const EntryKey& row, std::int32_t day) const {
    const auto at = useOf_.find(KeyOf(row));
    return at == useOf_.end() ? 0 : Aged(uses_[at->second], day);
}

void FindMemory::SetWords(const EntryKey& row, std::string words) {
    const std::string key = KeyOf(row);
    const auto at = wordsOf_.find(key);
    if (at != wordsOf_.end() && !words.empty()) {
        words_[at->second].words = std::move(words);
    } else if (at != wordsOf_.end()) {
        words_.erase(words_.begin() + static_cast<std::ptrdiff_t>(at->second));
        wordsOf_.clear();
        for (std::size_t i = 0; i < words_.size(); ++i) wordsOf_[KeyOf(words_[i].row)] = i;
    } else if (!words.empty()) {
        wordsOf_[key] = words_.size();
        words_.push_back({row, std::move(words)});
    }
}

const std::string& FindMemory::WordsOf(const EntryKey& row) const {
    static const std::string none;
    const auto at = wordsOf_.find(KeyOf(row));
    return at == wordsOf_.end() ? none : words_[at->second].words;
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
    useOf_.clear();
    for (Use& use : uses) {
        if (!(use.count >= 0 && use.count <= kMostUses) || !useOf_.try_emplace(KeyOf(use.row), uses_.size()).second) {
            continue;
        }
        uses_.push_back(std::move(use));
    }
    words_.clear();
    wordsOf_.clear();
    for (RowWords& row : words) {
        if (WordsOf(row.row).empty()) SetWords(row.row, std::move(row.words));
    }
}

void FindMemory::ForgetHistory() {
    picks_.clear();
    uses_.clear();
    useOf_.clear();
}

}  // namespace kirabo
