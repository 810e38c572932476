// The palette's find box at 5,000 filters, typed into with the real keyboard.
#include <windows.h>
#include <doctest/doctest.h>
#include <imm.h>

#include <algorithm>
#include <functional>

#include "Support.h"
#include "entries/NameMatch.h"
#include "palette/CommandRouting.h"
#include "palette/Geometry.h"

using namespace kirabo;
using namespace kirabo::test;

TEST_CASE(
    "find at 5,000 filters from the host's keyboard: its key, romaji, the box's keys, Ctrl+Enter, the arrows, Enter and Esc give the keyboard back") {
    MenuBarText menus = emulator::ManyFilters(5000, "filter ", 3);
    menus[emulator::kToggleMenu].items.push_back(Item(11001, "モーションブラー"));
    menus[emulator::kToggleMenu].items.push_back(Item(11002, "ブラーマスク"));
    menus[emulator::kToggleMenu].items.push_back(Item(11003, "ブラー"));
    HostOptions options = TestOptions(menus);
    options.itemKey = 'F';  // the key the user gave the plug-in's item in the host's settings
    options.itemKeyFlags = host::kMenuItemCtrl;
    Host host;
    REQUIRE(host.Start(options));
    HWND palette = host.paletteWindow();
    host.SendToPalette(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 700), 0);
    RECT window = {};
    GetWindowRect(palette, &window);
    const Capture before = CaptureClient(host, palette);

    SetForegroundWindow(host.mainWindow());  // the user works in the host, the mouse untouched
    ShowWindow(palette, SW_HIDE);            // the palette closed: the key shows it
    HIMC hostInput = ImmGetContext(host.mainWindow());
    ImmSetOpenStatus(hostInput, TRUE);  // the user types kana in the host
    TypeKeys({'F'}, VK_CONTROL);
    CHECK(IsWindowVisible(palette));
    HWND box = GetDlgItem(palette, KIRABO_FIND_BOX);
    REQUIRE(box != nullptr);
    CHECK(GetFocus() == box);
    CHECK_FALSE(ImmGetOpenStatus(ImmGetContext(box)));  // romaji in the box, kana in the host still
    CHECK(ImmGetOpenStatus(hostInput));
    TypeKeys({'M', 'O', VK_SPACE, 'B', 'U', 'R', 'A', VK_BACK});
    TypeKeys({VK_BACK}, VK_CONTROL);  // the word before the caret, no character typed
    CHECK(WindowText(box) == "mo ");
    TypeKeys({'A'}, VK_CONTROL, {'B', 'U', 'R', 'A'});  // in place of all of it
    CHECK(WindowText(GetDlgItem(palette, KIRABO_FIND_COUNT)) == "3件");
    TypeKeys({VK_RETURN}, VK_CONTROL);
    CHECK(host.commands == std::vector<UINT>{11003});  // ブラー, not モーションブラー or ブラーマスク before it
    CHECK(GetFocus() == box);                          // kept for the next row
    TypeKeys({'F'}, VK_CONTROL);                       // the find key in the box: its text selected, not typed into
    CHECK(WindowText(box) == "bura");
    CHECK(SendMessageA(box, EM_GETSEL, 0, 0) == MAKELRESULT(0, 4));
    SetForegroundWindow(host.mainWindow());
    TypeKeys({'F'}, VK_CONTROL);  // again: the open box takes the keyboard, its text selected
    CHECK(GetFocus() == box);
    CHECK(SendMessageA(box, EM_GETSEL, 0, 0) == MAKELRESULT(0, 4));
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
    TypeKeys({'4', '9', '9', '9'});  // in place of the selected text
    CHECK(shown() == std::vector<std::string>{"filter 4999"});
    CHECK(WindowText(GetDlgItem(palette, KIRABO_FIND_COUNT)) == "1件");
    TypeKeys({'Z'});  // nothing matches: nothing marked
    CHECK_FALSE(IsWindowVisible(GetDlgItem(palette, KIRABO_FIND_MARK)));
    TypeKeys({VK_BACK, VK_BACK});  // 499: 499, 1499, ..., 4499 and 4990 to 4999
    CHECK(WindowText(GetDlgItem(palette, KIRABO_FIND_COUNT)) == "15件");
    RECT after = {};
    GetWindowRect(palette, &after);
    CHECK((after.right - after.left == window.right - window.left &&
           after.bottom - after.top == window.bottom - window.top));

    TypeKeys({VK_DOWN});
    HWND marked = GetDlgItem(palette, static_cast<int>(MainControlId(1499)));
    RECT row = {}, mark = {};
    GetWindowRect(marked, &row);
    GetWindowRect(GetDlgItem(palette, KIRABO_FIND_MARK), &mark);
    CHECK((IsWindowVisible(GetDlgItem(palette, KIRABO_FIND_MARK)) && mark.top < row.top && mark.bottom > row.bottom));
    TypeKeys({VK_RETURN}, VK_CONTROL);
    CHECK(host.commands == std::vector<UINT>{11003, 1000 + 1499});
    CHECK(SendMessageA(marked, BM_GETCHECK, 0, 0) == BST_CHECKED);  // the box follows the host, as after a click
    CHECK(GetFocus() == box);

    TypeKeys({VK_ESCAPE});
    CHECK(GetDlgItem(palette, KIRABO_FIND_BOX) == nullptr);
    CHECK(GetFocus() == host.mainWindow());
    TypeKeys({'X'});
    CHECK((!host.ownerMessages.empty() && host.ownerMessages.back().message == WM_KEYUP &&
           host.ownerMessages.back().wParam == 'X'));
    CHECK(CaptureClient(host, palette) == before);

    // It learns: m marks モーションブラー first; ブラーマスク picked for it instead comes first the
    // next time, and first in an empty box, after a restart too. Enter closes the box and gives the
    // keyboard back: the host's next key is the host's.
    for (const std::vector<WORD>& keys :
         std::vector<std::vector<WORD>>{{'M', VK_DOWN, VK_RETURN}, {'M', VK_RETURN}, {VK_RETURN}}) {
        TypeKeys({'F'}, VK_CONTROL, keys);
        CHECK(GetDlgItem(palette, KIRABO_FIND_BOX) == nullptr);
        CHECK(GetFocus() == host.mainWindow());
    }
    CHECK(std::vector<UINT>(host.commands.end() - 3, host.commands.end()) == std::vector<UINT>{11002, 11002, 11002});
    host.Exit();
    Host again;
    again.store = host.store;
    REQUIRE(again.Start(options));
    SetForegroundWindow(again.mainWindow());
    TypeKeys({'F'}, VK_CONTROL, {VK_RETURN});
    CHECK(again.commands == std::vector<UINT>{11002});
    AnswerNextMessageBox(IDYES);  // the history forgotten: an empty box marks the first row again
    again.SendToPalette(WM_COMMAND, KIRABO_CMD_FORGET_FINDS, 0);
    CHECK(LastAnsweredBox().text == "検索の履歴を消去します。\r\n宜しいですか?");
    TypeKeys({'F'}, VK_CONTROL, {VK_RETURN});
    CHECK(again.commands == std::vector<UINT>{11002, 1000});
    RunInNextDialog([](HWND dialog) {  // F2 on filter 42 in the reorder dialog: words of the user's own
        HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
        listview::SetItemState(list, 42, LVIS_FOCUSED, LVIS_FOCUSED);
        TypeKeys({VK_F2}, 0, {'I', 'R', 'O', VK_SPACE, 'H', 'O', 'S', 'E', 'I', VK_RETURN});
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    again.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    TypeKeys({'F'}, VK_CONTROL, {'H', 'O', 'S', 'E', 'I', VK_F2});  // the same words, edited over the row
    CHECK(WindowText(GetFocus()) == "iro hosei");
    TypeKeys({'K', 'U', 'R', 'O', VK_RETURN, 'K', 'U', 'R', 'O', VK_RETURN});  // kept: found by them
    CHECK(again.commands == std::vector<UINT>{11002, 1000, 1042});
}

namespace {

HWND g_palette = nullptr;
int g_frames = 0;  // the palette's repaints held back while a frame is applied

LRESULT CALLBACK CountFrames(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == g_palette && message->message == WM_SETREDRAW && message->wParam == FALSE)
        ++g_frames;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Each message handled one by one, and what the palette has painted after each, from below the
// find box's strip (the box draws its own text as it is typed): a screen either as before the
// event or as after it, never half of each.
void CheckOneScreen(HWND palette, const std::string& what, const std::function<void()>& event) {
    CAPTURE(what);
    const Capture before = PaintedClient(palette, kFindBarHeight);
    event();
    std::vector<Capture> seen = {PaintedClient(palette, kFindBarHeight)};
    MSG message;
    for (DWORD quiet = GetTickCount(); GetTickCount() - quiet < 200; Sleep(1)) {  // the merged answer's timer
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            seen.push_back(PaintedClient(palette, kFindBarHeight));
            quiet = GetTickCount();
        }
    }
    CHECK_FALSE(seen.back() == before);
    CHECK(std::count_if(seen.begin(), seen.end(),
                        [&](const Capture& s) { return !(s == before || s == seen.back()); }) == 0);
}

}  // namespace

TEST_CASE(
    "keys typed faster than the palette answers are answered once; at 5,000 filters each event shows in one step") {
    Host host;
    host.store = {{"Column", "4"}};
    REQUIRE(host.Start(TestOptions(emulator::ManyFilters(5000, "filter ", 3))));
    g_palette = host.paletteWindow();
    host.Pump();
    CheckOneScreen(g_palette, "find opened", [&] { host.SendToPalette(WM_COMMAND, KIRABO_CMD_FIND, 0); });
    HWND box = GetDlgItem(g_palette, KIRABO_FIND_BOX);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountFrames, nullptr, GetCurrentThreadId());
    CheckOneScreen(g_palette, "4321 typed", [&] {
        for (char key : {'4', '3', '2', '1'}) PostMessageA(box, WM_CHAR, static_cast<WPARAM>(key), 1);
    });
    UnhookWindowsHookEx(hook);
    CHECK(WindowText(GetDlgItem(g_palette, KIRABO_FIND_COUNT)) == "1件");
    CHECK(g_frames == 1);
    CheckOneScreen(g_palette, "Esc", [&] { PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 1); });
}

namespace {

// What Windows makes of Shift-JIS text folded to full width, katakana and lower case.
std::string WindowsFolding(const std::string& text) {
    wchar_t wide[8] = {}, folded[8] = {};
    const int length = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide, 8);
    const int foldedLength = LCMapStringW(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT),
                                          LCMAP_FULLWIDTH | LCMAP_KATAKANA | LCMAP_LOWERCASE, wide, length, folded, 8);
    char out[16] = {};
    const int bytes = WideCharToMultiByte(932, 0, folded, foldedLength, out, sizeof out, nullptr, nullptr);
    return std::string(out, static_cast<std::size_t>(bytes));
}

}  // namespace

TEST_CASE("the find box folds every letter, digit and kana as Windows does") {
    std::vector<std::string> texts;
    for (char c = 'A'; c <= 'Z'; ++c) texts.push_back(std::string(1, c));
    const auto doubleByte = [&](int first, int last) {
        for (int c = first; c <= last; ++c) texts.push_back({static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)});
    };
    doubleByte(0x824F, 0x8258);                    // ０ to ９
    doubleByte(0x8260, 0x8279);                    // Ａ to Ｚ
    doubleByte(0x8281, 0x829A);                    // ａ to ｚ
    doubleByte(0x829F, 0x82F1);                    // ぁ to ん
    for (int kana = 0xA1; kana <= 0xDF; ++kana) {  // ｡ to ﾟ, alone and with each mark that makes one kana
        for (const char* mark : {"", "\xDE", "\xDF"}) texts.push_back(std::string(1, static_cast<char>(kana)) + mark);
    }
    for (const std::string& text : texts) {
        const std::string windows = WindowsFolding(text);
        // Wine folds a mark that makes no kana to the combining mark, which Shift-JIS lacks.
        if (windows.find('?') != std::string::npos) continue;
        CAPTURE(text);
        CAPTURE(windows);
        CHECK(NameQuery(text).Quality(windows) == MatchQuality::Equal);
        CHECK(NameQuery(windows).Quality(text) == MatchQuality::Equal);
    }
}
