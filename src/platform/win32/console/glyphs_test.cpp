// Glyph tables of console code pages, and typed characters back to bytes.
#include "platform/win32/console/glyphs.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(Win32Glyphs, SingleByteCodePagesShowTheirOwnGlyphs) {
  const CodePageGlyphs cp437 = glyphs_for_code_page(437);
  EXPECT_EQ(cp437.glyph[0xC9], L'\x2554');  // the box corner
  EXPECT_EQ(cp437.glyph[0xCD], L'\x2550');
  EXPECT_EQ(cp437.glyph[0xAF], L'\x00BB');  // the prompt marker
  EXPECT_EQ(cp437.glyph[0x9B], L'\x00A2');
  EXPECT_EQ(cp437.glyph['A'], L'A');
  const CodePageGlyphs cp850 = glyphs_for_code_page(850);
  EXPECT_EQ(cp850.glyph[0xC9], L'\x2554');
  EXPECT_EQ(cp850.glyph[0x9B], L'\x00F8');  // where 437 has the cent sign
  const CodePageGlyphs cp1252 = glyphs_for_code_page(1252);
  EXPECT_EQ(cp1252.glyph[0xC9], L'\x00C9');
}

TEST(Win32Glyphs, ControlBytesShowTheirPcGlyphsAndZeroShowsBlank) {
  for (const unsigned code_page : {437u, 850u, 1252u, 65001u}) {
    const CodePageGlyphs glyphs = glyphs_for_code_page(code_page);
    EXPECT_EQ(glyphs.glyph[0x00], L' ') << code_page;
    EXPECT_EQ(glyphs.glyph[0x01], L'\x263A') << code_page;
    EXPECT_EQ(glyphs.glyph[0x7F], L'\x2302') << code_page;
  }
}

// UTF-8 shows a byte from 0x80 alone as the replacement character, a
// double-byte page its own single bytes (ｶ in 932): the marks as 437's.
TEST(Win32Glyphs, CodePagesOfSeveralBytesShowTheirSingleBytes) {
  const CodePageGlyphs utf8 = glyphs_for_code_page(65001);
  EXPECT_EQ(utf8.glyph[0xC9], L'\xFFFD');
  EXPECT_EQ(utf8.glyph['z'], L'z');
  EXPECT_TRUE(utf8.marks_differ[0xC9] && utf8.marks_differ[0xAF] && !utf8.marks_differ['z']);
  EXPECT_EQ(glyphs_for_code_page(932).glyph[0xB6], L'\xFF76');
  EXPECT_TRUE(glyphs_for_code_page(932).marks_differ[0xC9]);
}

TEST(Win32Glyphs, TypedCharactersGoBackToTheirBytes) {
  const CodePageGlyphs cp437 = glyphs_for_code_page(437);
  EXPECT_EQ(byte_for_char(cp437, L'a'), 'a');
  EXPECT_EQ(byte_for_char(cp437, L'\r'), 13);
  EXPECT_EQ(byte_for_char(cp437, L'\x01'), 1);
  EXPECT_EQ(byte_for_char(cp437, L'\x00E4'), 0x84);  // ä
  EXPECT_EQ(byte_for_char(cp437, L'\x2554'), 0xC9);
  EXPECT_EQ(byte_for_char(cp437, L'\x20AC'), '?');  // no euro sign in 437, nor a best fit
  EXPECT_EQ(byte_for_char(cp437, L'\x263A'), '?');  // a control glyph is not typed as a control
  EXPECT_EQ(byte_for_char(cp437, L'\x00A9'), 'c');  // the best fit of the copyright sign
  EXPECT_EQ(byte_for_char(glyphs_for_code_page(850), L'\x00A9'), 0xB8);
  EXPECT_EQ(byte_for_char(glyphs_for_code_page(850), L'\x00F8'), 0x9B);
  // Every byte from 128 up comes back from its own glyph in code page 437.
  for (int byte = 0x80; byte < 0x100; ++byte) {
    EXPECT_EQ(byte_for_char(cp437, cp437.glyph[static_cast<std::size_t>(byte)]), byte) << byte;
  }
}

}  // namespace
}  // namespace qb
