// The code page 437 to 1252 table: every character that both code pages
// hold keeps its identity, the rest fall back to harmless plain bytes.
#include "platform/cp437_to_1252.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace qb {
namespace {

// The upper-half characters of code page 437 that code page 1252 also holds,
// with their 1252 bytes, as Python's cp437 and cp1252 codecs give them.
constexpr std::array<std::pair<int, int>, 54> kShared = {{
    {0x80, 0xC7}, {0x81, 0xFC}, {0x82, 0xE9}, {0x83, 0xE2}, {0x84, 0xE4}, {0x85, 0xE0},
    {0x86, 0xE5}, {0x87, 0xE7}, {0x88, 0xEA}, {0x89, 0xEB}, {0x8A, 0xE8}, {0x8B, 0xEF},
    {0x8C, 0xEE}, {0x8D, 0xEC}, {0x8E, 0xC4}, {0x8F, 0xC5}, {0x90, 0xC9}, {0x91, 0xE6},
    {0x92, 0xC6}, {0x93, 0xF4}, {0x94, 0xF6}, {0x95, 0xF2}, {0x96, 0xFB}, {0x97, 0xF9},
    {0x98, 0xFF}, {0x99, 0xD6}, {0x9A, 0xDC}, {0x9B, 0xA2}, {0x9C, 0xA3}, {0x9D, 0xA5},
    {0x9F, 0x83}, {0xA0, 0xE1}, {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA}, {0xA4, 0xF1},
    {0xA5, 0xD1}, {0xA6, 0xAA}, {0xA7, 0xBA}, {0xA8, 0xBF}, {0xAA, 0xAC}, {0xAB, 0xBD},
    {0xAC, 0xBC}, {0xAD, 0xA1}, {0xAE, 0xAB}, {0xAF, 0xBB}, {0xE1, 0xDF}, {0xE6, 0xB5},
    {0xF1, 0xB1}, {0xF6, 0xF7}, {0xF8, 0xB0}, {0xFA, 0xB7}, {0xFD, 0xB2}, {0xFF, 0xA0},
}};

TEST(Cp437To1252, SharedCharactersKeepTheirIdentity) {
  for (const auto& [oem, ansi] : kShared) {
    EXPECT_EQ(cp437_to_1252(static_cast<unsigned char>(oem)), ansi) << std::hex << oem;
  }
}

TEST(Cp437To1252, AsciiIsUnchanged) {
  for (int c = 0; c < 0x80; ++c) EXPECT_EQ(cp437_to_1252(static_cast<unsigned char>(c)), c);
}

TEST(Cp437To1252, OtherCharactersBecomePlainLookAlikes) {
  EXPECT_EQ(cp437_to_1252(0xC4), '-');  // ─
  EXPECT_EQ(cp437_to_1252(0xCD), '-');  // ═
  EXPECT_EQ(cp437_to_1252(0xB3), '|');  // │
  EXPECT_EQ(cp437_to_1252(0xBA), '|');  // ║
  EXPECT_EQ(cp437_to_1252(0xC9), '+');  // ╔
  EXPECT_EQ(cp437_to_1252(0xC5), '+');  // ┼
  EXPECT_EQ(cp437_to_1252(0xE0), 'a');  // α
  EXPECT_EQ(cp437_to_1252(0xE4), 'S');  // Σ
  EXPECT_EQ(cp437_to_1252(0xF7), '~');  // ≈

  // Nothing turns into a byte that would end a line or a quoted value in
  // the script, or into a control character.
  for (int c = 0x80; c < 0x100; ++c) {
    const unsigned char ansi = cp437_to_1252(static_cast<unsigned char>(c));
    EXPECT_GE(ansi, 0x20) << std::hex << c;
    EXPECT_NE(ansi, '"') << std::hex << c;
    EXPECT_NE(ansi, 0x7F) << std::hex << c;
  }
}

}  // namespace
}  // namespace qb
