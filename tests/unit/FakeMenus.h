// Host menus for the merge's tests, and the merge written out step by step as the behaviour is
// described, to check the fast merge against.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "entries/MenuMerge.h"

namespace kirabo::test {

struct FakeItem {
    std::uint32_t id;
    std::string caption;
};

inline constexpr std::uint32_t kSubmenuId = 0xFFFFFFFF;

inline FakeItem Bar() { return {0, ""}; }

// Captions are found by command id, the first item with that id winning, and cut like the real
// read: at most 254 bytes.
class FakeMenus final : public MenuReader {
public:
    std::map<int, std::vector<FakeItem>> menus;
    int countQueries = 0;

    bool HasMenu(int position) override { return menus.count(position) != 0; }
    int ItemCount(int position) override {
        ++countQueries;
        return static_cast<int>(menus[position].size());
    }
    std::uint32_t ItemId(int position, int item) override { return menus[position][static_cast<std::size_t>(item)].id; }
    std::string_view Caption(int position, std::uint32_t id) override {
        for (const FakeItem& item : menus[position]) {
            if (item.id == id) {
                read_ = item.caption.substr(0, kCaptionLimit - 1);
                return read_;
            }
        }
        return {};
    }

private:
    std::string read_;
};

// Every step as the behaviour describes it: a linear search per item, an insertion in the array.
inline void LiteralMerge(MenuReader& menus, EntryList& list) {
    std::vector<FilterEntry> entries(list.begin(), list.end());
    for (int position : {kToggleMenuPosition, kSettingsMenuPosition, kDisplayMenuPosition}) {
        if (!menus.HasMenu(position)) continue;
        int separators = 0;
        long cursor = static_cast<long>(entries.size()) - 1;
        for (int p = 0; p < menus.ItemCount(position); ++p) {
            const std::uint32_t id = menus.ItemId(position, p);
            if (id == 0) ++separators;
            if (separators == 2) break;
            if (position == kDisplayMenuPosition && separators == 0) continue;
            const std::string_view caption = menus.Caption(position, id);
            if (caption.empty()) continue;
            const std::string key(position == kToggleMenuPosition ? caption : SuffixlessKey(caption));
            bool claimed = false;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                FilterEntry& e = entries[i];
                if (e.name != key) continue;
                if (position == kToggleMenuPosition && (e.toggleCommand != 0 || e.kind != 1)) continue;
                if (position == kSettingsMenuPosition && e.settingsCommand != 0) continue;
                if (position == kDisplayMenuPosition && (e.settingsCommand != 0 || e.kind != 0)) continue;
                (position == kToggleMenuPosition ? e.toggleCommand : e.settingsCommand) = id;
                cursor = static_cast<long>(i);
                claimed = true;
                break;
            }
            if (claimed) continue;
            FilterEntry e;
            e.name = key;
            e.kind = position == kDisplayMenuPosition ? 0 : 1;
            (position == kToggleMenuPosition ? e.toggleCommand : e.settingsCommand) = id;
            entries.insert(entries.begin() + (cursor + 1), e);
            ++cursor;
        }
    }
    list = EntryList();
    for (FilterEntry& e : entries) {
        if (e.toggleCommand != 0 || e.settingsCommand != 0) list.append(std::move(e));
    }
}

}  // namespace kirabo::test
