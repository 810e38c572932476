// Everything the palette window shows, as one plain value: its scroll bars, the controls of every
// row on screen, the tab strip, the find box with its count and the mark. PaletteCore computes it;
// the window applies it by difference with the one it applied last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entries/EntryList.h"
#include "palette/Geometry.h"
#include "palette/Viewport.h"

namespace kirabo {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

struct RowFrame {
    std::int32_t controlIndex = 0;  // the ids of its controls
    bool checkBox = false;          // or a label: a row that cannot be switched
    std::string text;               // the name, cut after kNameCapBytes
    std::string fullName;           // the whole name when it was cut, shown as a tip; empty otherwise
    Box main;
    const char* buttonText = nullptr;  // 設定 or 表示; nothing: the row has no button
    Box button;
    bool checked = false;
    bool operator==(const RowFrame&) const = default;
};

struct PaletteFrame {
    ScrollBar rowBar, columnBar;
    std::vector<RowFrame> rows;  // on screen, in laid-out order
    bool tabsShown = false;
    Box tabs;
    std::int32_t selectedTab = 0;  // its labels are the geometry's tabCount
    bool findOpen = false;
    Box findBox, findCount;
    std::string countText;
    std::optional<Box> mark;  // behind the marked row's controls
    bool operator==(const PaletteFrame&) const = default;
};

inline constexpr char kSettingsText[] = "\x90\xdd\x92\xe8";  // 設定
inline constexpr char kDisplayText[] = "\x95\x5c\x8e\xa6";   // 表示
inline constexpr char kCountSuffix[] = "\x8c\x8f";           // 件, after the number of matches
inline constexpr char kHiddenCountText[] = "\x81\x45\x94\xf1\x95\x5c\x8e\xa6 ";  // ・非表示, before the hidden matches

// A name as its row shows it: whole up to kNameCapBytes, beyond that cut at a character's end and
// ended with … so that it still takes at most kNameCapBytes.
std::string RowText(std::string_view name);

// The marked laid-out row, when the find box is open and something matches.
struct FindState {
    bool open = false;
    std::optional<std::size_t> mark;
    std::size_t hiddenMatches = 0;  // rows the user hid whose names match: the count says so
};

PaletteFrame ComputeFrame(const PaletteGeometry& geometry, const View& view, const EntryList& entries,
                          const FindState& find, int tabsWidth);

}  // namespace kirabo
