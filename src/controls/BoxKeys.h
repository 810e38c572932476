// The keys a find box answers itself, in both windows, beyond what the edit control does: Ctrl+A
// selects the whole text, Ctrl+Backspace deletes the word before the caret. The box holds its text
// in UTF-16, so that its caret counts characters on every system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kirabo {

enum class BoxEdit : std::uint8_t { None, SelectAll, DeleteWord };
BoxEdit BoxEditOf(std::uint32_t virtualKey, bool ctrl);

// Whether a character typed reaches the edit control: a printable one, Backspace's, and those of
// its own Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z. The others come from keys answered at their press
// (Ctrl+A, Ctrl+Backspace, Enter, Esc, a key handed to the host), which would type a box or beep.
bool TypesIntoBox(std::uint32_t character);

// The characters Ctrl+Backspace deletes, [from, to): a selection as it is; else back from the caret
// over the spaces, half or full width, then over the word before them.
struct TextSpan {
    std::size_t from = 0, to = 0;
    bool operator==(const TextSpan&) const = default;
};
TextSpan WordBefore(std::u16string_view text, std::size_t selectionStart, std::size_t selectionEnd);

}  // namespace kirabo
