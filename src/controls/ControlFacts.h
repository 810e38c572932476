// Facts of the controls that the palette and the reorder dialog both use, in plain numbers: the keys
// they look at, as Windows numbers them (FindBox.cpp checks them against its names), the characters
// some of them type, and the find box's count beside it.
#pragma once

#include <cstdint>

namespace kirabo {

inline constexpr std::uint32_t kKeyBack = 0x08;
inline constexpr std::uint32_t kKeyReturn = 0x0D;
inline constexpr std::uint32_t kKeyEscape = 0x1B;
inline constexpr std::uint32_t kKeySpace = 0x20;
inline constexpr std::uint32_t kKeyEnd = 0x23;
inline constexpr std::uint32_t kKeyHome = 0x24;
inline constexpr std::uint32_t kKeyUp = 0x26;
inline constexpr std::uint32_t kKeyDown = 0x28;
inline constexpr std::uint32_t kKeyDelete = 0x2E;
inline constexpr std::uint32_t kKeyA = 'A';
inline constexpr std::uint32_t kKeyF = 'F';
inline constexpr std::uint32_t kKeyG = 'G';
inline constexpr std::uint32_t kKeyY = 'Y';
inline constexpr std::uint32_t kKeyZ = 'Z';
inline constexpr std::uint32_t kKeyF1 = 0x70;
inline constexpr std::uint32_t kKeyF2 = 0x71;
inline constexpr std::uint32_t kKeyF3 = 0x72;
inline constexpr std::uint32_t kKeyF24 = 0x87;
inline constexpr std::uint32_t kCharCtrlA = 1;  // the characters Ctrl+A, Ctrl+G, Ctrl+Y and Ctrl+Z type
inline constexpr std::uint32_t kCharCtrlG = 7;
inline constexpr std::uint32_t kCharCtrlY = 25;
inline constexpr std::uint32_t kCharCtrlZ = 26;
inline constexpr std::uint32_t kCharSpace = ' ';
inline constexpr std::uint32_t kCharReturn = '\r';
inline constexpr std::uint32_t kCharEscape = 0x1B;
inline constexpr std::uint32_t kCharCtrlBackspace = 0x7F;

// The count of matches beside a find box ("12件"), in both windows.
inline constexpr int kFindCountWidth = 60;

}  // namespace kirabo
