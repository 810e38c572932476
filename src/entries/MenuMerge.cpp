#include "entries/MenuMerge.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace kirabo {

std::string_view SuffixlessKey(std::string_view caption) {
    if (caption.size() <= kCaptionSuffixBytes) return {};
    return caption.substr(0, caption.size() - kCaptionSuffixBytes);
}

namespace {

// The merge keeps the list as a linked list while it works, so that an insertion after the cursor
// costs nothing, and looks names up through an index of the entries each walk may claim, kept in
// list order, so that "the first entry of that name" costs nothing either. The EntryList is
// written once at the end. The outcome is exactly that of searching and inserting in the list.
class Merge {
public:
    // Works on a copy, so that running out of memory half-way leaves the list as it was.
    explicit Merge(const EntryList& entries) {
        nodes_.reserve(entries.count() + 1);
        nodes_.push_back(Node{});  // the place before the first entry: an insertion cursor of -1
        for (const FilterEntry& entry : entries) InsertAfter(nodes_[kBeforeFirst].prev, FilterEntry(entry));
    }

    void Walk(MenuReader& menus, int position) {
        if (!menus.HasMenu(position)) return;
        position_ = position;
        IndexCandidates();
        int separators = 0;
        int cursor = nodes_[kBeforeFirst].prev;  // the last entry, or the place before the first
        for (int item = 0; item < menus.ItemCount(position); ++item) {
            const std::uint32_t id = menus.ItemId(position, item);
            if (id == 0) ++separators;
            if (separators == 2) break;
            if (position == kDisplayMenuPosition && separators == 0) continue;
            const std::string_view caption = menus.Caption(position, id);
            if (caption.empty()) continue;
            const std::string_view key =
                position == kToggleMenuPosition ? caption : SuffixlessKey(caption);
            cursor = ClaimOrInsert(key, id, cursor);
        }
    }

    // The removal pass: entries that no item claimed drop out.
    void WriteBack(EntryList& entries) {
        EntryList merged;
        for (int n = nodes_[kBeforeFirst].next; n != kBeforeFirst; n = nodes_[n].next) {
            FilterEntry& entry = nodes_[n].entry;
            if (entry.toggleCommand == 0 && entry.settingsCommand == 0) continue;
            merged.append(std::move(entry));
        }
        entries = std::move(merged);
    }

private:
    static constexpr int kBeforeFirst = 0;

    struct Node {
        FilterEntry entry;
        int prev = kBeforeFirst;
        int next = kBeforeFirst;
    };

    struct Candidates {
        std::vector<int> nodes;  // in list order
        std::size_t first = 0;   // those before it have been claimed
    };

    std::uint32_t& Field(FilterEntry& entry) const {
        return position_ == kToggleMenuPosition ? entry.toggleCommand : entry.settingsCommand;
    }

    bool Claimable(FilterEntry& entry) const {
        if (Field(entry) != 0) return false;
        if (position_ == kToggleMenuPosition) return entry.kind == kKindFilter;
        if (position_ == kDisplayMenuPosition) return entry.kind == kKindDisplayTool;
        return true;
    }

    int InsertAfter(int at, FilterEntry&& entry) {
        const int n = static_cast<int>(nodes_.size());
        const int after = nodes_[at].next;
        nodes_.push_back(Node{std::move(entry), at, after});
        nodes_[at].next = n;
        nodes_[after].prev = n;
        return n;
    }

    void IndexCandidates() {
        candidates_.clear();
        for (int n = nodes_[kBeforeFirst].next; n != kBeforeFirst; n = nodes_[n].next) {
            if (Claimable(nodes_[n].entry)) candidates_[nodes_[n].entry.name].nodes.push_back(n);
        }
    }

    // Rebuilds one name's candidates in list order; needed only when a new entry can itself be
    // claimed, which takes an item whose id is 0.
    void ReindexName(const std::string& name) {
        Candidates& found = candidates_[name];
        found = Candidates{};
        for (int n = nodes_[kBeforeFirst].next; n != kBeforeFirst; n = nodes_[n].next) {
            if (nodes_[n].entry.name == name && Claimable(nodes_[n].entry)) found.nodes.push_back(n);
        }
    }

    int ClaimOrInsert(std::string_view key, std::uint32_t id, int cursor) {
        const auto found = candidates_.find(std::string(key));
        if (found != candidates_.end() && found->second.first < found->second.nodes.size()) {
            Candidates& names = found->second;
            const int claimed = names.nodes[names.first];
            Field(nodes_[claimed].entry) = id;
            if (id != 0) ++names.first;
            return claimed;
        }
        FilterEntry entry;
        entry.name = std::string(key);
        entry.kind = position_ == kDisplayMenuPosition ? kKindDisplayTool : kKindFilter;
        Field(entry) = id;
        const int inserted = InsertAfter(cursor, std::move(entry));
        if (id == 0) ReindexName(nodes_[inserted].entry.name);
        return inserted;
    }

    std::vector<Node> nodes_;
    std::unordered_map<std::string, Candidates> candidates_;
    int position_ = kToggleMenuPosition;
};

}  // namespace

void MergeHostMenus(MenuReader& menus, EntryList& entries) {
    Merge merge(entries);
    merge.Walk(menus, kToggleMenuPosition);
    merge.Walk(menus, kSettingsMenuPosition);
    merge.Walk(menus, kDisplayMenuPosition);
    merge.WriteBack(entries);
}

}  // namespace kirabo
