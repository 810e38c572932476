// Everything the palette window shows, as one plain value: where the window stands and how large,
// whether the user may size it, its scroll bars, the controls of every row on screen, the tab strip
// with its labels, the find box with its count and the mark. PaletteCore computes it; the window
// applies it by difference with the one it applied last, and computes nothing itself.
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

struct RowFrame {
    std::int32_t controlIndex = 0;  // the ids of its controls
    bool heading = false;           // a group's name, which is no row: a label alone
    std::size_t groupRow = 0;       // a heading's: the position of its group's first row
    bool checkBox = false;          // or a label: a row that cannot be switched
    std::string text;               // the name, cut after kNameCapBytes
    std::string fullName;           // the whole name when it was cut, shown as a tip; empty otherwise
    Rect main;
    const char* buttonText = nullptr;  // 設定 or 表示; nothing: the row has no button
    Rect button;
    bool checked = false;
    bool operator==(const RowFrame&) const = default;
};

struct PaletteFrame {
    Rect window;
    bool sizable = false;
    Rect client;  // the client area the window has then, from 0,0
    ScrollBar rowBar, columnBar;
    std::vector<RowFrame> rows;  // on screen, in laid-out order
    bool tabsShown = false;
    Rect tabs;
    std::vector<std::string> tabLabels;
    std::int32_t selectedTab = 0;
    bool findOpen = false;
    Rect findBox, findCount;
    std::string countText;
    std::optional<Rect> mark;  // behind the marked row's controls
    bool operator==(const PaletteFrame&) const = default;
};

inline constexpr char kSettingsText[] = "\x90\xdd\x92\xe8";  // 設定
inline constexpr char kDisplayText[] = "\x95\x5c\x8e\xa6";   // 表示
// Before a group's name in its heading: a click folds an open group and opens a folded one.
inline constexpr char kOpenMark[] = "\x81\x7c ";    // －
inline constexpr char kFoldedMark[] = "\x81\x7b ";  // ＋

// A name as its row shows it: whole up to kNameCapBytes, beyond that cut at a character's end and
// ended with … so that it still takes at most kNameCapBytes.
std::string RowText(std::string_view name);

// The tab strip's labels in tab mode: the user's groups' names, or without groups 1列目, 2列目, ...;
// none side by side.
std::vector<std::string> TabLabels(const PaletteGeometry& geometry, const EntryList& entries);

// The marked laid-out row, when the find box is open and something matches.
struct FindState {
    bool open = false;
    std::optional<std::size_t> mark;
    std::size_t hiddenMatches = 0;  // rows the user hid whose names match: the count says so
};

// The frame of the client area (the window's place is the caller's); tabsWidth: the tabs on one line.
PaletteFrame ComputeFrame(const PaletteGeometry& geometry, const View& view, const EntryList& entries,
                          const FindState& find, int tabsWidth);

}  // namespace kirabo
