#include "controls/BoxKeys.h"

#include <algorithm>

#include "controls/ControlFacts.h"

namespace kirabo {

BoxEdit BoxEditOf(std::uint32_t virtualKey, bool ctrl) {
    if (!ctrl) return BoxEdit::None;
    if (virtualKey == kKeyA) return BoxEdit::SelectAll;
    if (virtualKey == kKeyBack) return BoxEdit::DeleteWord;
    return BoxEdit::None;
}

bool TypesIntoBox(std::uint32_t character) {
    constexpr std::uint32_t kCharBack = 0x08, kCharCopy = 0x03, kCharPaste = 0x16, kCharCut = 0x18;
    if (character == kCharCtrlBackspace) return false;
    return character >= kCharSpace || character == kCharBack || character == kCharCopy || character == kCharPaste ||
           character == kCharCut || character == kCharCtrlZ;
}

TextSpan WordBefore(std::u16string_view text, std::size_t selectionStart, std::size_t selectionEnd) {
    const std::size_t to = std::min(selectionEnd, text.size());
    std::size_t from = std::min(selectionStart, to);
    if (from < to) return {from, to};
    const auto space = [&](std::size_t at) { return text[at] == u' ' || text[at] == u'\u3000'; };
    while (from > 0 && space(from - 1)) --from;
    while (from > 0 && !space(from - 1)) --from;
    return {from, to};
}

}  // namespace kirabo
