// What each byte of the screen is sent as, in the character set of the
// user's locale. Under UTF-8 every byte goes out as its glyph in the
// console's page; on the screen a glyph fills one cell whatever it is, as on the
// console: a combining mark (a Thai vowel sign, a Vietnamese tone mark)
// stands on a no-break space of its own, and a byte that the page leaves out
// (its character a C1 control) or gives a private-use character shows as
// the replacement character.
// In a single-byte set (Latin-1, KOI8-R, plain ASCII under LANG=C) every
// byte goes out as one byte, one cell: the locale's own character where the
// set has the glyph (at a byte from 0xA0 up, never a C1 control); else the
// line-drawing character of the terminal's DEC special graphics set (the
// box lines, drawn single where they are double, and a few symbols); else
// a plain ASCII look-alike. A legacy multi-byte set (Shift_JIS, EUC-JP,
// GBK, Big5, EUC-KR) is taken the same way, its own characters only where
// they take one column for sure: the half-width forms (ｶ is B6 in
// Shift_JIS, 8E B6 in EUC-JP). A pair of a double-byte page is one
// character over two cells: in UTF-8 or a legacy multi-byte set the
// character, which terminals draw two cells wide unless it is of East Asian
// "ambiguous" width (Greek, Cyrillic, the box pieces), which some draw one
// cell wide; in a single-byte set the glyph of one cell and a blank. A byte
// or pair that the page gives no character shows as the replacement
// character ("?" in a single-byte set).
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
  std::array<char, 6> bytes{};
  std::uint8_t length = 0;
  GlyphSet set = GlyphSet::kEither;
  // Terminals may not agree that it takes one cell (control-code glyphs,
  // which some draw wide; a mark on its blank): the cursor's place after it
  // is not to be trusted.
  bool width_unsure = false;

  std::string_view text() const { return {bytes.data(), length}; }
};

using GlyphTable = std::array<TermGlyph, 256>;

// Where glyphs go: to the cells of a screen, or into plain text, which has
// no sets to switch (its box lines are look-alikes too) and whose combining
// marks combine with the letter before them, as in any text.
enum class GlyphUse : std::uint8_t { kScreen, kText };

// The glyph of every byte 0 to 255 of `page` for a terminal that speaks `charset`.
GlyphTable make_glyph_table(const LocaleCharset& charset, const CodePage& page,
                            GlyphUse use = GlyphUse::kScreen);
// The glyph of `code_point` for one cell, for a terminal that speaks
// `charset`: how a character of UTF-8 of one cell shows, and each byte's
// glyph in the tables.
TermGlyph character_glyph(const LocaleCharset& charset, char32_t code_point,
                          GlyphUse use = GlyphUse::kScreen);
// The glyph of a pair whose character is `code_point` (0 for none), for a
// terminal that speaks `charset`, to be drawn over the pair's two cells on
// the screen; its width is unsure unless every terminal draws it two cells
// wide.
TermGlyph pair_glyph(const LocaleCharset& charset, char32_t code_point,
                     GlyphUse use = GlyphUse::kScreen);

// True for a character that every terminal draws two cells wide (East
// Asian wide and full-width: ideographs, kana, Hangul, full-width forms).
bool draws_wide(char32_t code_point);
// True for a page with letters of a right-to-left script (Hebrew, Arabic),
// which a terminal with bidirectional text would reorder.
bool has_right_to_left_letters(const CodePage& page);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERM_GLYPHS_H
