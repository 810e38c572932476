#include <gtest/gtest.h>

#include "ShiftJis.h"
#include "entries/KanjiReadings.h"
#include "entries/NameMatch.h"

namespace kirabo {
namespace {

TEST(NameMatch, EveryFoldingRuleAsAJapaneseUserExpects) {
    struct Case {
        const char* what;
        const char* name;
        const char* typed;
        bool matches;
    };
    // clang-format off
    const Case cases[] = {
        {"ASCII letters without regard to case",                                "Gaussian Blur",  "BLUR",               true},
        {"full-width letters as ASCII",                                         "Gaussian Blur",  "ｂＬｕｒ",               true},
        {"full-width digits as ASCII",                                          "フィルタ１２",         "12",                 true},
        {"a full-width space parts words like an ASCII one",                    "拡張色調補正",         "色調　補正",              true},
        {"the words in any order",                                              "拡張色調補正",         "補正 拡張",              true},
        {"every word must occur",                                               "拡張色調補正",         "色調 ノイズ",             false},
        {"every word must occur, the last too",                                 "拡張色調補正",         "色調 補正 ノイズ",          false},
        {"half-width katakana as full-width, the voiced mark included",         "ﾌﾞﾗｰ",           "ブラー",                true},
        {"the semi-voiced mark",                                                "ﾊﾟｽ",            "パス",                 true},
        {"a voiced kana is not its semi-voiced one",                            "ﾊﾞｽ",            "パス",                 false},
        {"ｳ with the voiced mark is ヴ",                                         "ｳﾞｨﾈｯﾄ",         "ヴィネット",              true},
        {"hiragana as katakana",                                                "ブラー",            "ぶらー",                true},
        {"hiragana after み as katakana",                                        "ルミナンス",          "るみなんす",              true},
        {"ｰ as ー",                                                              "ブラー",            "ﾌﾞﾗｰ",               true},
        {"no match starts inside a character: 表's second byte is a backslash",  "表示",             "\\",                 false},
        {"another name",                                                        "シャープ",           "ぼかし",                false},
        {"nothing typed matches every name",                                    "シャープ",           "",                   true},
        {"spaces alone match every name",                                       "シャープ",           " 　 ",                true},
        // Romaji: a word of ASCII letters also matches as its kana reading.
        {"romaji as its katakana",                                              "モーションブラー",       "bura",               true},
        {"romaji in capitals",                                                  "モーションブラー",       "BURA",               true},
        {"romaji in full-width letters",                                        "モーションブラー",       "ｂｕｒａ",               true},
        {"Hepburn shi, sha",                                                    "シャープ シフト",       "sha-pu shifuto",     true},
        {"Kunrei si, sya",                                                      "シャープ シフト",       "sya-pu sihuto",      true},
        {"tya, tu",                                                             "チャンネル ツール",      "tyanneru tu-ru",     true},
        {"cha, tsu",                                                            "チャンネル ツール",      "channeru tsu-ru",    true},
        {"ja, zya and jya",                                                     "ジャギー",           "ja zya jya",         true},
        {"ji and zi",                                                           "ジグザグ",           "jiguzagu zi",        true},
        {"a doubled consonant as ッ",                                            "ロック",            "rokku",              true},
        {"tch as ッチ",                                                           "マッチ",            "matchi",             true},
        {"n before a consonant as ン",                                           "エンボス",           "enbosu",             true},
        {"n' as ン before a vowel",                                              "ゲンエイ",           "gen'ei",             true},
        {"nn as ン before a vowel",                                              "ゲンエイ",           "gennei",             true},
        {"nn before a vowel also as ン and n (Hepburn)",                         "コンニチ",           "konnichi",           true},
        {"nn at the end as ン",                                                  "スキャン",           "sukyann",            true},
        {"n at the end as ン",                                                   "スキャン",           "sukyan",             true},
        {"n at the end as a kana it begins",                                    "カナ",             "kan",                true},
        {"- as ー",                                                              "ブラー",            "bura-",              true},
        {"small kana with x",                                                   "ファイル",           "fuxairu",            true},
        {"small kana with l, xtu",                                              "ファイル ロック",       "fulairu roxtuku",    true},
        {"fu and hu",                                                           "フェード フィルタ",      "fe-do huxiruta",     true},
        {"v as ヴ",                                                              "ヴィネット",          "vinetto",            true},
        {"a trailing consonant keeps every kana it begins",                     "ブロック",           "bur",                true},
        {"a trailing sh keeps シャ",                                              "シャープ",           "sh",                 true},
        {"a trailing consonant is no other kana",                               "ブタ",             "bur",                false},
        {"a trailing consonant fits a later place",                             "ブタブロック",         "bur",                true},
        {"romaji does not match the other kana",                                "ブラー",            "bure",               false},
        {"romaji in hiragana names",                                            "ぼかし",            "bokasi",             true},
        {"romaji in half-width names",                                          "ﾌﾞﾗｰ",           "bura-",              true},
        {"digits make a word no romaji",                                        "フィルタ01",         "firuta01",           false},
        {"a word with digits matches as typed",                                 "Filter-01",      "filter-01",          true},
        {"ASCII names still match as typed",                                    "Color Grading",  "color",              true},
        {"a word that is no romaji matches as typed only",                      "ブラー",            "bq",                 false},
        {"Kunrei ti",                                                           "チルト",            "tiruto",             true},
        {"nyu as ニュ",                                                           "メニュー",           "menyu-",             true},
        {"small tsu with x and l, xtsu and ltsu",                               "ロック",            "roxtsuku roltsuku",  true},
        {"a trailing consonant may be doubled",                                 "バック",            "bak",                true},
        {"a doubled vowel as ー",                                                "シャープ フィールド",     "shaapu fiirudo",     true},
        {"a doubled vowel still as two",                                        "おおきい",           "ookii",              true},
        {"a doubled vowel is no other kana",                                    "ブラウン",           "buraa",              false},
        {"ou and ei as ー",                                                      "ボーダー シェーダー",     "boudaa sheidaa",     true},
        {"u after a kana not ending in o is no ー",                              "カー",             "kau",                false},
        {"i after a kana not ending in e is no ー",                              "ター",             "tai",                false},
    };
    // clang-format on
    for (const Case& c : cases) {
        const NameQuery query(ShiftJis(c.typed));
        EXPECT_EQ(query.Matches(ShiftJis(c.name)), c.matches) << c.what;
    }
}

TEST(NameMatch, TheBestMatchIsTheWholeNameThenItsBeginning) {
    struct Case {
        const char* what;
        const char* name;
        const char* typed;
        MatchQuality quality;
        const char* words = "";  // the user's own for the row
    };
    // clang-format off
    const Case cases[] = {
        {"the whole name, folded",                         "ブラー",            "ぶらー",             MatchQuality::Equal},
        {"the whole name, in romaji",                      "ブラー",            "bura-",           MatchQuality::Equal},
        {"the beginning",                                  "ブラー",            "bura",            MatchQuality::Begins},
        {"elsewhere in the name",                          "モーションブラー",       "bura",            MatchQuality::Contains},
        {"the first word begins the name",                 "拡張色調補正",         "拡張 補正",           MatchQuality::Begins},
        {"the second word does not count",                 "拡張色調補正",         "補正 拡張",           MatchQuality::Contains},
        {"two words are never the whole name",             "拡張",             "拡張 拡張",           MatchQuality::Begins},
        {"no match",                                       "シャープ",           "bura",            MatchQuality::None},
        {"nothing typed",                                  "シャープ",           "",                MatchQuality::Contains},
        {"a word after a space",                           "Gaussian Blur",  "blur",            MatchQuality::WordStart},
        {"a word after _",                                 "color_grading",  "grading",         MatchQuality::WordStart},
        {"letters after katakana, ー included",             "ブラーGPU",         "gpu",             MatchQuality::WordStart},
        {"katakana after hiragana",                        "ぼかしマスク",         "masuku",          MatchQuality::WordStart},
        {"the last hiragana, then the last katakana",      "んヶ",             "ヶ",               MatchQuality::WordStart},
        {"the last kanji, then the first letter",          "黑a",             "a",               MatchQuality::WordStart},
        {"the last letter, then the first hiragana",       "zぁ",             "ぁ",               MatchQuality::WordStart},
        {"the first katakana, then the first digit",       "ァ0",             "0",               MatchQuality::WordStart},
        {"the last digit, then the first kanji",           "9亜",             "亜",               MatchQuality::WordStart},
        {"the first word begins a user word",       "色調補正",    "color",     MatchQuality::WordStart,  "iro hosei color"},
        {"the first word inside a user word",       "色調補正",    "olor",      MatchQuality::Contains,   "iro hosei color"},
        {"a second word in the user's words only",  "色調補正",    "色調 hue",    MatchQuality::WordStart,  "hue"},
        {"the name alone ranks better",             "色調補正",    "色調",        MatchQuality::Begins,     "iro"},
        {"the user's words rank better",            "拡張色調補正",  "調補",        MatchQuality::WordStart,  "調補"},
        {"in neither",                              "色調補正",    "iro blur",  MatchQuality::None,       "iro"},
        {"kanji read whole",                               "色調補正",           "shikichouhosei",  MatchQuality::Equal},
        {"kanji read from the first",                      "色調補正",           "shikic",          MatchQuality::Begins},
        {"kanji read from the second, inside a compound",  "拡張色調補正",         "shikichou",       MatchQuality::Contains},
        {"kanji read after katakana",                      "ノイズ除去フィルタ",      "jokyo",           MatchQuality::WordStart},
        {"a verb's kun reading ending in gu never whole", "泳",                       "oyogu",           MatchQuality::None},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(NameQuery(ShiftJis(c.typed)).Quality(ShiftJis(c.name), ShiftJis(c.words)), c.quality) << c.what;
    }
}

// Names as AviUtl users have them, found by what a user types with the input method off.
TEST(NameMatch, KanjiNamesFoundByTheirReadings) {
    const char* const names[] = {
        "色調補正",       "拡張色調補正", "縁塗りつぶし",     "縁取り",     "ノイズ除去フィルタ",
        "音声の位置調整", "透明度",       "境界ぼかし",       "一括変換",   "シャープフィルタ",
        "ぼかしフィルタ", "ドット化",     "拡大縮小",         "回転",       "単色化",
        "発光",           "放射ブラー",   "画像ファイル合成", "反転",       "振動",
        "音量の調整",     "時間制御",     "部分フィルタ",     "合成モード", "明るさ"};
    struct Case {
        const char* what;
        const char* typed;
        const char* found;  // the names matched, in the list's order, | between them
    };
    // clang-format off
    const Case cases[] = {
        {"on readings in turn",                       "shikichou",     "色調補正|拡張色調補正"},
        {"the first kanji of a compound",             "kakuchou",      "拡張色調補正"},
        {"the last reading typed in part",            "shikic",        "色調補正|拡張色調補正|単色化"},
        {"a word inside a compound",                  "hosei",         "色調補正|拡張色調補正"},
        {"a kun stem before its kana, voiced",        "fuchidori",     "縁取り"},
        {"a kun stem before kana, then the kana",     "fuchinuri",     "縁塗りつぶし"},
        {"a kun noun alone",                          "fuchi",         "縁塗りつぶし|縁取り"},
        {"a doubled consonant before a kanji",        "ikkatsu",       "一括変換"},
        {"long vowels as the readings write them",    "toumeido",      "透明度"},
        {"kanji, kana and kanji",                     "onseinoichi",   "音声の位置調整"},
        {"kanji after katakana",                      "jokyo",         "ノイズ除去フィルタ"},
        {"kanji in kana typed",                       "じょきょ",          "ノイズ除去フィルタ"},
        {"kanji before hiragana",                     "kyoukaibo",     "境界ぼかし"},
        {"a kun stem before okurigana",               "akarusa",       "明るさ"},
        {"an on reading never voiced",                "dansyoku",      ""},
        {"a verb's kun reading never whole",          "bakeru",        ""},
        {"one letter more matches nothing",           "shikichoux",    ""},
        {"two words in kanji names",                  "gousei gazou",  "画像ファイル合成"},
        {"kanji and katakana in one word",            "housyabura",    "放射ブラー"},
        {"a word of a later compound",                "chousei",       "音声の位置調整|音量の調整"},
        {"the long vowel typed as the input method",  "toomeido",      "透明度"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const NameQuery query(ShiftJis(c.typed));
        std::string found;
        for (const char* name : names) {
            if (query.Matches(ShiftJis(name))) found += (found.empty() ? "" : "|") + std::string(name);
        }
        EXPECT_EQ(found, c.found) << c.what;
    }
}

// The generated table against Unihan_Readings.txt: kJapaneseOn, then kJapaneseKun (+), in order.
TEST(KanjiReadings, TheTableHoldsTheDatabasesReadings) {
    struct Case {
        const char* character;
        const char* readings;
    };
    // clang-format off
    const Case cases[] = {
        {"色",  "shoku shiki +iro"},
        {"塗",  "to +nuru +doro +mamireru"},
        {"一",  "ichi itsu +hitotsu +hitotabi +hajime"},
        {"亜",  "a atsu ou +tsugu"}, // the first kanji of JIS X 0208
        {"熙",  "ki +hikari +hikaru"}, // the last
        {"ア",  ""}, // no kanji
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::string code = ShiftJis(c.character);
        const KanjiReadings readings(KanjiSlot(
            static_cast<char16_t>(static_cast<unsigned char>(code[0]) << 8 | static_cast<unsigned char>(code[1]))));
        std::string text;
        for (std::size_t i = 0; i < readings.size(); ++i) {
            if (i > 0) text += ' ';
            if (readings[i].kun) text += '+';
            text += readings[i].romaji;
        }
        EXPECT_EQ(text, c.readings) << c.character;
    }
}

}  // namespace
}  // namespace kirabo
