// What a key pressed in the reorder dialog's list means. The list's own keys (arrows, Home, End,
// Ctrl+arrows, type-to-find) keep their meaning; these come first.
#pragma once

#include <cstdint>
#include <vector>

#include "reorder/Arrangement.h"

namespace kirabo {

// The virtual-key codes and characters the list looks at, as Windows numbers them.
inline constexpr std::uint32_t kKeyReturn = 0x0D;
inline constexpr std::uint32_t kKeyEscape = 0x1B;
inline constexpr std::uint32_t kKeySpace = 0x20;
inline constexpr std::uint32_t kKeyEnd = 0x23;
inline constexpr std::uint32_t kKeyHome = 0x24;
inline constexpr std::uint32_t kKeyUp = 0x26;
inline constexpr std::uint32_t kKeyDown = 0x28;
inline constexpr std::uint32_t kKeyA = 'A';
inline constexpr std::uint32_t kCharCtrlA = 1;  // the character Ctrl+A types
inline constexpr std::uint32_t kCharSpace = ' ';

enum class KeyMessage : std::uint8_t {
    KeyDown,
    SysKeyDown,  // a key pressed with Alt held
    Char,
};

struct KeyPress {
    KeyMessage message = KeyMessage::KeyDown;
    std::uint32_t key = 0;  // the virtual key, or the character of a Char
    bool ctrl = false;
};

enum class KeyAction : std::uint8_t {
    PassOn,        // the list's own handling
    MoveRows,      // the selected rows move by `move`
    ToggleChecks,  // Space: see SpaceChecks
    SelectAll,
    Swallow,       // the character of a key handled at the key itself
};

struct KeyMeaning {
    KeyAction action = KeyAction::PassOn;
    MoveKind move = MoveKind::Up;  // MoveRows only
    bool operator==(const KeyMeaning&) const = default;
};

KeyMeaning MeaningOfKey(KeyPress press);

struct CheckChange {
    std::vector<int> positions;
    bool checked = false;
    bool operator==(const CheckChange&) const = default;
};

// Space: the focused row and every selected row take the opposite of the focused row's check box;
// with no focused row, the selected rows take the opposite of the first one's. `checked` holds each
// position's box.
CheckChange SpaceChecks(int focused, const std::vector<int>& selected, const std::vector<bool>& checked);

}  // namespace kirabo
