// The palette's find box at 5,000 filters, typed into with the real keyboard.
#include <doctest/doctest.h>

#include "Support.h"
#include "palette/CommandRouting.h"

using namespace kirabo;
using namespace kirabo::test;

TEST_CASE("find at 5,000 filters: typing narrows, the arrows move the mark, Enter and Shift+Enter press it, Esc gives the palette back") {
    Host host;
    REQUIRE(host.Start(TestOptions(emulator::ManyFilters(5000, "filter ", 3))));
    HWND palette = host.paletteWindow();
    host.SendToPalette(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 700), 0);
    RECT window = {};
    GetWindowRect(palette, &window);
    const Capture before = CaptureClient(host, palette);

    host.SendToPalette(WM_COMMAND, KIRABO_CMD_FIND, 0);
    HWND box = GetDlgItem(palette, KIRABO_FIND_BOX);
    REQUIRE(box != nullptr);
    CHECK(GetFocus() == box);
    // A line that scrolls with the text, left-aligned (the edit control draws its border itself).
    CHECK((GetWindowLongA(box, GWL_STYLE) & (ES_CENTER | ES_RIGHT | ES_MULTILINE | ES_AUTOHSCROLL)) == ES_AUTOHSCROLL);
    // The names of the check boxes the palette shows.
    const auto shown = [&] {
        std::vector<std::string> names;
        for (const Child& c : Children(palette)) {
            if (c.className == "Button" && (c.style & BS_TYPEMASK) == BS_CHECKBOX && IsWindowVisible(c.hwnd)) {
                names.push_back(c.text);
            }
        }
        return names;
    };
    TypeKeys({'4', '9', '9', '9'});
    CHECK(shown() == std::vector<std::string>{"filter 4999"});
    CHECK(WindowText(GetDlgItem(palette, KIRABO_FIND_COUNT)) == "1件");
    TypeKeys({VK_BACK});  // 499: 499, 1499, ..., 4499 and 4990 to 4999
    CHECK(WindowText(GetDlgItem(palette, KIRABO_FIND_COUNT)) == "15件");
    RECT after = {};
    GetWindowRect(palette, &after);
    CHECK((after.right - after.left == window.right - window.left && after.bottom - after.top == window.bottom - window.top));

    TypeKeys({VK_DOWN});
    HWND marked = GetDlgItem(palette, static_cast<int>(MainControlId(1499)));
    RECT row = {}, mark = {};
    GetWindowRect(marked, &row);
    GetWindowRect(GetDlgItem(palette, KIRABO_FIND_MARK), &mark);
    CHECK((IsWindowVisible(GetDlgItem(palette, KIRABO_FIND_MARK)) && mark.top < row.top && mark.bottom > row.bottom));
    TypeKeys({VK_RETURN});
    TypeKeys({VK_RETURN}, true);
    CHECK(host.commands == std::vector<UINT>{1000 + 1499, 6000 + 1499});
    CHECK(SendMessageA(marked, BM_GETCHECK, 0, 0) == BST_CHECKED);  // the box follows the host, as after a click
    CHECK(GetFocus() == box);

    TypeKeys({VK_ESCAPE});
    CHECK(GetDlgItem(palette, KIRABO_FIND_BOX) == nullptr);
    CHECK(GetFocus() == palette);
    CHECK(CaptureClient(host, palette) == before);
}

namespace {

HWND g_palette = nullptr;
int g_frames = 0;  // the palette's repaints held back while a frame is applied

LRESULT CALLBACK CountFrames(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == g_palette && message->message == WM_SETREDRAW && message->wParam == FALSE) ++g_frames;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_CASE("keys typed faster than the palette answers are answered once, with the text as it stands") {
    Host host;
    REQUIRE(host.Start(TestOptions(emulator::ManyFilters(5000, "filter ", 3))));
    g_palette = host.paletteWindow();
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_FIND, 0);
    HWND box = GetDlgItem(g_palette, KIRABO_FIND_BOX);
    for (char key : {'4', '3', '2', '1'}) PostMessageA(box, WM_CHAR, static_cast<WPARAM>(key), 1);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountFrames, nullptr, GetCurrentThreadId());
    host.Pump();
    Sleep(50);  // the answer's timer
    host.Pump();
    UnhookWindowsHookEx(hook);
    CHECK(WindowText(GetDlgItem(g_palette, KIRABO_FIND_COUNT)) == "1件");
    CHECK(g_frames == 1);
}
