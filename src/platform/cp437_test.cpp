// Code page 437 glyphs: every byte has its own glyph, typed glyphs come back
// as their bytes, and control glyphs never come back from typing.
#include "platform/cp437.h"

#include <gtest/gtest.h>

#include <set>

namespace qb {
namespace {

TEST(Cp437, GlyphsOfTheProgramsOwnCharactersAndTheSpecialBytes) {
  EXPECT_EQ(cp437::to_unicode(0xC9), U'╔');
  EXPECT_EQ(cp437::to_unicode(0xCD), U'═');
  EXPECT_EQ(cp437::to_unicode(0xBB), U'╗');
  EXPECT_EQ(cp437::to_unicode(0xBA), U'║');
  EXPECT_EQ(cp437::to_unicode(0xC8), U'╚');
  EXPECT_EQ(cp437::to_unicode(0xBC), U'╝');
  EXPECT_EQ(cp437::to_unicode(0xAF), U'»');
  EXPECT_EQ(cp437::to_unicode(0x00), U' ');
  EXPECT_EQ(cp437::to_unicode(0x01), U'☺');
  EXPECT_EQ(cp437::to_unicode(0x1B), U'←');
  EXPECT_EQ(cp437::to_unicode(0x7F), U'⌂');
  EXPECT_EQ(cp437::to_unicode(0x82), U'é');
  EXPECT_EQ(cp437::to_unicode(0xE1), U'ß');
  EXPECT_EQ(cp437::to_unicode(0xFF), U'\u00A0');
}

TEST(Cp437, EveryByteShowsAsItsOwnPrintableGlyph) {
  std::set<char32_t> seen;
  for (int byte = 1; byte < 256; ++byte) {
    const char32_t glyph = cp437::to_unicode(static_cast<std::uint8_t>(byte));
    EXPECT_GE(glyph, U' ') << byte;
    EXPECT_FALSE(glyph >= 0x7F && glyph < 0xA0) << byte;  // no C1 control either
    EXPECT_TRUE(seen.insert(glyph).second) << "byte " << byte << " shares its glyph";
  }
}

TEST(Cp437, TypedGlyphsComeBackAsBytesButControlGlyphsDoNot) {
  for (int byte = 0x20; byte < 256; ++byte) {
    const int back = cp437::from_unicode(cp437::to_unicode(static_cast<std::uint8_t>(byte)));
    EXPECT_EQ(back, byte == 0x7F ? -1 : byte) << byte;
  }
  for (int byte = 1; byte < 0x20; ++byte) {
    EXPECT_EQ(cp437::from_unicode(cp437::to_unicode(static_cast<std::uint8_t>(byte))), -1);
  }
  EXPECT_EQ(cp437::from_unicode(U'\r'), -1);
  EXPECT_EQ(cp437::from_unicode(U'€'), -1);
  EXPECT_EQ(cp437::from_unicode(0x1F600), -1);
}

}  // namespace
}  // namespace qb
