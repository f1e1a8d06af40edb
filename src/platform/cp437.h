// Code page 437: the glyph every byte shows as on a display that speaks
// Unicode.
#ifndef QB_PLATFORM_CP437_H
#define QB_PLATFORM_CP437_H

#include <cstdint>
#include <string>

namespace qb::cp437 {

// The Unicode code point of the glyph that `byte` shows as (0x00 shows blank).
char32_t to_unicode(std::uint8_t byte);
// Appends the UTF-8 form of `byte`'s glyph to `out` (one to three bytes).
void append_utf8(std::uint8_t byte, std::string& out);
// The byte whose glyph is `code_point`, or -1 when code page 437 has none.
// Control glyphs (the bytes 1 to 31 and 127) are not given back for typed text.
int from_unicode(char32_t code_point);

}  // namespace qb::cp437

#endif  // QB_PLATFORM_CP437_H
