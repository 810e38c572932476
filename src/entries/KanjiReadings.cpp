#include "entries/KanjiReadings.h"

namespace kirabo {
namespace {

constexpr int kTrailsPerLead = 188;

int LeadRow(int lead) {
    if (lead >= 0x88 && lead <= 0x9F) return lead - 0x88;
    if (lead >= 0xE0 && lead <= 0xEA) return lead - 0xE0 + (0x9F - 0x88 + 1);
    return -1;
}

}  // namespace

int KanjiSlot(char16_t code) {
    const int row = LeadRow(code >> 8);
    const int trail = code & 0xFF;
    if (row < 0 || trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
    return row * kTrailsPerLead + trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

KanjiReadings::KanjiReadings(int slot) {
    if (slot < 0 || slot >= kKanjiSlots) return;
    packed_ = {kKanjiReadings + kKanjiFirstReading[slot], kKanjiReadings + kKanjiFirstReading[slot + 1]};
}

KanjiReading KanjiReadings::operator[](std::size_t i) const {
    const std::uint16_t packed = packed_[i];
    return {kKanjiReadingText + (packed & ~kKanjiKunBit), (packed & kKanjiKunBit) != 0};
}

}  // namespace kirabo
