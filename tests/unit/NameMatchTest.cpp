#include <gtest/gtest.h>
#include <iconv.h>

#include "entries/NameMatch.h"

namespace kirabo {
namespace {

// The Shift-JIS bytes of a UTF-8 literal, as names and typed text reach the plug-in.
std::string ShiftJis(const char* utf8) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string in(utf8), out(in.size() * 2 + 1, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    iconv(convert, &from, &left, &to, &room);
    iconv_close(convert);
    out.resize(out.size() - room);
    return out;
}

TEST(NameMatch, EveryFoldingRuleAsAJapaneseUserExpects) {
    struct Case {
        const char* what;
        const char* name;
        const char* typed;
        bool matches;
    };
    const Case cases[] = {
        {"ASCII letters without regard to case", "Gaussian Blur", "BLUR", true},
        {"full-width letters as ASCII", "Gaussian Blur", "ｂＬｕｒ", true},
        {"full-width digits as ASCII", "フィルタ１２", "12", true},
        {"a full-width space parts words like an ASCII one", "拡張色調補正", "色調　補正", true},
        {"the words in any order", "拡張色調補正", "補正 拡張", true},
        {"every word must occur", "拡張色調補正", "色調 ノイズ", false},
        {"half-width katakana as full-width, the voiced mark included", "ﾌﾞﾗｰ", "ブラー", true},
        {"the semi-voiced mark", "ﾊﾟｽ", "パス", true},
        {"a voiced kana is not its semi-voiced one", "ﾊﾞｽ", "パス", false},
        {"ｳ with the voiced mark is ヴ", "ｳﾞｨﾈｯﾄ", "ヴィネット", true},
        {"hiragana as katakana", "ブラー", "ぶらー", true},
        {"hiragana after み as katakana", "ノイズ除去", "のいず", true},
        {"ｰ as ー", "ブラー", "ﾌﾞﾗｰ", true},
        {"no match starts inside a character: 表's second byte is a backslash", "表示", "\\", false},
        {"another name", "シャープ", "ぼかし", false},
        {"nothing typed matches every name", "シャープ", "", true},
        {"spaces alone match every name", "シャープ", " 　 ", true},
    };
    for (const Case& c : cases) {
        const NameQuery query(ShiftJis(c.typed));
        EXPECT_EQ(query.Matches(ShiftJis(c.name)), c.matches) << c.what;
    }
}

}  // namespace
}  // namespace kirabo
