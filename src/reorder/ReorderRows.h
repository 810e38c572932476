// What the reorder dialog takes in and hands back: plain data, so that the dialog reads no state of
// the plug-in's and the palette alone decides what an answer means.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "entries/EntryList.h"
#include "host/Screen.h"

namespace kirabo {

struct ReorderRow {
    std::string name;  // Shift-JIS
    std::int32_t kind = kKindFilter;
    bool hidden = false;  // the user hid the row: its check box is clear
    std::string words{};  // the user's own words for finding it, spaces between them
};

struct ReorderResult {
    // The row at each new position, by its position when the dialog opened.
    std::vector<std::size_t> order;
    std::vector<bool> hidden;            // by new position
    std::vector<std::string> words{};    // by position when the dialog opened
    // `first` a new position; none when the order has no groups. Once there is a group, every row
    // belongs to one, the first group starting at the first row.
    std::vector<Group> groups{};
    bool operator==(const ReorderResult&) const = default;
};

// How the dialog closed.
struct ReorderOutcome {
    std::optional<ReorderResult> result;  // at OK
    std::optional<WindowSize> size;       // once the user has sized the dialog
};

}  // namespace kirabo
