// The Japanese readings of every kanji a Shift-JIS name can hold (JIS X 0208), from the Unicode Han
// database as a table generated at build time (tools/readings/kanji_readings.py): the readings in
// romaji, as the database writes them, on readings first, then kun readings.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kirabo {

// Shift-JIS leads 0x88 to 0x9F and 0xE0 to 0xEA, each with the 188 trail bytes 0x40 to 0xFC but 0x7F.
inline constexpr int kKanjiSlots = 35 * 188;
inline constexpr std::uint16_t kKanjiKunBit = 0x8000;

// The generated table (see the generator for its form).
extern const char kKanjiReadingText[];
extern const std::uint16_t kKanjiReadings[];
extern const std::uint16_t kKanjiFirstReading[kKanjiSlots + 1];

// The slot of a double-byte Shift-JIS code (lead * 256 + trail) in the table; -1 for a code
// outside the kanji's rows.
int KanjiSlot(char16_t code);

// One reading of a kanji.
struct KanjiReading {
    std::string_view romaji;  // lower case: "shiki"
    bool kun = false;
};

// The readings of the kanji in `slot`, in the table's order; none for an empty or invalid slot.
class KanjiReadings {
public:
    explicit KanjiReadings(int slot);
    std::size_t size() const { return packed_.size(); }
    KanjiReading operator[](std::size_t i) const;

private:
    std::span<const std::uint16_t> packed_;
};

}  // namespace kirabo
