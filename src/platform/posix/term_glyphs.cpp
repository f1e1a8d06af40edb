// The glyph table. The DEC special graphics set takes the place of the
// ASCII characters 0x5F to 0x7E once the terminal's G0 holds it (ESC ( 0),
// so a byte below 0x5F means the same in both sets; the renderer switches
// sets only for the bytes that need one.
#include "platform/posix/term_glyphs.h"

#include <algorithm>
#include <string>

#include "platform/cp437.h"

namespace qb {

namespace {

// The DEC line-drawing letter of each code page 437 box byte, 0xB3 to 0xDA.
constexpr std::string_view kBoxLines = "xuuukkuxkjjjkmvwtqnttmlvwtqnvvwwmmllnnjl";
static_assert(kBoxLines.size() == 0xDA - 0xB3 + 1);

// The other code page 437 bytes that the DEC set has a glyph for.
struct DecSymbol {
  std::uint8_t byte;
  char letter;
};
constexpr DecSymbol kDecSymbols[] = {
    {0x04, '`'}, {0xB0, 'a'}, {0xB1, 'a'}, {0xB2, 'a'}, {0xF8, 'f'}, {0xF1, 'g'},
    {0xF3, 'y'}, {0xF2, 'z'}, {0xE3, '{'}, {0x9C, '}'}, {0xF9, '~'}, {0xFA, '~'},
};

// ASCII look-alikes of the bytes 0 to 31 and 128 to 255 (127 is '^').
constexpr std::string_view kLowLookAlikes = " oo******oo*****><|!PS-|^v><L-^v";
constexpr std::string_view kHighLookAlikes =
    "CueaaaaceeeiiiAA"
    "EaAooouuyOUcLYPf"
    "aiounNao?--//!<>"
    "###|++++++|+++++"
    "++++-++++++++=++"
    "+++++++++++#_||-"
    "aBGpSsutFTOd8fen"
    "=+><()/~o..vn2# ";
static_assert(kLowLookAlikes.size() == 32 && kHighLookAlikes.size() == 128);

// A one-byte glyph; bytes from 0x5F to 0x7E need the set `set`.
TermGlyph single(char byte, GlyphSet set) {
  const auto value = static_cast<std::uint8_t>(byte);
  return {{byte, 0, 0}, 1, value >= 0x5F && value <= 0x7E ? set : GlyphSet::kEither};
}

// The UTF-8 form of `byte`'s glyph.
TermGlyph utf8_glyph(std::uint8_t byte) {
  std::string text;
  cp437::append_utf8(byte, text);
  TermGlyph glyph;
  std::copy(text.begin(), text.end(), glyph.bytes.begin());
  glyph.length = static_cast<std::uint8_t>(text.size());
  return glyph;
}

// The DEC line-drawing letter of `byte`, or 0.
char dec_letter(std::uint8_t byte) {
  if (byte >= 0xB3 && byte <= 0xDA) return kBoxLines[byte - 0xB3];
  for (const DecSymbol& symbol : kDecSymbols) {
    if (symbol.byte == byte) return symbol.letter;
  }
  return 0;
}

// The glyph of `byte` in a single-byte character set.
TermGlyph single_byte_glyph(std::uint8_t byte, const LocaleCharset& charset) {
  if (byte >= 0x20 && byte < 0x7F) return single(static_cast<char>(byte), GlyphSet::kAscii);
  const char32_t code_point = cp437::to_unicode(byte);
  const int own = code_point >= 0x80 ? charset.byte_of(code_point) : -1;
  // Bytes 0x80 to 0x9F are C1 controls to some terminals (0x9B is CSI).
  if (own >= 0xA0) return {{static_cast<char>(own), 0, 0}, 1, GlyphSet::kAscii};
  if (const char letter = dec_letter(byte); letter != 0) return single(letter, GlyphSet::kLines);
  if (byte < 0x20) return single(kLowLookAlikes[byte], GlyphSet::kAscii);
  return single(byte == 0x7F ? '^' : kHighLookAlikes[byte - 0x80], GlyphSet::kAscii);
}

}  // namespace

GlyphTable make_glyph_table(const LocaleCharset& charset) {
  GlyphTable table;
  for (int byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<std::uint8_t>(byte);
    table[b] = charset.utf8 ? utf8_glyph(b) : single_byte_glyph(b, charset);
  }
  return table;
}

}  // namespace qb
