// Conversions of the form's text, in the console's code page: to the
// system's ANSI code page by the system's own OemToCharA; to UTF-16, as the
// system's wide functions take names and command lines; from UTF-16 to a
// code page's bytes; and UTF-16's two halves of a character joined.
#ifndef QB_PLATFORM_WIN32_OEM_H
#define QB_PLATFORM_WIN32_OEM_H

#include <string>
#include <string_view>

namespace qb {

// Converts `text` to the ANSI page: byte for byte in a one-byte page; in a
// double-byte page a pair or a lone lead byte may change its length.
void oem_to_ansi(std::string& text);

// UTF-16's halves of a character beyond U+FFFF, and the character they make.
inline bool is_high_surrogate(wchar_t unit) {
  return unit >= 0xD800 && unit < 0xDC00;
}
inline bool is_low_surrogate(wchar_t unit) {
  return unit >= 0xDC00 && unit < 0xE000;
}
inline char32_t joined_surrogates(wchar_t high, wchar_t low) {
  return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
}

// The console's output page, in which the form keeps its text; without a
// console, the system's OEM page (CP_OEMCP).
unsigned console_text_page();

// The characters that `text`'s bytes stand for in `code_page` (CP_OEMCP:
// the system's OEM page), one UTF-16 unit or two each.
std::wstring wide_from_page(std::string_view text, unsigned code_page);

// The bytes of `code_page` (CP_UTF8 included) for the characters of `wide`:
// a character the page lacks becomes the system's best fit, else "?".
std::string page_from_wide(std::wstring_view wide, unsigned code_page);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_OEM_H
