#include "MenuText.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace kirabo::emulator {
namespace {

// The characters of `text` in the code page; false when `flags` ask for valid text
// (MB_ERR_INVALID_CHARS) and it is not.
bool Characters(const std::string& text, UINT codePage, DWORD flags, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return false;
    wide.assign(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return true;
}

std::string Convert(const std::string& text, UINT from, UINT to) {
    std::wstring wide;
    Characters(text, from, 0, wide);
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(to, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(to, 0, wide.data(), length, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

std::string Utf8ToShiftJis(const std::string& utf8) { return Convert(utf8, CP_UTF8, 932); }
std::string ShiftJisToUtf8(const std::string& sjis) { return Convert(sjis, 932, CP_UTF8); }

MenuItemText Item(UINT id, std::string caption, bool checked) {
    return {MenuItemText::Kind::Command, id, std::move(caption), checked};
}

MenuItemText Separator() { return {MenuItemText::Kind::Separator, 0, {}, false}; }

MenuItemText Submenu(std::string caption) { return {MenuItemText::Kind::Submenu, 0, std::move(caption), false}; }

// The literals below are Shift-JIS already: this file is compiled for code page 932.
MenuBarText DefaultMenus() {
    MenuBarText bar(7);
    bar[0] = {"ファイル(&F)", true, {Item(101, "開く..."), Item(102, "終了")}};
    bar[1] = {"フィルタ(&T)",
              true,
              {Item(1001, "色調補正", true), Item(1002, "クリッピング＆リサイズ"), Item(1003, "ノイズ除去フィルタ"),
               Item(1004, "シャープフィルタ", true), Separator(), Item(1005, "ぼかしフィルタ"),
               Item(1006, "縁塗りつぶし"), Item(1007, "拡張色調補正"), Separator(), Item(1099, "フィルタの順序")}};
    bar[2] = {"設定(&S)",
              true,
              {Item(2001, "色調補正の設定"), Item(2002, "クリッピング＆リサイズの設定"),
               Item(2004, "シャープフィルタの設定"), Submenu("プラグインの設定"), Separator(),
               Item(2008, "ノイズ除去(時間軸)フィルタの設定"), Separator(), Item(2099, "システムの設定")}};
    bar[3] = {"編集(&E)", true, {Item(301, "元に戻す")}};
    bar[4] = {"プロファイル(&P)", true, {Item(401, "新規プロファイル")}};
    bar[5] = {"表示(&V)",
              true,
              {Item(5001, "拡大表示"), Separator(), Item(5002, "ヒストグラムの表示"), Item(5003, "色調補正の表示"),
               Item(5004, "波形の表示"), Separator(), Item(5099, "ウィンドウサイズの表示")}};
    bar[6] = {"その他(&O)", true, {Item(601, "バージョン情報")}};
    return bar;
}

MenuBarText EmptyMenus() { return MenuBarText(kDisplayMenu + 1, MenuText{"-", true, {}}); }

MenuBarText ManyFilters(int count, const std::string& prefix, int checkedEvery) {
    // The default menu bar's titles, so that the host looks like itself at any scale.
    MenuBarText bar = DefaultMenus();
    for (MenuText& menu : bar) menu.items.clear();
    // Past 2,000 filters the settings ids would run into the toggle ids.
    const int firstSettingsId = 1000 + std::max(count, 2000);
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i);
        bar[kToggleMenu].items.push_back(Item(static_cast<UINT>(1000 + i), name, i % checkedEvery == 0));
        bar[kSettingsMenu].items.push_back(Item(static_cast<UINT>(firstSettingsId + i), name + "の設定"));
    }
    return bar;
}

namespace {

bool ShiftJisCanWrite(const std::wstring& wide) {
    BOOL lossy = FALSE;
    if (!wide.empty()) {
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                            &lossy);
    }
    return !lossy;
}

// The line without a comment: '#' at its start or after white space begins one.
std::string WithoutComment(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
    }
    return line;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool ParseMenuBar(std::string text, MenuBarText& menus, MenuFileError& error) {
    menus.clear();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // the mark Notepad writes first
    // Notepad's "Unicode" is UTF-16: a byte-order mark, or a zero byte beside every ASCII letter.
    if (text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0 || text.find('\0') != std::string::npos) {
        error = {0, "UTF-16 text: save it as UTF-8"};
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    MenuText* current = nullptr;
    std::map<int, int> menuLines;  // position -> line that started it
    std::map<UINT, int> idLines;   // item id -> line that gave it
    auto fail = [&](std::string what) {
        error = {lineNumber, std::move(what)};
        return false;
    };
    auto given = [](const std::string& what, int line) {
        return what + " is already given on line " + std::to_string(line);
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (const char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return fail("not text (a control character)");
        }
        std::wstring characters;
        if (!Characters(line, CP_UTF8, MB_ERR_INVALID_CHARS, characters)) return fail("not UTF-8 text");
        const std::string content = Trimmed(WithoutComment(line));
        if (Characters(content, CP_UTF8, MB_ERR_INVALID_CHARS, characters) && !ShiftJisCanWrite(characters)) {
            return fail("a character Shift-JIS cannot write");
        }
        std::istringstream words(content);
        std::string word;
        if (!(words >> word)) continue;
        std::string rest;
        std::getline(words >> std::ws, rest);
        if (word == "menu") {
            std::istringstream args(rest);
            int position = -1;
            std::string title;
            if (!(args >> position) || position < 0 || position > 63) return fail("menu needs a position 0-63");
            const auto [earlier, added] = menuLines.emplace(position, lineNumber);
            if (!added) return fail(given("menu " + std::to_string(position), earlier->second));
            std::getline(args >> std::ws, title);
            if (title.empty()) return fail("menu " + std::to_string(position) + " has no title");
            if (menus.size() <= static_cast<std::size_t>(position)) {
                menus.resize(static_cast<std::size_t>(position) + 1, MenuText{"-", false, {}});
            }
            current = &menus[static_cast<std::size_t>(position)];
            *current = MenuText{Utf8ToShiftJis(title), true, {}};
        } else if (word != "separator" && word != "submenu" && word != "item" && word != "item*") {
            return fail("unknown word \"" + word + "\" (menu, item, item*, separator, submenu)");
        } else if (!current) {
            return fail(word + " before the first menu line");
        } else if (word == "separator") {
            current->items.push_back(Separator());
        } else if (word == "submenu") {
            current->items.push_back(Submenu(Utf8ToShiftJis(rest)));
        } else {
            std::istringstream args(rest);
            unsigned long id = 0;
            std::string caption;
            if (!(args >> id) || id == 0 || id >= kFirstEmulatorId) {
                return fail("item needs an id 1-" + std::to_string(kFirstEmulatorId - 1));
            }
            std::getline(args >> std::ws, caption);
            if (caption.empty()) return fail("item " + std::to_string(id) + " has no caption");
            const auto [earlier, added] = idLines.emplace(static_cast<UINT>(id), lineNumber);
            if (!added) return fail(given("item id " + std::to_string(id), earlier->second));
            current->items.push_back(Item(static_cast<UINT>(id), Utf8ToShiftJis(caption), word == "item*"));
        }
    }
    for (int position : {kToggleMenu, kSettingsMenu, kDisplayMenu}) {
        if (menuLines.count(position)) {
            for (const MenuItemText& item : menus[static_cast<std::size_t>(position)].items) {
                if (item.kind == MenuItemText::Kind::Command) return true;
            }
        }
    }
    lineNumber = 0;
    return fail("no filter or display tool: menus 1, 2 and 5 hold no item");
}

HMENU BuildMenuBar(const MenuBarText& menus) {
    HMENU bar = CreateMenu();
    UINT placeholderId = kFirstEmulatorId;
    for (const MenuText& menu : menus) {
        if (!menu.popup) {
            AppendMenuA(bar, MF_STRING, placeholderId++, menu.title.c_str());
            continue;
        }
        HMENU popup = CreatePopupMenu();
        for (const MenuItemText& item : menu.items) {
            switch (item.kind) {
                case MenuItemText::Kind::Separator:
                    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
                    break;
                case MenuItemText::Kind::Submenu:
                    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), item.caption.c_str());
                    break;
                case MenuItemText::Kind::Command:
                    AppendMenuA(popup, MF_STRING | (item.checked ? MF_CHECKED : 0), item.id, item.caption.c_str());
                    break;
            }
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.title.c_str());
    }
    return bar;
}

}  // namespace kirabo::emulator
