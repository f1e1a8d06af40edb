// Conversions of the form's text, in an OEM code page: to the system's ANSI
// code page by the system's own OemToCharA; and to UTF-16, as the system's
// wide functions take names and command lines.
#ifndef QB_PLATFORM_WIN32_OEM_H
#define QB_PLATFORM_WIN32_OEM_H

#include <string>
#include <string_view>

namespace qb {

// Converts `text` to the ANSI page: byte for byte in a one-byte page; in a
// double-byte page a pair or a lone lead byte may change its length.
void oem_to_ansi(std::string& text);

// The characters that `text`'s bytes stand for in `code_page` (CP_OEMCP:
// the system's OEM page), one UTF-16 unit or two each.
std::wstring wide_from_page(std::string_view text, unsigned code_page);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_OEM_H
