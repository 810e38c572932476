// The real Kirabo.auf in the host emulator: the table the host reads, start and exit, settings,
// and the resources as Windows reads them back.
#include <doctest/doctest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "Support.h"
#include "resources/Version.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

struct ReadPos {
    const BYTE* p;
    WORD Word() {
        WORD w;
        std::memcpy(&w, p, 2);
        p += 2;
        return w;
    }
    DWORD Dword() {
        DWORD d;
        std::memcpy(&d, p, 4);
        p += 4;
        return d;
    }
    std::wstring Text() {
        std::wstring s;
        for (WORD c = Word(); c; c = Word()) s += static_cast<wchar_t>(c);
        return s;
    }
    // A name or an ordinal: 0xFFFF then the ordinal.
    std::wstring NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, p, 2);
        if (first == 0xFFFF) {
            p += 2;
            return L"#" + std::to_wstring(Word());
        }
        return Text();
    }
    void AlignDword(const BYTE* base) {
        while ((p - base) % 4) ++p;
    }
};

struct TemplateItem {
    DWORD exStyle, style;
    short x, y, cx, cy;
    int id;
    std::wstring windowClass, title;
};

}  // namespace

TEST_CASE("the filter table holds what the host reads") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    const host::FilterRecord* table = host.table();
    CHECK(table->flag == 0x0004C004u);
    CHECK(table->x == 320);
    CHECK(table->y == 106);
    CHECK(std::string(table->name) == "\x83\x4C\x83\x89\x83\x7B");
    CHECK(reinterpret_cast<const void*>(table->func_init) != nullptr);
    CHECK(reinterpret_cast<const void*>(table->func_exit) != nullptr);
    CHECK(reinterpret_cast<const void*>(table->func_WndProc) != nullptr);
    REQUIRE(table->information != nullptr);
    CHECK(std::string(table->information).find(KIRABO_VERSION_TEXT) != std::string::npos);

    // Every other field is 0: compare the words one by one.
    const auto* words = reinterpret_cast<const DWORD*>(table);
    const std::vector<int> nonZero = {0, 4, 8, 12, 52, 56, 64, 84};
    for (int offset = 0; offset < 140; offset += 4) {
        const bool expected = std::find(nonZero.begin(), nonZero.end(), offset) != nonZero.end();
        CAPTURE(offset);
        CHECK((words[offset / 4] != 0) == expected);
    }
}

TEST_CASE("func_init attaches the own menu bar and finds the host window") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    CHECK(host.initResult() == 1);
    HMENU own = GetMenu(host.paletteWindow());
    REQUIRE(own != nullptr);
    REQUIRE(GetMenuItemCount(own) == 3);
    char popup[64] = {};
    GetMenuStringA(own, 0, popup, sizeof popup, MF_BYPOSITION);
    CHECK(std::string(popup) == "列(&C)");
    GetMenuStringA(own, 1, popup, sizeof popup, MF_BYPOSITION);
    CHECK(std::string(popup) == "設定(&S)");
    GetMenuStringA(own, 2, popup, sizeof popup, MF_BYPOSITION);
    CHECK((std::string(popup) == "検索(&F)" && GetMenuItemID(own, 2) == KIRABO_CMD_FIND));  // a command, no pop-up
    struct {
        UINT id;
        const char* caption;
        int popup;
    } const items[] = {
        {KIRABO_CMD_ONE_COLUMN, "1列(&1)", 0},
        {KIRABO_CMD_TWO_COLUMNS, "2列(&2)", 0},
        {KIRABO_CMD_THREE_COLUMNS, "3列(&3)", 0},
        {KIRABO_CMD_FOUR_COLUMNS, "4列(&4)", 0},
        {KIRABO_CMD_TAB_MODE, "タブ表示(&T)", 0},
        {KIRABO_CMD_REORDER, "並び替え(&R)", 1},
        {KIRABO_CMD_RESET_ORDER, "並び替えの初期化(&I)", 1},
        {KIRABO_CMD_FORGET_FINDS, "検索の履歴を消去(&H)", 1},
    };
    for (const auto& item : items) {
        CAPTURE(item.id);
        CHECK(MenuCaption(GetSubMenu(own, item.popup), item.id) == item.caption);
        CHECK((GetMenuState(own, item.id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0);
    }
    CHECK(GetMenuItemCount(GetSubMenu(own, 0)) == 5);
    CHECK(GetMenuItemCount(GetSubMenu(own, 1)) == 3);
}

TEST_CASE("the palette font is 12-pixel MS P Gothic in Shift-JIS") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    const std::vector<Child> children = Children(host.paletteWindow());
    REQUIRE(!children.empty());
    for (const Child& child : children) {
        CAPTURE(child.text);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(child.hwnd, WM_GETFONT, 0, 0));
        REQUIRE(font != nullptr);
        LOGFONTA logFont = {};
        REQUIRE(GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont);
        CHECK(logFont.lfHeight == 12);
        CHECK(logFont.lfWidth == 0);
        CHECK((logFont.lfEscapement == 0 && logFont.lfOrientation == 0));
        CHECK(logFont.lfWeight == 400);
        CHECK(logFont.lfItalic == 0);
        CHECK(logFont.lfUnderline == 0);
        CHECK(logFont.lfStrikeOut == 0);
        CHECK(logFont.lfCharSet == 128);
        CHECK(logFont.lfQuality == 2);
        CHECK(logFont.lfPitchAndFamily == 0x30);
        CHECK(std::string(logFont.lfFaceName) == "ＭＳ Ｐゴシック");
    }
}

TEST_CASE("first start with nothing stored loads the defaults and stores them back in order") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    // First the item that opens find, then the settings.
    REQUIRE(host.calls.size() > 4);
    CHECK(host.calls[0] == emulator::ServiceCall{"add_menu_item", KIRABO_FIND_ITEM_NAME, "1"});
    const std::vector<emulator::ServiceCall> loads(host.calls.begin() + 1, host.calls.begin() + 5);
    CHECK(loads == std::vector<emulator::ServiceCall>{{"ini_load_int", "Column", "2"},
                                                      {"ini_load_int", "Tab", "0"},
                                                      {"ini_load_int", "SelColumn", "0"},
                                                      {"ini_load_int", "FilterSize", "0"}});
    host.calls.clear();
    host.Exit();
    CHECK(host.exitResult() == 1);
    CHECK(IsWindow(host.paletteWindow()));
    CHECK(GetWindow(host.paletteWindow(), GW_CHILD) == nullptr);

    REQUIRE(host.calls.size() >= 4);
    CHECK(host.calls[0] == emulator::ServiceCall{"ini_save_int", "Column", "2"});
    CHECK(host.calls[1] == emulator::ServiceCall{"ini_save_int", "Tab", "0"});
    CHECK(host.calls[2] == emulator::ServiceCall{"ini_save_int", "SelColumn", "0"});
    CHECK(host.calls[3].key == "FilterSize");
    const int count = std::stoi(host.calls[3].value);
    REQUIRE(host.calls.size() == 4 + 2 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CAPTURE(i);
        CHECK(host.calls[4 + 2 * i].service == "ini_save_str");
        CHECK(host.calls[4 + 2 * i].key == "FilterName" + std::to_string(i));
        CHECK(host.calls[5 + 2 * i].service == "ini_save_int");
        CHECK(host.calls[5 + 2 * i].key == "FilterType" + std::to_string(i));
    }
}

TEST_CASE("the reorder dialog template reads back as built") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    HRSRC found = FindResourceExA(host.module(), RT_DIALOG, MAKEINTRESOURCEA(KIRABO_DIALOG_REORDER),
                                  MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    REQUIRE(found != nullptr);
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(host.module(), found)));
    ReadPos r{base};
    CHECK(r.Word() == 1);
    CHECK(r.Word() == 0xFFFF);
    CHECK(r.Dword() == 0);  // help id
    CHECK(r.Dword() == 0);  // extended style
    CHECK(r.Dword() == 0x80C800C0u);
    const WORD items = r.Word();
    CHECK(items == 6);
    CHECK(static_cast<short>(r.Word()) == 0);
    CHECK(static_cast<short>(r.Word()) == 0);
    CHECK(static_cast<short>(r.Word()) == 274);
    CHECK(static_cast<short>(r.Word()) == 173);
    CHECK(r.NameOrOrdinal() == L"");  // no menu
    CHECK(r.NameOrOrdinal() == L"");  // the standard dialog class
    CHECK(r.Text() == L"並び替え");
    CHECK(r.Word() == 9);
    CHECK(r.Word() == 0);
    CHECK(*r.p++ == 0);
    CHECK(*r.p++ == 1);
    CHECK(r.Text() == L"ＭＳ Ｐゴシック");

    const TemplateItem expected[] = {
        {0, 0x50010001, 164, 152, 50, 14, 1, L"#128", L"OK"},
        {0, 0x50010000, 217, 152, 50, 14, 2, L"#128", L"ｷｬﾝｾﾙ"},
        {0, 0x50010000, 7, 152, 50, 14, KIRABO_REORDER_GROUP, L"#128", L"グループ(&G)"},
        {0, 0x50819009, 7, 19, 260, 122, KIRABO_REORDER_LIST, L"SysListView32", L"List1"},
        {0, 0x50020000, 7, 7, 119, 8, -1, L"#130", L"ドラッグ・ドロップして並び替えてください。"},
        {0, 0x50020000, 132, 7, 28, 8, KIRABO_REORDER_FIND_LABEL, L"#130", L"検索(&F)"},
    };
    for (const TemplateItem& want : expected) {
        CAPTURE(want.id);
        r.AlignDword(base);
        CHECK(r.Dword() == 0);  // help id
        CHECK(r.Dword() == want.exStyle);
        CHECK(r.Dword() == want.style);
        CHECK(static_cast<short>(r.Word()) == want.x);
        CHECK(static_cast<short>(r.Word()) == want.y);
        CHECK(static_cast<short>(r.Word()) == want.cx);
        CHECK(static_cast<short>(r.Word()) == want.cy);
        CHECK(static_cast<int>(r.Dword()) == want.id);
        // The resource compiler writes class names in capitals; Windows compares them without case.
        CHECK(lstrcmpiW(r.NameOrOrdinal().c_str(), want.windowClass.c_str()) == 0);
        CHECK(r.NameOrOrdinal() == want.title);
        const WORD extra = r.Word();
        r.p += extra;
    }
}

TEST_CASE("the version block names Kirabo and its version in Japanese") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    // The path in UTF-16 as Windows holds it: a Japanese folder needs no conversion.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(host.module(), path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    REQUIRE(size > 0);
    std::vector<BYTE> block(size);
    REQUIRE(GetFileVersionInfoW(path, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    REQUIRE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const WORD version[] = {KIRABO_VERSION_NUMBERS};
    CHECK(fixed->dwFileVersionMS == MAKELONG(version[1], version[0]));
    CHECK(fixed->dwFileVersionLS == MAKELONG(version[3], version[2]));
    CHECK(fixed->dwProductVersionMS == fixed->dwFileVersionMS);
    CHECK(fixed->dwProductVersionLS == fixed->dwFileVersionLS);
    WORD* translation = nullptr;
    REQUIRE(
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    CHECK(translation[0] == 0x0411);
    CHECK(translation[1] == 1200);
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"FileDescription", L"Kirabo.auf"},       {L"InternalName", L"Kirabo"},
        {L"OriginalFilename", L"Kirabo.DLL"},      {L"ProductName", L"Kirabo AviUtlプラグイン"},
        {L"Comments", L"AviUtl キラボプラグイン"},
    };
    for (const auto& s : strings) {
        INFO(std::string(s.key, s.key + wcslen(s.key)));  // doctest prints no wide text
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + s.key;
        REQUIRE(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
        CHECK(std::wstring(value) == s.value);
    }
}
