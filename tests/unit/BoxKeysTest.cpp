#include <gtest/gtest.h>

#include "controls/BoxKeys.h"
#include "controls/ControlFacts.h"

namespace kirabo {

TEST(BoxKeys, CtrlBackspaceDeletesTheWordBeforeTheCaretOrTheSelection) {
    struct Case {
        const char* what;
        std::u16string text;
        std::size_t start, end;
        TextSpan deleted;
    };
    // clang-format off
    const Case cases[] = {
        {"the last word",                        u"iro hosei",     9,   9,   {4, 9}},
        {"the spaces before the caret with it",  u"iro hosei  ",   11,  11,  {4, 11}},
        {"a full-width space parts words",       u"ぼかし\u3000ブラー",  7,   7,   {4, 7}},
        {"at the start: nothing",                u"blur",          0,   0,   {0, 0}},
        {"a selection goes as it is",            u"iro hosei",     1,   5,   {1, 5}},
        {"a caret past the text stays in it",    u"blur",          9,   9,   {0, 4}},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(WordBefore(c.text, c.start, c.end), c.deleted) << c.what;
}

TEST(BoxKeys, OnlyTheCharactersTheEditControlUsesReachIt) {
    for (std::uint32_t typed : {std::uint32_t{'a'}, 0x08u, 0x03u, 0x16u})  // a letter, Backspace, copy, paste
        EXPECT_TRUE(TypesIntoBox(typed)) << typed;
    for (std::uint32_t typed : {kCharCtrlA, kCharCtrlBackspace, 0x06u, kCharReturn})  // Ctrl+A, Ctrl+F, Enter
        EXPECT_FALSE(TypesIntoBox(typed)) << typed;
}

}  // namespace kirabo
