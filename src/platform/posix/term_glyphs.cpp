// The glyph table. The DEC special graphics set takes the place of the
// ASCII characters 0x5F to 0x7E once the terminal's G0 holds it (ESC ( 0),
// so a byte below 0x5F means the same in both sets; the renderer switches
// sets only for the bytes that need one.
#include "platform/posix/term_glyphs.h"

#include <algorithm>
#include <string>

#include "platform/code_page.h"

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

// A one-byte glyph; bytes from 0x5F to 0x7E need the set `set`.
TermGlyph single(char byte, GlyphSet set) {
  const auto value = static_cast<std::uint8_t>(byte);
  return {{byte, 0, 0}, 1, value >= 0x5F && value <= 0x7E ? set : GlyphSet::kEither};
}

// The UTF-8 form of `byte`'s glyph in `page`.
TermGlyph utf8_glyph(std::uint8_t byte, const CodePage& page) {
  std::string text;
  append_utf8(page.glyph(byte), text);
  TermGlyph glyph;
  std::copy(text.begin(), text.end(), glyph.bytes.begin());
  glyph.length = static_cast<std::uint8_t>(text.size());
  return glyph;
}

// The glyph of `byte` in a single-byte character set: the set's own
// character, else the line-drawing set's (when it may be used), else an
// ASCII look-alike.
TermGlyph single_byte_glyph(std::uint8_t byte, const LocaleCharset& charset, bool line_drawing) {
  const char32_t code_point = charset.oem->glyph(byte);
  if (code_point < 0x7F) return single(static_cast<char>(code_point), GlyphSet::kAscii);
  const int own = charset.byte_of(code_point);
  // Bytes 0x80 to 0x9F are C1 controls to some terminals (0x9B is CSI).
  if (own >= 0xA0) return {{static_cast<char>(own), 0, 0}, 1, GlyphSet::kAscii};
  const char letter = line_drawing ? letter_of(code_point, kDecCharacters, kDecLetters) : '\0';
  if (letter != 0) return single(letter, GlyphSet::kLines);
  const char look_alike = letter_of(code_point, kLookAlikeOf, kLookAlike);
  return single(look_alike != 0 ? look_alike : '?', GlyphSet::kAscii);
}

}  // namespace

GlyphTable make_glyph_table(const LocaleCharset& charset, bool line_drawing) {
  GlyphTable table;
  for (int byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<std::uint8_t>(byte);
    table[b] =
        charset.utf8 ? utf8_glyph(b, *charset.oem) : single_byte_glyph(b, charset, line_drawing);
  }
  return table;
}

}  // namespace qb
