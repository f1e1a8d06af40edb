// The glyph table. The DEC special graphics set takes the place of the
// ASCII characters 0x5F to 0x7E once the terminal's G0 holds it (ESC ( 0),
// so a byte below 0x5F means the same in both sets; the renderer switches
// sets only for the bytes that need one.
#include "platform/posix/terminal/term_glyphs.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/text/character_widths.h"
#include "platform/text/code_page.h"
#include "platform/text/combining_marks.h"
#include "platform/text/utf8.h"

namespace qb {

namespace {

// The characters that the DEC line-drawing set has a glyph for, and their
// letters in it: the box pieces (double ones drawn single), then a few symbols.
constexpr std::u16string_view kDecCharacters =
    u"│┤╡╢╖╕╣║╗╝╜╛┐└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌"
    u"♦░▒▓°±≤≥π£∙·";
constexpr std::string_view kDecLetters =
    "xuuukkuxkjjjkmvwtqnttmlvwtqnvvwwmmllnnjl"
    "`aaafgyz{}~~";
static_assert(kDecCharacters.size() == kDecLetters.size());

// The glyphs of the code pages beyond ASCII, and a plain ASCII look-alike of
// each: the control bytes' glyphs, code page 437's upper half, then the
// characters that only code page 850 has.
constexpr std::u16string_view kLookAlikeOf =
    u"☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼⌂"
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»"
    u"░▒▓│┤╡╢╖╕╣║╗╝╜╛┐└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
    u"αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0"
    u"øØ×®ÁÂÀ©ãÃ¤ðÐÊËÈıÍÎÏ¦ÌÓÔÒõÕþÞÚÛÙýÝ¯´\u00AD‗¾¸¨¹³";
constexpr std::string_view kLookAlike =
    "oo******oo*****><|!PS-|^v><L-^v^"
    "CueaaaaceeeiiiAAEaAooouuyOUcLYPfaiounNao?--//!<>"
    "###|++++++|+++++++++-++++++++=+++++++++++++#_||-"
    "aBGpSsutFTOd8fen=+><()/~o..vn2# "
    "oOxRAAACaAodDEEEiIII|IOOOoOpPUUUyY-'-_3,\"13";
static_assert(kLookAlikeOf.size() == kLookAlike.size());

// The letter of `code_point` in `letters`, found by its place in `characters`; 0 when absent.
char letter_of(char32_t code_point, std::u16string_view characters, std::string_view letters) {
  const std::size_t at = code_point > 0xFFFF ? std::u16string_view::npos
                                             : characters.find(static_cast<char16_t>(code_point));
  return at == std::u16string_view::npos ? '\0' : letters[at];
}

// The ranges of characters that every terminal draws two cells wide, of
// those the double-byte pages hold: East Asian wide and full-width ones.
constexpr auto kWide = std::to_array<std::pair<char32_t, char32_t>>({
    {0x1100, 0x115F},
    {0x2E80, 0x303E},
    {0x3041, 0x3247},
    {0x3250, 0x4DBF},
    {0x4E00, 0xA4CF},
    {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},
    {0xFE30, 0xFE6F},
    {0xFF01, 0xFF60},
    {0xFFE0, 0xFFE6},
});

constexpr char32_t kNoBreakSpace = 0x00A0;
constexpr char32_t kReplacement = 0xFFFD;

// True for what a terminal cannot be trusted to show in one cell, or at
// all: C1 controls (which a page's missing bytes stand for), private-use
// characters, and no character at all (0: a lead byte on its own, a pair
// the page lacks).
bool unshowable(char32_t code_point) {
  return code_point == 0 || (code_point >= 0x80 && code_point < 0xA0) ||
         (code_point >= 0xE000 && code_point < 0xF900);
}

// True for a character that a terminal draws over the cell before it: the
// pages' combining marks, and whatever else glibc gives no width.
bool shows_nothing(char32_t code_point) {
  return is_combining_mark(code_point) || shows_nothing_alone(code_point);
}

// A glyph of the bytes `text` (at most six).
TermGlyph glyph_of(std::string_view text, GlyphSet set, bool width_unsure) {
  TermGlyph glyph;
  std::copy(text.begin(), text.end(), glyph.bytes.begin());
  glyph.length = static_cast<std::uint8_t>(text.size());
  glyph.set = set;
  glyph.width_unsure = width_unsure;
  return glyph;
}

// A one-byte glyph; bytes from 0x5F to 0x7E need the set `set`.
TermGlyph single(char byte, GlyphSet set) {
  const auto value = static_cast<std::uint8_t>(byte);
  return glyph_of({&byte, 1}, value >= 0x5F && value <= 0x7E ? set : GlyphSet::kEither, false);
}

// The UTF-8 form of `code_point` as a glyph; on the screen a combining
// character goes on a no-break space, so that it fills a cell of its own.
TermGlyph utf8_glyph(char32_t code_point, GlyphUse use) {
  std::string text;
  const bool on_blank = use == GlyphUse::kScreen && shows_nothing(code_point);
  if (on_blank) append_utf8(kNoBreakSpace, text);
  append_utf8(unshowable(code_point) ? kReplacement : code_point, text);
  return glyph_of(text, GlyphSet::kEither, on_blank || unshowable(code_point));
}

// The glyph of `code_point` in a single-byte character set: the set's own
// character (a combining one on a space of its own on the screen), else the
// line-drawing set's (when it may be used), else an ASCII look-alike.
TermGlyph single_byte_glyph(char32_t code_point, const LocaleCharset& charset, GlyphUse use) {
  if (code_point == 0) return single('?', GlyphSet::kAscii);
  if (code_point < 0x7F) return single(static_cast<char>(code_point), GlyphSet::kAscii);
  const int own = charset.byte_of(code_point);
  // Bytes 0x80 to 0x9F are C1 controls to some terminals (0x9B is CSI).
  if (own >= 0xA0 && use == GlyphUse::kScreen && shows_nothing(code_point)) {
    const std::array<char, 2> text{' ', static_cast<char>(own)};
    return glyph_of({text.data(), 2}, GlyphSet::kAscii, true);
  }
  if (own >= 0xA0) {
    const char byte = static_cast<char>(own);
    return glyph_of({&byte, 1}, GlyphSet::kAscii, false);
  }
  const char letter =
      use == GlyphUse::kScreen ? letter_of(code_point, kDecCharacters, kDecLetters) : '\0';
  if (letter != 0) return single(letter, GlyphSet::kLines);
  const char look_alike = letter_of(code_point, kLookAlikeOf, kLookAlike);
  return single(look_alike != 0 ? look_alike : '?', GlyphSet::kAscii);
}

// True for the half-width forms (katakana, Hangul letters, symbols), which
// every terminal draws one column wide, whatever bytes its set gives them.
bool half_width_form(char32_t code_point) {
  return code_point >= 0xFF61 && code_point <= 0xFFEE;
}

// The glyph of `code_point` in a legacy multi-byte set, for one cell: the
// set's own character where it takes one column for sure (a half-width
// form), else as in a single-byte set that lacks it. Any other character
// of several bytes may be drawn two columns wide.
TermGlyph multibyte_glyph(char32_t code_point, const LocaleCharset& charset, GlyphUse use) {
  std::string own;
  if (half_width_form(code_point) && charset.append_encoded(code_point, own)) {
    return glyph_of(own, GlyphSet::kAscii, false);
  }
  return single_byte_glyph(code_point, charset, use);
}

}  // namespace

// The one step from a character to the bytes that show it.
TermGlyph character_glyph(const LocaleCharset& charset, char32_t code_point, GlyphUse use) {
  if (charset.utf8) return utf8_glyph(code_point, use);
  if (charset.multibyte) return multibyte_glyph(code_point, charset, use);
  return single_byte_glyph(code_point, charset, use);
}

bool has_right_to_left_letters(const CodePage& page) {
  return std::any_of(page.upper.begin(), page.upper.end(), [](char16_t c) {
    return (c >= 0x0590 && c < 0x0900) || (c >= 0xFB1D && c < 0xFE00) ||
           (c >= 0xFE70 && c < 0xFF00);
  });
}

GlyphTable make_glyph_table(const LocaleCharset& charset, const CodePage& page, GlyphUse use) {
  GlyphTable table;
  for (int byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<std::uint8_t>(byte);
    const char32_t code_point = page.glyph(b);
    table[b] = character_glyph(charset, code_point, use);
    // Some terminals draw the glyphs of the control bytes wide.
    if (byte < 0x20 || byte == 0x7F) table[b].width_unsure = true;
  }
  return table;
}

TermGlyph pair_glyph(const LocaleCharset& charset, char32_t code_point, GlyphUse use) {
  // A legacy multi-byte terminal draws a pair in its own set over two cells.
  std::string own;
  if (charset.multibyte && code_point != 0 && charset.append_encoded(code_point, own))
    return glyph_of(own, GlyphSet::kAscii, !draws_wide(code_point));
  TermGlyph glyph = character_glyph(charset, code_point, use);
  if (charset.utf8) {
    glyph.width_unsure = !draws_wide(code_point);
  } else if (use == GlyphUse::kScreen) {
    glyph.bytes[glyph.length++] = ' ';  // the second cell
  }
  return glyph;
}

bool draws_wide(char32_t code_point) {
  return std::any_of(kWide.begin(), kWide.end(), [code_point](const auto& range) {
    return code_point >= range.first && code_point <= range.second;
  });
}

}  // namespace qb
