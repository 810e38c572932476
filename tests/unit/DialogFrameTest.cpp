#include <gtest/gtest.h>

#include "reorder/DialogFrame.h"

namespace kirabo {
namespace {

TEST(DialogFrame, TheListTakesTheRoomAndTheButtonsKeepTheBottomRight) {
    // The template's client area, 480 x 280, and its controls.
    const DialogControls opened{{11, 31, 466, 229}, {287, 247, 374, 270}, {380, 247, 467, 270}};
    struct Case {
        const char* what;
        DialogSize client;
        DialogControls expected;
    };
    const Case cases[] = {
        {"as opened", {480, 280}, opened},
        {"200 wider and 300 taller", {680, 580}, {{11, 31, 666, 529}, {487, 547, 574, 570}, {580, 547, 667, 570}}},
        {"smaller than the template: as opened", {300, 100}, opened},
    };
    for (const Case& c : cases) EXPECT_EQ(ResizeControls(opened, {480, 280}, c.client), c.expected) << c.what;
}

TEST(DialogFrame, TheDialogOpensAtTheStoredSizeWithinTheWorkAreaNeverSmallerThanTheTemplate) {
    const ScreenRect opened{300, 100, 786, 406};  // the template's 486 x 306 at the palette's corner
    const ScreenRect work{0, 0, 1024, 768};
    struct Case {
        const char* what;
        std::optional<DialogSize> stored;
        ScreenRect work;
        ScreenRect expected;
    };
    const Case cases[] = {
        {"never sized: as the template", std::nullopt, work, opened},
        {"a stored size, moved left and up to fit", DialogSize{800, 700}, work, {224, 68, 1024, 768}},
        {"a tiny stored size: the template's", DialogSize{10, 10}, work, opened},
        {"larger than the screen: the work area", DialogSize{5000, 5000}, work, {0, 0, 1024, 768}},
        {"a work area smaller than the template: the template's size, at its top left", std::nullopt,
         {0, 0, 400, 300}, {0, 0, 486, 306}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceDialog(opened, c.stored, c.work), c.expected) << c.what;
}

}  // namespace
}  // namespace kirabo
