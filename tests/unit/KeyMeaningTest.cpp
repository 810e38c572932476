#include <gtest/gtest.h>

#include "reorder/KeyMeaning.h"

namespace kirabo {
namespace {

TEST(KeyMeaning, EachKeyInTheListMeansWhatTheGuideSays) {
    constexpr KeyMessage kDown = KeyMessage::KeyDown, kAlt = KeyMessage::SysKeyDown, kChar = KeyMessage::Char;
    const KeyMeaning pass{}, toggle{KeyAction::ToggleChecks}, all{KeyAction::SelectAll}, swallow{KeyAction::Swallow};
    struct Case {
        const char* what;
        KeyPress press;
        KeyMeaning expected;
    };
    const Case cases[] = {
        {"Alt+Up", {kAlt, kKeyUp}, {KeyAction::MoveRows, MoveKind::Up}},
        {"Alt+Down", {kAlt, kKeyDown}, {KeyAction::MoveRows, MoveKind::Down}},
        {"Alt+Home", {kAlt, kKeyHome}, {KeyAction::MoveRows, MoveKind::ToTop}},
        {"Alt+End", {kAlt, kKeyEnd}, {KeyAction::MoveRows, MoveKind::ToBottom}},
        {"Alt+Space stays the system menu's", {kAlt, kKeySpace}, pass},
        {"Up without Alt moves the focus, as in any list", {kDown, kKeyUp}, pass},
        {"Space", {kDown, kKeySpace}, toggle},
        {"Ctrl+A", {kDown, kKeyA, true}, all},
        {"A alone finds a row by its name", {kDown, kKeyA}, pass},
        {"the space Space types", {kChar, kCharSpace}, swallow},
        {"the character Ctrl+A types", {kChar, kCharCtrlA}, swallow},
        {"a letter typed", {kChar, 'a'}, pass},
    };
    for (const Case& c : cases) EXPECT_EQ(MeaningOfKey(c.press), c.expected) << c.what;
}

TEST(KeyMeaning, SpaceFlipsTheFocusedAndTheSelectedRowsTogether) {
    // Rows 0 to 3; row 1's box unchecked.
    const std::vector<bool> checked = {true, false, true, true};
    struct Case {
        const char* what;
        int focused;
        std::vector<int> selected;
        CheckChange expected;
    };
    const Case cases[] = {
        {"the focused row alone, not selected", 1, {}, {{1}, true}},
        {"the focused row and the selection take its opposite", 2, {0, 3}, {{0, 2, 3}, false}},
        {"a focused row among the selected ones counts once", 1, {1, 2}, {{1, 2}, true}},
        {"no focused row: the first selected row leads", -1, {1, 3}, {{1, 3}, true}},
        {"neither: nothing", -1, {}, {{}, false}},
        {"a focus past the rows is no focus", 9, {0}, {{0}, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(SpaceChecks(c.focused, c.selected, checked), c.expected) << c.what;
}

}  // namespace
}  // namespace kirabo
