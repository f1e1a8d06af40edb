// The glyph each byte shows as in the console's code page, as a UTF-16
// character for the console's wide functions, and the way back from a typed
// character to the page's bytes. Drawing through the wide functions keeps the
// program's box lines right on a console set to UTF-8, where the bytes
// themselves would show as garbage.
#ifndef QB_PLATFORM_WIN32_GLYPHS_H
#define QB_PLATFORM_WIN32_GLYPHS_H

#include <array>

#include "platform/keys/keystroke.h"
#include "platform/screen/frame_diff.h"

namespace qb {

struct CodePageGlyphs {
  unsigned code_page = 437;
  unsigned table_page = 437;         // the page the glyphs are of
  std::array<wchar_t, 256> glyph{};  // the character shown for each byte
  MarkBytes marks_differ;            // the bytes whose glyph is not code page 437's
};

// The glyphs of a console code page: a single-byte code page's own glyphs,
// the single bytes' glyphs of a double-byte page of the tables (a lead byte
// on its own shows as the replacement character), in UTF-8 (65001) ASCII's,
// with the replacement character for a byte from 0x80 on its own, and code
// page 437's where the code page is none of these; the control bytes 1 to
// 31 and 127 always show as their PC glyphs, byte 0 as a blank.
CodePageGlyphs glyphs_for_code_page(unsigned code_page);

// The byte a typed `ch` becomes, as the console makes it in its code page:
// the byte whose glyph it is, else the system's best fit (WideCharToMultiByte),
// else "?"; never a control byte. Characters below 128 are their own bytes,
// so typed control characters stay controls.
int byte_for_char(const CodePageGlyphs& glyphs, wchar_t ch);

// The key a typed `code_point` becomes in `glyphs`' page: below 128 its own
// code (a control stays a control); else its bytes there, one or a pair,
// in UTF-8 its UTF-8 form, "?" for a control (C1) or a character the page
// lacks. None for 0.
Keystroke typed_key(const CodePageGlyphs& glyphs, char32_t code_point);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_GLYPHS_H
