// Conversions of the form's text, one byte a character in an OEM code page:
// to the system's ANSI code page, one byte to one byte, in place, by the
// system's own OemToCharA; and to UTF-16, as the system's wide functions
// take names and command lines.
#ifndef QB_PLATFORM_WIN32_OEM_H
#define QB_PLATFORM_WIN32_OEM_H

#include <string>
#include <string_view>

namespace qb {

// Converts every byte of `text` in place; the length never changes.
void oem_to_ansi(std::string& text);

// The characters that `text`'s bytes stand for in `code_page` (CP_OEMCP:
// the system's OEM page), one UTF-16 unit or two each.
std::wstring wide_from_page(std::string_view text, unsigned code_page);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_OEM_H
