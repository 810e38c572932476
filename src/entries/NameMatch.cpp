#include "entries/NameMatch.h"

#include "entries/KanjiReadings.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace kirabo {
namespace {

// The full-width character of each half-width katakana 0xA1 ｡ to 0xDF ﾟ, in Shift-JIS.
// clang-format off: the table is laid out by kana row
constexpr char16_t kFullWidthKana[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,  // ｡ to ｫ
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349,          // ｬ to ｵ
    0x834A, 0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,          // ｶ to ｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D,          // ﾀ to ﾉ
    0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382,          // ﾊ to ﾓ
    0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393,          // ﾔ to ﾝ
    0x814A, 0x814B,                                                                          // ﾞ ﾟ
};
// clang-format on
constexpr unsigned char kFirstHalfWidthKana = 0xA1, kLastHalfWidthKana = 0xDF;
constexpr unsigned char kVoicedMark = 0xDE, kSemiVoicedMark = 0xDF;
constexpr char16_t kKatakanaU = 0x8345, kKatakanaVu = 0x8394;
constexpr char16_t kSmallTsu = 0x8362, kKatakanaN = 0x8393, kLongVowel = 0x815B;

bool IsHaRow(char16_t kana) { return kana >= 0x836E && kana <= 0x837A && (kana - 0x836E) % 3 == 0; }

// カ to ト take the voiced mark as the next code; ハ to ホ the voiced and the semi-voiced marks.
bool TakesVoicedMark(char16_t kana) {
    return (kana >= 0x834A && kana <= 0x8360 && kana % 2 == 0) || kana == 0x8363 || kana == 0x8365 || kana == 0x8367 ||
           IsHaRow(kana);
}

// A half-width katakana with the mark that may follow it: the full-width character, and whether
// the mark was taken into it.
char16_t FullWidthKana(unsigned char kana, unsigned char next, bool& markTaken) {
    const char16_t full = kFullWidthKana[kana - kFirstHalfWidthKana];
    markTaken = true;
    if (next == kVoicedMark && full == kKatakanaU) return kKatakanaVu;
    if (next == kVoicedMark && TakesVoicedMark(full)) return static_cast<char16_t>(full + 1);
    if (next == kSemiVoicedMark && IsHaRow(full)) return static_cast<char16_t>(full + 2);
    markTaken = false;
    return full;
}

char16_t FoldDoubleByte(char16_t c) {
    if (c == 0x8140) return u' ';                                                       // full-width space
    if (c >= 0x824F && c <= 0x8258) return static_cast<char16_t>(u'0' + c - 0x824F);    // ０ to ９
    if (c >= 0x8260 && c <= 0x8279) return static_cast<char16_t>(u'a' + c - 0x8260);    // Ａ to Ｚ
    if (c >= 0x8281 && c <= 0x829A) return static_cast<char16_t>(u'a' + c - 0x8281);    // ａ to ｚ
    if (c >= 0x829F && c <= 0x82DD) return static_cast<char16_t>(c - 0x829F + 0x8340);  // ぁ to み
    if (c >= 0x82DE && c <= 0x82F1) return static_cast<char16_t>(c - 0x82DE + 0x8380);  // む to ん
    return c;
}

// A change between two of these starts a word; a character of none of them never does.
enum class Script : std::uint8_t { None, Hiragana, Katakana, Kanji, Latin };

// Hiragana are folded into katakana before this is asked: FoldName tells them apart itself.
Script ScriptOf(char16_t folded) {
    if ((folded >= u'a' && folded <= u'z') || (folded >= u'0' && folded <= u'9')) return Script::Latin;
    if (folded == kLongVowel || (folded >= 0x8340 && folded <= 0x8396)) return Script::Katakana;
    return folded >= 0x889F ? Script::Kanji : Script::None;
}

// Shift-JIS text folded to one code per character: a single byte as itself, a double-byte
// character as lead * 256 + trail, so that no match can start inside a character. With `starts`,
// whether each code begins a word that is not the text's first.
void FoldName(std::string_view text, std::vector<char16_t>& folded, std::vector<bool>* starts = nullptr) {
    folded.clear();
    if (starts) starts->clear();
    Script before = Script::None;
    const auto add = [&](char16_t code, Script script) {
        if (starts) {
            const char16_t last = folded.empty() ? 0 : folded.back();
            starts->push_back(last == u' ' || last == u'_' ||
                              (script != before && script != Script::None && before != Script::None));
        }
        before = script;
        folded.push_back(code);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (IsLeadByte(c) && next != 0) {
            const auto code = static_cast<char16_t>(c << 8 | next);
            const char16_t kana = FoldDoubleByte(code);
            add(kana, code >= 0x829F && code <= 0x82F1 ? Script::Hiragana : ScriptOf(kana));
            ++i;
        } else if (c >= kFirstHalfWidthKana && c <= kLastHalfWidthKana) {
            bool markTaken = false;
            const char16_t kana = FullWidthKana(c, next, markTaken);
            add(kana, ScriptOf(kana));
            if (markTaken) ++i;
        } else {
            const char16_t letter = c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + ('a' - 'A')) : c;
            add(letter, ScriptOf(letter));
        }
    }
}

// Romaji as a Japanese input method reads it, Hepburn and Kunrei alike, each spelling with its
// kana. Doubled consonants, ン and ー are the reader's (ReadRomaji).
struct Syllable {
    char romaji[5];
    char16_t kana[3];  // one kana, or one and a small one
};
// clang-format off: the table is laid out by kana row
constexpr Syllable kSyllables[] = {
    {"a", u"ア"},     {"i", u"イ"},     {"u", u"ウ"},     {"e", u"エ"},     {"o", u"オ"},     {"ka", u"カ"},
    {"ki", u"キ"},    {"ku", u"ク"},    {"ke", u"ケ"},    {"ko", u"コ"},    {"kya", u"キャ"}, {"kyi", u"キィ"},
    {"kyu", u"キュ"}, {"kye", u"キェ"}, {"kyo", u"キョ"}, {"ga", u"ガ"},    {"gi", u"ギ"},    {"gu", u"グ"},
    {"ge", u"ゲ"},    {"go", u"ゴ"},    {"gya", u"ギャ"}, {"gyi", u"ギィ"}, {"gyu", u"ギュ"}, {"gye", u"ギェ"},
    {"gyo", u"ギョ"}, {"ca", u"カ"},    {"ci", u"シ"},    {"cu", u"ク"},    {"ce", u"セ"},    {"co", u"コ"},
    {"sa", u"サ"},    {"si", u"シ"},    {"shi", u"シ"},   {"su", u"ス"},    {"se", u"セ"},    {"so", u"ソ"},
    {"sya", u"シャ"}, {"sha", u"シャ"}, {"syu", u"シュ"}, {"shu", u"シュ"}, {"sye", u"シェ"}, {"she", u"シェ"},
    {"syo", u"ショ"}, {"sho", u"ショ"}, {"za", u"ザ"},    {"zi", u"ジ"},    {"ji", u"ジ"},    {"zu", u"ズ"},
    {"ze", u"ゼ"},    {"zo", u"ゾ"},    {"zya", u"ジャ"}, {"ja", u"ジャ"},  {"jya", u"ジャ"}, {"zyu", u"ジュ"},
    {"ju", u"ジュ"},  {"jyu", u"ジュ"}, {"zye", u"ジェ"}, {"je", u"ジェ"},  {"jye", u"ジェ"}, {"zyo", u"ジョ"},
    {"jo", u"ジョ"},  {"jyo", u"ジョ"}, {"ta", u"タ"},    {"ti", u"チ"},    {"chi", u"チ"},   {"tu", u"ツ"},
    {"tsu", u"ツ"},   {"te", u"テ"},    {"to", u"ト"},    {"tya", u"チャ"}, {"cha", u"チャ"}, {"cya", u"チャ"},
    {"tyu", u"チュ"}, {"chu", u"チュ"}, {"cyu", u"チュ"}, {"tye", u"チェ"}, {"che", u"チェ"}, {"cye", u"チェ"},
    {"tyo", u"チョ"}, {"cho", u"チョ"}, {"cyo", u"チョ"}, {"tsa", u"ツァ"}, {"tsi", u"ツィ"}, {"tse", u"ツェ"},
    {"tso", u"ツォ"}, {"thi", u"ティ"}, {"thu", u"テュ"}, {"dhi", u"ディ"}, {"dhu", u"デュ"}, {"da", u"ダ"},
    {"di", u"ヂ"},    {"du", u"ヅ"},    {"de", u"デ"},    {"do", u"ド"},    {"dya", u"ヂャ"}, {"dyu", u"ヂュ"},
    {"dyo", u"ヂョ"}, {"na", u"ナ"},    {"ni", u"ニ"},    {"nu", u"ヌ"},    {"ne", u"ネ"},    {"no", u"ノ"},
    {"nya", u"ニャ"}, {"nyu", u"ニュ"}, {"nyo", u"ニョ"}, {"ha", u"ハ"},    {"hi", u"ヒ"},    {"hu", u"フ"},
    {"fu", u"フ"},    {"he", u"ヘ"},    {"ho", u"ホ"},    {"hya", u"ヒャ"}, {"hyu", u"ヒュ"}, {"hyo", u"ヒョ"},
    {"fa", u"ファ"},  {"fi", u"フィ"},  {"fe", u"フェ"},  {"fo", u"フォ"},  {"ba", u"バ"},    {"bi", u"ビ"},
    {"bu", u"ブ"},    {"be", u"ベ"},    {"bo", u"ボ"},    {"bya", u"ビャ"}, {"byu", u"ビュ"}, {"byo", u"ビョ"},
    {"pa", u"パ"},    {"pi", u"ピ"},    {"pu", u"プ"},    {"pe", u"ペ"},    {"po", u"ポ"},    {"pya", u"ピャ"},
    {"pyu", u"ピュ"}, {"pyo", u"ピョ"}, {"ma", u"マ"},    {"mi", u"ミ"},    {"mu", u"ム"},    {"me", u"メ"},
    {"mo", u"モ"},    {"mya", u"ミャ"}, {"myu", u"ミュ"}, {"myo", u"ミョ"}, {"ya", u"ヤ"},    {"yu", u"ユ"},
    {"ye", u"イェ"},  {"yo", u"ヨ"},    {"ra", u"ラ"},    {"ri", u"リ"},    {"ru", u"ル"},    {"re", u"レ"},
    {"ro", u"ロ"},    {"rya", u"リャ"}, {"ryu", u"リュ"}, {"ryo", u"リョ"}, {"wa", u"ワ"},    {"wi", u"ウィ"},
    {"we", u"ウェ"},  {"wo", u"ヲ"},    {"va", u"ヴァ"},  {"vi", u"ヴィ"},  {"vu", u"ヴ"},    {"ve", u"ヴェ"},
    {"vo", u"ヴォ"},  {"xa", u"ァ"},    {"xi", u"ィ"},    {"xu", u"ゥ"},    {"xe", u"ェ"},    {"xo", u"ォ"},
    {"la", u"ァ"},    {"li", u"ィ"},    {"lu", u"ゥ"},    {"le", u"ェ"},    {"lo", u"ォ"},    {"xya", u"ャ"},
    {"xyu", u"ュ"},   {"xyo", u"ョ"},   {"lya", u"ャ"},   {"lyu", u"ュ"},   {"lyo", u"ョ"},   {"xtu", u"ッ"},
    {"xtsu", u"ッ"},  {"ltu", u"ッ"},   {"ltsu", u"ッ"},  {"xwa", u"ヮ"},   {"lwa", u"ヮ"},   {"xka", u"ヵ"},
    {"lka", u"ヵ"},   {"xke", u"ヶ"},   {"lke", u"ヶ"},
};
// clang-format on
constexpr std::size_t kLongestSyllable = 4;

// A katakana (or ー) in Shift-JIS: ァ to ミ run on from 0x8340, ム to ヶ from 0x8380 (0x837F is
// no character).
char16_t ShiftJisKatakana(char16_t unicode) {
    if (unicode == u'ー') return kLongVowel;
    const int offset = unicode - u'ァ';
    return static_cast<char16_t>(0x8340 + offset + (offset >= u'ム' - u'ァ' ? 1 : 0));
}

bool IsVowelOrY(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o' || c == 'y'; }
bool IsConsonant(char c) { return c >= 'a' && c <= 'z' && !IsVowelOrY(c); }

std::string_view Romaji(const Syllable& syllable) { return syllable.romaji; }

void AppendKana(std::vector<char16_t>& codes, const Syllable& syllable) {
    for (char16_t c : syllable.kana) {
        if (c != 0) codes.push_back(ShiftJisKatakana(c));
    }
}

// The first kana of every syllable that the letters begin, and ン for an n: what a word may go on
// to while its last syllable is being typed. (A consonant may also begin a doubled one: ッ before
// one of these, which the reader of names allows.)
std::vector<char16_t> KanaBegun(std::string_view letters) {
    std::vector<char16_t> next;
    const auto add = [&next](char16_t code) {
        if (std::find(next.begin(), next.end(), code) == next.end()) next.push_back(code);
    };
    for (const Syllable& syllable : kSyllables) {
        if (Romaji(syllable).size() > letters.size() && Romaji(syllable).starts_with(letters)) {
            add(ShiftJisKatakana(syllable.kana[0]));
        }
    }
    if (next.empty()) return next;
    if (letters == "n") add(kKatakanaN);
    return next;
}

// Readings of a word are few: an nn before a vowel reads both ways (konnichi, gennei), up to this.
// A vowel that may be read long is no reading of its own but ー beside it in the same reading
// (WordReading::longVowel): a vowel may be read so at every place at once, and "fiirudoboudaa"
// is one reading, not eight.
constexpr std::size_t kMostReadings = 8;

// The word (lower-case ASCII letters, - and ') read as romaji from letter i on, after what
// `reading` holds; each reading goes to `readings`. A word that cannot be read gives none.
void ReadRomaji(std::string_view word, std::size_t i, WordReading reading, std::vector<WordReading>& readings) {
    std::vector<char16_t>& codes = reading.codes;
    char vowel = '\0';  // the one the last kana read ends in
    while (i < word.size()) {
        const char c = word[i];
        const char after = i + 1 < word.size() ? word[i + 1] : '\0';
        const char endedIn = std::exchange(vowel, '\0');
        if (c == '-') {
            codes.push_back(kLongVowel);
            ++i;
        } else if (c == 'n' && after == '\'') {
            codes.push_back(kKatakanaN);
            i += 2;
        } else if (c == 'n' && after == 'n') {
            codes.push_back(kKatakanaN);
            // Before a vowel the second n may begin the next syllable as well (konnichi).
            if (i + 2 < word.size() && IsVowelOrY(word[i + 2]) && readings.size() + 1 < kMostReadings) {
                ReadRomaji(word, i + 1, reading, readings);
            }
            i += 2;
        } else if (c == 'n' && after != '\0' && !IsVowelOrY(after)) {
            codes.push_back(kKatakanaN);
            ++i;
        } else if (IsConsonant(c) && c != 'n' && (after == c || (c == 't' && after == 'c'))) {
            codes.push_back(kSmallTsu);  // a doubled consonant, or the t of tch
            ++i;
        } else {
            const Syllable* found = nullptr;
            for (std::size_t length = std::min(kLongestSyllable, word.size() - i); length > 0 && !found; --length) {
                for (const Syllable& syllable : kSyllables) {
                    if (Romaji(syllable) == std::string_view(word.data() + i, length)) found = &syllable;
                }
            }
            if (!found) {
                // The last letters begin a syllable not yet typed whole.
                reading.next = KanaBegun(std::string_view(word.data() + i, word.size() - i));
                if (reading.next.empty()) return;
                break;
            }
            const std::string_view romaji = Romaji(*found);
            // Users type a long vowel as they hear it: buraa, boudaa, sheidaa.
            if (romaji.size() == 1 && endedIn != '\0' &&
                (c == endedIn || (endedIn == 'o' && c == 'u') || (endedIn == 'e' && c == 'i'))) {
                reading.longVowel.resize(codes.size());
                reading.longVowel.push_back(true);
            }
            AppendKana(codes, *found);
            vowel = romaji.back();
            i += romaji.size();
        }
    }
    readings.push_back(std::move(reading));
}

bool MayBeLong(const WordReading& reading, std::size_t k) {
    return k < reading.longVowel.size() && reading.longVowel[k];
}

// The typed code k read as a kana of the name: itself, or ー where the reading allows.
bool ReadsKana(const WordReading& reading, std::size_t k, char16_t kana) {
    return reading.codes[k] == kana || (MayBeLong(reading, k) && kana == kLongVowel);
}

constexpr char16_t kKatakanaI = 0x8343, kKatakanaKu = 0x834E, kKatakanaKi = 0x834C, kKatakanaChi = 0x8360;
constexpr char16_t kKatakanaTsu = 0x8363;

// The typed code k read as a kana of a kanji's reading: itself, and a vowel typed long (or ー) as
// the ウ of ou or the イ of ei that the readings write.
bool ReadsReadingKana(const WordReading& reading, std::size_t k, char16_t kana) {
    return reading.codes[k] == kana ||
           ((MayBeLong(reading, k) || reading.codes[k] == kLongVowel) && (kana == kKatakanaU || kana == kKatakanaI));
}

bool IsKana(char16_t folded) { return folded >= 0x8340 && folded <= 0x8396; }

int KanjiSlotOf(char16_t folded) { return folded >= 0x889F ? KanjiSlot(folded) : -1; }

// The kana of a reading in the table's romaji; none when the syllables cannot read it.
std::vector<char16_t> KanaOfRomaji(std::string_view romaji) {
    std::vector<WordReading> readings;
    ReadRomaji(romaji, 0, {}, readings);
    if (readings.empty()) return {};
    WordReading& reading = readings.front();  // an nn before a vowel reads ン and the next syllable
    if (!reading.next.empty()) {
        if (!romaji.ends_with('n') || (romaji.size() > 1 && romaji[romaji.size() - 2] == 'n')) return {};
        reading.codes.push_back(kKatakanaN);  // a reading ends in n: ン
    }
    return reading.codes;
}

// Where a form of a reading may stand in a name: after a kanji, before kana, before a kanji.
enum FormNeeds : std::uint8_t { kAfterKanji = 1, kBeforeKana = 2, kBeforeKanji = 4 };

// One way a kanji reads in a name, with the sound changes of compound words: a verb's or an
// adjective's kun reading in part (its stem) before the kana that follow it (塗り: nu + ri, 明るさ:
// aka + ru + sa), a kun reading's first consonant voiced after a kanji (縁取り: fuchi + dori), a
// doubled consonant for a reading ending in tsu, chi, ku or ki before a kanji (一括: ikkatsu).
struct KanjiForm {
    std::vector<char16_t> codes;
    std::uint8_t needs = 0;
};

// A verb's kun reading (nuru, toru) is read in a name as its stem before the kana that inflect it,
// never whole: the 化 of ドット化 is no bakeru.
bool Inflects(char16_t last) {
    constexpr char16_t kEndings[] = {kKatakanaU, kKatakanaKu, 0x834F, 0x8358, 0x836B, 0x8375, 0x8380, 0x838B};
    return std::find(std::begin(kEndings), std::end(kEndings), last) != std::end(kEndings);  // ウクグスヌブムル
}

bool Doubles(char16_t last) {
    return last == kKatakanaTsu || last == kKatakanaChi || last == kKatakanaKu || last == kKatakanaKi;
}

std::vector<KanjiForm> FormsOf(int slot) {
    std::vector<KanjiForm> forms;
    const KanjiReadings readings(slot);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const std::vector<char16_t> whole = KanaOfRomaji(readings[i].romaji);
        if (whole.empty()) continue;
        const bool kun = readings[i].kun;
        const std::size_t first = forms.size();
        if (!kun || !Inflects(whole.back())) forms.push_back({whole, 0});
        if (Doubles(whole.back())) {
            forms.push_back({whole, kBeforeKanji});
            forms.back().codes.back() = kSmallTsu;
        }
        // A verb or adjective (ending in u-row kana or i) is written with kana after its stem.
        const bool inflected =
            kun && (Inflects(whole.back()) || whole.back() == kKatakanaI || whole.back() == kKatakanaTsu);
        for (std::size_t stem = 1; inflected && stem < whole.size(); ++stem) {
            forms.push_back({{whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(stem)}, kBeforeKana});
        }
        for (std::size_t f = first, made = forms.size(); kun && f < made; ++f) {
            if (!TakesVoicedMark(forms[f].codes.front())) continue;
            forms.push_back(forms[f]);
            ++forms.back().codes.front();
            forms.back().needs |= kAfterKanji;
        }
    }
    return forms;
}

// The forms of the kanji in `slot`, made the first time a name holds it.
const std::vector<KanjiForm>& KanjiFormsOf(int slot) {
    static std::vector<std::vector<KanjiForm>> made(kKanjiSlots);
    static std::vector<bool> done(kKanjiSlots);
    if (!done[static_cast<std::size_t>(slot)]) {
        made[static_cast<std::size_t>(slot)] = FormsOf(slot);
        done[static_cast<std::size_t>(slot)] = true;
    }
    return made[static_cast<std::size_t>(slot)];
}

// What the place of the name at `t` offers a kanji's forms.
std::uint8_t PlaceOf(const std::vector<char16_t>& text, std::size_t t) {
    std::uint8_t place = 0;
    if (t > 0 && KanjiSlotOf(text[t - 1]) >= 0) place |= kAfterKanji;
    if (t + 1 < text.size() && IsKana(text[t + 1])) place |= kBeforeKana;
    if (t + 1 < text.size() && KanjiSlotOf(text[t + 1]) >= 0) place |= kBeforeKanji;
    return place;
}

bool Fits(const KanjiForm& form, std::uint8_t place) { return (form.needs & ~place) == 0; }

// A word whose codes are all read has read the name from `t` on when nothing more was typed, or when
// the letters typed after them begin the name's next kana (or ッ and the kana after it, or a reading
// of its next kanji). `whole`: what was read ends with the name.
bool EndsAt(const WordReading& reading, const std::vector<char16_t>& text, std::size_t t, bool& whole) {
    if (reading.next.empty()) {
        whole = t == text.size();
        return true;
    }
    if (t == text.size()) return false;
    const auto begun = [&](char16_t kana) {
        return std::find(reading.next.begin(), reading.next.end(), kana) != reading.next.end();
    };
    std::size_t last = t;
    bool read = begun(text[t]);
    if (!read && text[t] == kSmallTsu && t + 1 < text.size()) read = begun(text[last = t + 1]);
    if (const int slot = KanjiSlotOf(text[t]); !read && slot >= 0) {
        const std::uint8_t place = PlaceOf(text, t);
        for (const KanjiForm& form : KanjiFormsOf(slot)) read = read || (Fits(form, place) && begun(form.codes[0]));
    }
    whole = last + 1 == text.size();
    return read;
}

bool ReadsFrom(const WordReading& reading, std::size_t k, const std::vector<char16_t>& text, std::size_t t,
               bool& whole);

// The word's codes from k on read through the kanji at `t`: one of its forms whole, and the rest
// after it; or, for the last codes typed, the beginning of one.
bool ReadsKanji(const WordReading& reading, std::size_t k, const std::vector<char16_t>& text, std::size_t t, int slot,
                bool& whole) {
    const std::uint8_t place = PlaceOf(text, t);
    for (const KanjiForm& form : KanjiFormsOf(slot)) {
        if (!Fits(form, place)) continue;
        std::size_t j = 0;
        while (j < form.codes.size() && k + j < reading.codes.size() &&
               ReadsReadingKana(reading, k + j, form.codes[j])) {
            ++j;
        }
        if (j == form.codes.size()) {
            if (ReadsFrom(reading, k + j, text, t + 1, whole)) return true;
        } else if (k + j == reading.codes.size() &&
                   (reading.next.empty() ||
                    std::find(reading.next.begin(), reading.next.end(), form.codes[j]) != reading.next.end())) {
            whole = t + 1 == text.size();
            return true;
        }
    }
    return false;
}

// The word's codes from k on read the name from `t` on: its kana and letters as they are, a
// kanji by one of its readings.
bool ReadsFrom(const WordReading& reading, std::size_t k, const std::vector<char16_t>& text, std::size_t t,
               bool& whole) {
    for (; k < reading.codes.size(); ++k, ++t) {
        if (t == text.size()) return false;
        if (ReadsKana(reading, k, text[t])) continue;  // a kanji typed as itself too
        const int slot = KanjiSlotOf(text[t]);
        return slot >= 0 && ReadsKanji(reading, k, text, t, slot, whole);
    }
    return EndsAt(reading, text, t, whole);
}

bool IsRomaji(const std::vector<char16_t>& word) {
    return std::all_of(word.begin(), word.end(),
                       [](char16_t c) { return (c >= u'a' && c <= u'z') || c == u'-' || c == u'\''; });
}

}  // namespace

NameQuery::NameQuery(std::string_view typed) {
    std::vector<char16_t> folded;
    FoldName(typed, folded);
    auto start = folded.begin();
    while (start != folded.end()) {
        const auto end = std::find(start, folded.end(), u' ');
        if (end != start) {
            std::vector<WordReading> readings{{{start, end}, {}, {}}};
            if (IsRomaji(readings[0].codes)) ReadRomaji(std::string(start, end), 0, {}, readings);
            words_.push_back(std::move(readings));
        }
        start = end == folded.end() ? end : end + 1;
    }
}

MatchQuality NameQuery::Find(std::size_t w, const std::vector<char16_t>& text, const std::vector<bool>& starts) const {
    MatchQuality best = MatchQuality::None;
    for (const WordReading& reading : words_[w]) {
        for (std::size_t at = 0; at < text.size(); ++at) {
            bool whole = false;
            if (!ReadsFrom(reading, 0, text, at, whole)) continue;
            const MatchQuality quality =
                at == 0      ? (whole && words_.size() == 1 ? MatchQuality::Equal : MatchQuality::Begins)
                : starts[at] ? MatchQuality::WordStart
                             : MatchQuality::Contains;
            // Only the first word's place ranks; past a word start, a later place could be no better.
            if (w > 0) return quality;
            best = std::max(best, quality);
            if (quality >= MatchQuality::WordStart) break;
        }
    }
    return best;
}

MatchQuality NameQuery::Quality(std::string_view name, std::string_view words) const {
    if (words_.empty()) return MatchQuality::Contains;
    FoldName(name, folded_, &starts_);
    bool wordsFolded = false;
    // The user's words are folded once a row at most, and not at all for a row whose name is enough.
    const auto inWords = [&](std::size_t w) {
        if (words.empty()) return MatchQuality::None;
        if (!wordsFolded) FoldName(words, foldedWords_, &wordStarts_);
        wordsFolded = true;
        return Find(w, foldedWords_, wordStarts_);
    };
    const MatchQuality first = Find(0, folded_, starts_);
    const MatchQuality either = first < MatchQuality::WordStart ? std::max(first, inWords(0)) : first;
    if (either == MatchQuality::None) return either;
    bool nameAlone = first != MatchQuality::None;
    for (std::size_t w = 1; w < words_.size(); ++w) {
        if (Find(w, folded_, starts_) != MatchQuality::None) continue;
        if (inWords(w) == MatchQuality::None) return MatchQuality::None;
        nameAlone = false;
    }
    const MatchQuality withWords = std::min(either, MatchQuality::WordStart);
    return nameAlone ? std::max(first, withWords) : withWords;
}

std::string FoldedText(std::string_view text) {
    std::vector<char16_t> folded;
    FoldName(text, folded);
    std::string bytes;
    for (char16_t c : folded) {
        if (c > 0xFF) bytes.push_back(static_cast<char>(c >> 8));
        bytes.push_back(static_cast<char>(c & 0xFF));
    }
    return bytes;
}

std::string_view CutAtCharacter(std::string_view text, std::size_t most) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next > most || next > text.size()) break;
        end = next;
    }
    return {text.data(), end};
}

}  // namespace kirabo
