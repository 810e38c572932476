#include "entries/NameMatch.h"

#include <algorithm>
#include <cstdint>

namespace kirabo {
namespace {

// The full-width character of each half-width katakana 0xA1 ｡ to 0xDF ﾟ, in Shift-JIS.
constexpr char16_t kFullWidthKana[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,  // ｡ to ｫ
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349,          // ｬ to ｵ
    0x834A, 0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,          // ｶ to ｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D,          // ﾀ to ﾉ
    0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382,          // ﾊ to ﾓ
    0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393,          // ﾔ to ﾝ
    0x814A, 0x814B,                                                                          // ﾞ ﾟ
};
constexpr unsigned char kFirstHalfWidthKana = 0xA1, kLastHalfWidthKana = 0xDF;
constexpr unsigned char kVoicedMark = 0xDE, kSemiVoicedMark = 0xDF;
constexpr char16_t kKatakanaU = 0x8345, kKatakanaVu = 0x8394;

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsHaRow(char16_t kana) { return kana >= 0x836E && kana <= 0x837A && (kana - 0x836E) % 3 == 0; }

// カ to ト take the voiced mark as the next code; ハ to ホ the voiced and the semi-voiced marks.
bool TakesVoicedMark(char16_t kana) {
    return (kana >= 0x834A && kana <= 0x8360 && kana % 2 == 0) || kana == 0x8363 || kana == 0x8365 ||
           kana == 0x8367 || IsHaRow(kana);
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
    if (c == 0x8140) return u' ';                                                 // full-width space
    if (c >= 0x824F && c <= 0x8258) return static_cast<char16_t>(u'0' + c - 0x824F);  // ０ to ９
    if (c >= 0x8260 && c <= 0x8279) return static_cast<char16_t>(u'a' + c - 0x8260);  // Ａ to Ｚ
    if (c >= 0x8281 && c <= 0x829A) return static_cast<char16_t>(u'a' + c - 0x8281);  // ａ to ｚ
    if (c >= 0x829F && c <= 0x82DD) return static_cast<char16_t>(c - 0x829F + 0x8340);  // ぁ to み
    if (c >= 0x82DE && c <= 0x82F1) return static_cast<char16_t>(c - 0x82DE + 0x8380);  // む to ん
    return c;
}

// Shift-JIS text folded to one code per character: a single byte as itself, a double-byte
// character as lead * 256 + trail, so that no match can start inside a character.
std::vector<char16_t> FoldName(std::string_view text) {
    std::vector<char16_t> folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (IsLeadByte(c) && next != 0) {
            folded.push_back(FoldDoubleByte(static_cast<char16_t>(c << 8 | next)));
            ++i;
        } else if (c >= kFirstHalfWidthKana && c <= kLastHalfWidthKana) {
            bool markTaken = false;
            folded.push_back(FullWidthKana(c, next, markTaken));
            if (markTaken) ++i;
        } else {
            folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + ('a' - 'A')) : c);
        }
    }
    return folded;
}

}  // namespace

NameQuery::NameQuery(std::string_view typed) {
    const std::vector<char16_t> folded = FoldName(typed);
    auto start = folded.begin();
    while (start != folded.end()) {
        const auto end = std::find(start, folded.end(), u' ');
        if (end != start) words_.emplace_back(start, end);
        start = end == folded.end() ? end : end + 1;
    }
}

bool NameQuery::Matches(std::string_view name) const {
    if (words_.empty()) return true;
    const std::vector<char16_t> folded = FoldName(name);
    for (const std::vector<char16_t>& word : words_) {
        if (std::search(folded.begin(), folded.end(), word.begin(), word.end()) == folded.end()) return false;
    }
    return true;
}

}  // namespace kirabo
