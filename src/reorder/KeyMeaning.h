// What a key pressed in the reorder dialog's list means. The list's own keys (arrows, Home, End,
// Ctrl+arrows, type-to-find) keep their meaning; these come first. Alt+F is the dialog's, the
// mnemonic of the find box's label.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/ControlFacts.h"
#include "reorder/Arrangement.h"

namespace kirabo {

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
    FindText,      // the keyboard to the find box, its text selected, from any of the dialog's controls
    EditInPlace,   // F2: the focused row's own words, or the focused heading's name, edited in place
    MakeGroup,     // Ctrl+G: a heading before the focused row, its name edited in place
    RemoveGroups,  // Delete: the selected headings
    Undo,          // Ctrl+Z
    Redo,          // Ctrl+Y
    Swallow,       // the character of a key handled at the key itself
};

struct KeyMeaning {
    KeyAction action = KeyAction::PassOn;
    MoveKind move = MoveKind::Up;  // MoveRows only
    // The window's default handling sees the key too, though it is carried out here: a key pressed
    // with Alt that it never saw makes the Alt let go after it count as Alt pressed alone, the key
    // into the system menu, which would then take the next keys.
    bool defaultSeesIt = false;
    bool operator==(const KeyMeaning&) const = default;
};

KeyMeaning MeaningOfKey(KeyPress press);

// Space: the focused row and every selected row take the opposite of the focused row's check box;
// with no focused row, or a heading focused, the selected rows take the opposite of the first one's.
// A heading has no box: it is left out. A click on a box is Space on its row alone.
CheckChange SpaceChecks(int focused, const std::vector<int>& selected, const Arrangement& list);

}  // namespace kirabo
