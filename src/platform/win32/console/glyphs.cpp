// Glyph tables from the system's code page data (MultiByteToWideChar), or
// for the double-byte pages and UTF-8 (65001) from the tables made of it,
// with code page 437's for the control glyphs and for the other code pages
// of several bytes; typed characters back through the same table, else the
// system's best fit, or in a page of several bytes a character as the
// tables type it.
#include "platform/win32/console/glyphs.h"

#include <windows.h>

#include <cstdint>

#include "platform/text/code_page.h"

namespace qb {

namespace {

bool is_control_byte(int byte) {
  return byte < 0x20 || byte == 0x7F;
}

wchar_t cp437_glyph(int byte) {
  return static_cast<wchar_t>(kCodePage437.glyph(static_cast<std::uint8_t>(byte)));
}

bool is_single_byte(unsigned code_page) {
  CPINFO info{};
  return GetCPInfo(code_page, &info) != FALSE && info.MaxCharSize == 1;
}

}  // namespace

CodePageGlyphs glyphs_for_code_page(unsigned code_page) {
  CodePageGlyphs glyphs;
  glyphs.code_page = code_page;
  const CodePage& tables = code_page_numbered(static_cast<int>(code_page));
  const bool several_bytes = !tables.one_byte();
  const bool own_table = several_bytes || is_single_byte(code_page);
  glyphs.table_page = own_table ? code_page : 437;
  for (int byte = 0; byte < 256; ++byte) {
    wchar_t& glyph = glyphs.glyph[static_cast<std::size_t>(byte)];
    glyph = cp437_glyph(byte);
    if (!own_table || is_control_byte(byte)) continue;
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    if (several_bytes) {
      const char32_t own = tables.glyph(static_cast<std::uint8_t>(byte));
      glyph = own != 0 ? static_cast<wchar_t>(own) : L'\xFFFD';
    } else if (MultiByteToWideChar(code_page, 0, &narrow, 1, &wide, 1) == 1) {
      glyph = wide;
    }
    glyphs.marks_differ[static_cast<std::size_t>(byte)] = glyph != cp437_glyph(byte);
  }
  return glyphs;
}

int byte_for_char(const CodePageGlyphs& glyphs, wchar_t ch) {
  if (ch < 0x80) return static_cast<int>(ch);
  for (int byte = 0x80; byte < 256; ++byte) {
    if (glyphs.glyph[static_cast<std::size_t>(byte)] == ch) return byte;
  }
  char fit = '?';
  BOOL defaulted = FALSE;
  if (WideCharToMultiByte(glyphs.table_page, 0, &ch, 1, &fit, 1, nullptr, &defaulted) != 1 ||
      defaulted != FALSE) {
    return '?';
  }
  const auto byte = static_cast<unsigned char>(fit);
  return byte < 0x20 || byte == 0x7F ? '?' : byte;
}

// A one-byte page holds no character beyond U+FFFF: one "?", as for any
// character it lacks.
Keystroke typed_key(const CodePageGlyphs& glyphs, char32_t code_point) {
  if (code_point == 0) return {};
  if (code_point < 0x80) return static_cast<int>(code_point);
  const CodePage& page = code_page_numbered(static_cast<int>(glyphs.code_page));
  if (!page.one_byte()) return Keystroke::character(page.typed_bytes(code_point));
  if (code_point > 0xFFFF) return '?';
  return byte_for_char(glyphs, static_cast<wchar_t>(code_point));
}

}  // namespace qb
