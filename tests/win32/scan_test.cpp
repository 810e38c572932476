// The host-menu scan over real Windows menus: the rows func_init builds, seen through the
// palette's controls and what func_exit stores.
#include <doctest/doctest.h>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

const std::string kSettings = "の設定";  // 6 bytes in Shift-JIS
const std::string kDisplay = "の表示";

MenuBarText Bar(std::vector<emulator::MenuItemText> toggle, std::vector<emulator::MenuItemText> settings,
                std::vector<emulator::MenuItemText> display) {
    MenuBarText bar = EmptyMenus();
    bar[1].items = std::move(toggle);
    bar[2].items = std::move(settings);
    bar[5].items = std::move(display);
    return bar;
}

struct Row {
    std::string name;
    std::string kind;
    std::string mainClass;  // Button: a check box; Static: a label
    bool button;
    bool operator==(const Row&) const = default;
};

// Rows as one line of text, so that a failure shows them all.
std::string Describe(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& r : rows) {
        text += r.name + "/" + r.kind + "/" + r.mainClass + "/" + (r.button ? "button" : "-") + "; ";
    }
    return text;
}

// The rows as the palette shows them and as func_exit stores them.
std::vector<Row> RowsOf(Host& host) {
    const std::vector<Child> children = Children(host.paletteWindow());
    host.Exit();
    std::vector<Row> rows;
    const std::vector<std::string> names = StoredNames(host);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Child* main = FindChild(children, static_cast<int>(i));
        rows.push_back({names[i], host.store["FilterType" + std::to_string(i)], main ? main->className : "none",
                        FindChild(children, static_cast<int>(i) + 100) != nullptr});
    }
    return rows;
}

}  // namespace

TEST_CASE("the worked example through real menus") {
    Host host;
    host.store = {{"FilterSize", "4"},  {"FilterName0", "B"}, {"FilterType0", "1"},
                  {"FilterName1", "V"}, {"FilterType1", "0"}, {"FilterName2", "A"},
                  {"FilterType2", "1"}, {"FilterName3", "Z"}, {"FilterType3", "1"}};
    REQUIRE(host.Start(TestOptions(
        Bar({Item(11, "A"), Item(12, "B"), Item(13, "C"), Separator(), Item(14, "D"), Separator(), Item(15, "E")},
            {Item(21, "A" + kSettings), Item(22, "X" + kSettings), Separator(), Item(23, "P" + kSettings), Separator(),
             Item(24, "R" + kSettings)},
            {Item(51, "W" + kDisplay), Separator(), Item(52, "V" + kDisplay), Item(53, "U" + kDisplay), Separator(),
             Item(54, "T" + kDisplay)}))));
    CHECK(Describe(RowsOf(host)) == Describe({{"B", "1", "Button", false},
                                              {"C", "1", "Button", false},
                                              {"D", "1", "Button", false},
                                              {"V", "0", "Static", true},
                                              {"U", "0", "Static", true},
                                              {"A", "1", "Button", true},
                                              {"X", "1", "Static", true},
                                              {"P", "1", "Static", true}}));
}

TEST_CASE("a caption longer than the read's limit is used as far as Windows returns it") {
    Host host;
    REQUIRE(host.Start(TestOptions(Bar({Item(11, std::string(300, 'a'))}, {Item(21, std::string(300, 'b'))}, {}))));
    const std::vector<Row> rows = RowsOf(host);
    REQUIRE(rows.size() == 2);
    CHECK(rows[0].name == std::string(254, 'a'));
    CHECK(rows[1].name == std::string(248, 'b'));
}

TEST_CASE("a name whose trail byte is 0x5C survives the scan and the store untouched") {
    Host host;
    const std::string hyouji = "\x95\x5C\x8E\xA6";  // 表示
    host.store = {{"FilterSize", "1"}, {"FilterName0", hyouji}, {"FilterType0", "1"}};
    REQUIRE(host.Start(TestOptions(Bar({Item(11, "X"), Item(12, hyouji)}, {Item(21, hyouji + kSettings)}, {}))));
    CHECK(Describe(RowsOf(host)) == Describe({{hyouji, "1", "Button", true}, {"X", "1", "Button", false}}));
}

TEST_CASE("the emulator's default menus give the rows the README shows") {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    CHECK(Describe(RowsOf(host)) == Describe({{"色調補正", "1", "Button", true},
                                              {"クリッピング＆リサイズ", "1", "Button", true},
                                              {"ノイズ除去フィルタ", "1", "Button", false},
                                              {"シャープフィルタ", "1", "Button", true},
                                              {"ノイズ除去(時間軸)フィルタ", "1", "Static", true},
                                              {"ぼかしフィルタ", "1", "Button", false},
                                              {"縁塗りつぶし", "1", "Button", false},
                                              {"拡張色調補正", "1", "Button", false},
                                              {"ヒストグラム", "0", "Static", true},
                                              {"色調補正", "0", "Static", true},
                                              {"波形", "0", "Static", true}}));
}

TEST_CASE("without the host's menus every saved entry drops out") {
    struct Case {
        const char* what;
        MenuBarText menus;
    };
    // clang-format off
    const Case cases[] = {
        {"no menu bar at all",                        {}},
        {"plain commands where the menus should be",  MenuBarText(6, MenuText{"-", false, {}})},
        {"empty pop-ups",                             EmptyMenus()},
    };
    // clang-format on
    for (const Case& c : cases) {
        CAPTURE(c.what);
        Host host;
        host.store = {{"FilterSize", "1"}, {"FilterName0", "A"}, {"FilterType0", "1"}};
        REQUIRE(host.Start(TestOptions(c.menus)));
        CHECK(host.initResult() == 1);
        CHECK(RowsOf(host).empty());
    }
}

TEST_CASE("an item that opens a submenu is looked up by its id like any other") {
    Host host;
    REQUIRE(
        host.Start(TestOptions(Bar({Item(11, "A")}, {Submenu("Plugins" + kSettings), Item(21, "A" + kSettings)}, {}))));
    // Windows finds no caption for the submenu's id, so only the settings item of A counts.
    CHECK(Describe(RowsOf(host)) == Describe({{"A", "1", "Button", true}}));
}
