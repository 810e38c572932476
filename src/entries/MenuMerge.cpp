#include "entries/MenuMerge.h"

#include <deque>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"

namespace kirabo {

std::string_view SuffixlessKey(std::string_view caption) {
    if (caption.size() <= kCaptionSuffixBytes) return {};
    return caption.substr(0, caption.size() - kCaptionSuffixBytes);
}

namespace {

// Names to small integers, in one flat table: thousands of names are looked up without an
// allocation or a pointer chase each.
class NameIndex {
public:
    static constexpr int kMissing = -1;

    int Find(std::string_view name) const {
        if (slots_.empty()) return kMissing;
        const std::size_t hash = std::hash<std::string_view>()(name);
        for (std::size_t slot = hash & Mask();; slot = (slot + 1) & Mask()) {
            const int id = slots_[slot];
            if (id == kMissing) return kMissing;
            if (hashes_[static_cast<std::size_t>(id)] == hash && names_[static_cast<std::size_t>(id)] == name) {
                return id;
            }
        }
    }

    int Add(std::string_view name) {
        const int found = Find(name);
        if (found != kMissing) return found;
        if (2 * (names_.size() + 1) > slots_.size()) Grow();
        const int id = static_cast<int>(names_.size());
        names_.push_back(name);
        hashes_.push_back(std::hash<std::string_view>()(name));
        Place(id);
        return id;
    }

    std::size_t size() const { return names_.size(); }

private:
    std::size_t Mask() const { return slots_.size() - 1; }

    void Place(int id) {
        std::size_t slot = hashes_[static_cast<std::size_t>(id)] & Mask();
        while (slots_[slot] != kMissing) slot = (slot + 1) & Mask();
        slots_[slot] = id;
    }

    void Grow() {
        slots_.assign(slots_.empty() ? 64 : slots_.size() * 2, kMissing);
        for (int id = 0; id < static_cast<int>(names_.size()); ++id) Place(id);
    }

    std::vector<int> slots_;
    std::vector<std::string_view> names_;
    std::vector<std::size_t> hashes_;
};

// The merge keeps the list as a linked list of small nodes while it works, so that an insertion
// after the cursor costs nothing, and finds "the first entry of that name the walk may claim"
// through per-name chains of candidates kept in list order, so that a claim costs nothing either.
// The EntryList is written once at the end, and only then: running out of memory half-way leaves
// it as it was. The outcome is exactly that of searching and inserting in the list step by step.
class Merge {
public:
    explicit Merge(const EntryList& entries) : saved_(entries) {
        nodes_.reserve(entries.count() + 1);
        nodes_.push_back(Node{});  // the place before the first entry: an insertion cursor of -1
        for (std::size_t i = 0; i < entries.count(); ++i) {
            const FilterEntry& entry = entries[i];
            Node node;
            node.nameId = NameId(entry.name);
            node.toggleCommand = entry.toggleCommand;
            node.settingsCommand = entry.settingsCommand;
            node.kind = entry.kind;
            node.source = static_cast<int>(i);
            InsertAfter(nodes_[kBeforeFirst].prev, node);
        }
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
            // The plug-in's own item, wherever the host puts it, is no filter.
            if (caption.empty() || caption == KIRABO_FIND_ITEM_NAME) continue;
            const std::string_view key = position == kToggleMenuPosition ? caption : SuffixlessKey(caption);
            cursor = ClaimOrInsert(key, id, cursor);
        }
    }

    // The removal pass: entries that no item claimed drop out.
    void WriteBack(EntryList& entries) const {
        EntryList merged;
        merged.reserve(nodes_.size() - 1);
        // A group whose first row is gone begins at the next stored row still there, unless that
        // one begins a group of its own: then the group has no row left, and goes. Of two carried
        // to one row, the first stays, as of two stored at one row.
        std::optional<GroupHeading> carried;
        for (int n = nodes_[kBeforeFirst].next; n != kBeforeFirst; n = nodes_[n].next) {
            const Node& node = nodes_[n];
            if (node.toggleCommand == 0 && node.settingsCommand == 0) {
                if (node.source >= 0 && saved_[static_cast<std::size_t>(node.source)].group && !carried) {
                    carried = saved_[static_cast<std::size_t>(node.source)].group;
                }
                continue;
            }
            FilterEntry entry;
            if (node.source >= 0) {
                entry = saved_[static_cast<std::size_t>(node.source)];
                if (!entry.group) entry.group = std::move(carried);
                carried.reset();
            } else {
                entry.name = newNames_[static_cast<std::size_t>(-node.source - 1)];
                entry.kind = node.kind;
            }
            entry.toggleCommand = node.toggleCommand;
            entry.settingsCommand = node.settingsCommand;
            merged.append(std::move(entry));
        }
        entries = std::move(merged);
    }

private:
    static constexpr int kBeforeFirst = 0;
    static constexpr int kNone = -1;

    struct Node {
        int prev = kBeforeFirst;
        int next = kBeforeFirst;
        int nextCandidate = kNone;  // the next entry of the same name this walk may claim
        int nameId = kNone;
        std::uint32_t toggleCommand = 0;
        std::uint32_t settingsCommand = 0;
        std::int32_t kind = kKindFilter;
        int source = 0;  // 0 or more: a saved entry; below 0: -1 - the index of a new name
    };

    // The entries of one name that this walk may still claim, in list order.
    struct Candidates {
        int first = kNone;
        int last = kNone;
    };

    std::uint32_t& Field(Node& node) const {
        return position_ == kToggleMenuPosition ? node.toggleCommand : node.settingsCommand;
    }

    bool Claimable(Node& node) const {
        if (Field(node) != 0) return false;
        if (position_ == kToggleMenuPosition) return node.kind == kKindFilter;
        if (position_ == kDisplayMenuPosition) return node.kind == kKindDisplayTool;
        return true;
    }

    int NameId(std::string_view name) { return nameIds_.Add(name); }

    int InsertAfter(int at, Node node) {
        const int n = static_cast<int>(nodes_.size());
        node.prev = at;
        node.next = nodes_[at].next;
        nodes_.push_back(node);
        nodes_[nodes_[n].next].prev = n;
        nodes_[at].next = n;
        return n;
    }

    void AddCandidate(Candidates& names, int n) {
        nodes_[n].nextCandidate = kNone;
        if (names.last == kNone) {
            names.first = n;
        } else {
            nodes_[names.last].nextCandidate = n;
        }
        names.last = n;
    }

    void IndexCandidates() {
        candidates_.assign(nameIds_.size(), Candidates{});
        for (int n = nodes_[kBeforeFirst].next; n != kBeforeFirst; n = nodes_[n].next) {
            if (Claimable(nodes_[n])) AddCandidate(candidates_[static_cast<std::size_t>(nodes_[n].nameId)], n);
        }
    }

    // Rebuilds one name's candidates in list order; needed only when a new entry can itself be
    // claimed, which takes an item whose id is 0.
    void ReindexName(int nameId) {
        candidates_.resize(nameIds_.size());
        Candidates& names = candidates_[static_cast<std::size_t>(nameId)];
        names = Candidates{};
        for (int n = nodes_[kBeforeFirst].next; n != kBeforeFirst; n = nodes_[n].next) {
            if (nodes_[n].nameId == nameId && Claimable(nodes_[n])) AddCandidate(names, n);
        }
    }

    int ClaimOrInsert(std::string_view key, std::uint32_t id, int cursor) {
        const int known = nameIds_.Find(key);
        if (known != NameIndex::kMissing && static_cast<std::size_t>(known) < candidates_.size()) {
            Candidates& names = candidates_[static_cast<std::size_t>(known)];
            if (names.first != kNone) {
                const int claimed = names.first;
                Field(nodes_[claimed]) = id;
                if (id != 0) {
                    names.first = nodes_[claimed].nextCandidate;
                    if (names.first == kNone) names.last = kNone;
                }
                return claimed;
            }
        }
        newNames_.emplace_back(key);
        Node node;
        node.nameId = NameId(newNames_.back());
        node.kind = position_ == kDisplayMenuPosition ? kKindDisplayTool : kKindFilter;
        node.source = -static_cast<int>(newNames_.size());
        Field(node) = id;
        const int inserted = InsertAfter(cursor, node);
        if (id == 0) ReindexName(node.nameId);
        return inserted;
    }

    const EntryList& saved_;
    std::vector<Node> nodes_;
    std::deque<std::string> newNames_;  // a deque keeps the names the index points into in place
    NameIndex nameIds_;
    std::vector<Candidates> candidates_;  // by name id
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
