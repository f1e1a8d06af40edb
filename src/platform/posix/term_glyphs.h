// What each byte of the screen is sent as, in the character set of the
// user's locale. Under UTF-8 every byte goes out as its glyph in the OEM
// code page.
// In a single-byte set (Latin-1, KOI8-R, plain ASCII under LANG=C) every
// byte goes out as one byte, one cell: the locale's own character where the
// set has the glyph (at a byte from 0xA0 up, never a C1 control); else the
// line-drawing character of the terminal's DEC special graphics set (the
// box lines, drawn single where they are double, and a few symbols); else
// a plain ASCII look-alike.
#ifndef QB_PLATFORM_POSIX_TERM_GLYPHS_H
#define QB_PLATFORM_POSIX_TERM_GLYPHS_H

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/posix/locale_charset.h"

namespace qb {

// The character set a glyph's bytes need in the terminal's G0: either (the
// bytes mean the same in both), ASCII, or the DEC line-drawing set.
enum class GlyphSet : std::uint8_t { kEither, kAscii, kLines };

struct TermGlyph {
  std::array<char, 3> bytes{};
  std::uint8_t length = 0;
  GlyphSet set = GlyphSet::kEither;

  std::string_view text() const { return {bytes.data(), length}; }
};

using GlyphTable = std::array<TermGlyph, 256>;

// The glyph of every byte 0 to 255 for a terminal that speaks `charset`;
// without `line_drawing` (plain text, no sets to switch) the box lines are
// look-alikes too.
GlyphTable make_glyph_table(const LocaleCharset& charset, bool line_drawing = true);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERM_GLYPHS_H
