// The host's menu bar as the emulator builds it: given in code by tests, or as a text file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kirabo::emulator {

struct MenuItemText {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    UINT id = 0;
    std::string caption;  // Shift-JIS bytes, exactly as the host's menu holds them
    bool checked = false;
};

struct MenuText {
    std::string title;  // Shift-JIS
    bool popup = true;  // false: a plain command in the bar, so no menu at this position
    std::vector<MenuItemText> items;
};

// Position i of the vector is position i of the menu bar.
using MenuBarText = std::vector<MenuText>;

inline constexpr int kToggleMenu = 1;
inline constexpr int kSettingsMenu = 2;
inline constexpr int kDisplayMenu = 5;

MenuItemText Item(UINT id, std::string caption, bool checked = false);
MenuItemText Separator();
MenuItemText Submenu(std::string caption);

// A host with a handful of filters and display tools, in Japanese, as a user would see it.
MenuBarText DefaultMenus();

// A menu bar with empty pop-ups up to the display menu, for a caller to fill.
MenuBarText EmptyMenus();

// A host with `count` filters named prefix + 0, 1, 2, ...: toggle items with ids from 1000 (every
// `checkedEvery`-th checked, the first included) and "...の設定" items with ids from 3000, or
// from 1000 + count when there are more than 2,000.
MenuBarText ManyFilters(int count, const std::string& prefix, int checkedEvery);

// Ids from here up are the emulator's own: the plain commands of positions without a menu and
// the item that shows the plug-in's window.
inline constexpr UINT kFirstEmulatorId = 60000;
inline constexpr UINT kPaletteItemId = 65000;
inline constexpr UINT kFirstPluginItemId = 64000;  // the items plug-ins add, in order

// The text format of --menus (UTF-8, a byte-order mark allowed):
//   menu <position> <title>        starts the pop-up at that position of the menu bar
//   item <id> <caption>            a command item; "item*" for one with a check mark
//   separator
//   submenu <caption>              an item that opens an (empty) submenu
// '#' at the start of a line or after white space begins a comment. Positions left out hold a
// plain command, so the bar has no menu there. A file the host could not use (a word it does not
// know, an id or a position given twice, no filter or display tool at all) gives an error with
// its line (0 when it is about the whole file).
struct MenuFileError {
    int line = 0;
    std::string what;
};
bool ParseMenuBar(std::string text, MenuBarText& menus, MenuFileError& error);

HMENU BuildMenuBar(const MenuBarText& menus);

std::string Utf8ToShiftJis(const std::string& utf8);
std::string ShiftJisToUtf8(const std::string& sjis);

}  // namespace kirabo::emulator
