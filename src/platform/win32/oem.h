// Conversion of text from the system's OEM code page to its ANSI code page,
// one byte to one byte, in place, by the system's own OemToCharA.
#ifndef QB_PLATFORM_WIN32_OEM_H
#define QB_PLATFORM_WIN32_OEM_H

#include <string>

namespace qb {

// Converts every byte of `text` in place; the length never changes.
void oem_to_ansi(std::string& text);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_OEM_H
