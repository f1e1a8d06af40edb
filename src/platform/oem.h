// Conversion of text from the console's OEM code page to the ANSI code page,
// one byte to one byte, in place: OemToCharA on Windows, a table from code
// page 437 to code page 1252 elsewhere.
#ifndef QB_PLATFORM_OEM_H
#define QB_PLATFORM_OEM_H

#include <string>

namespace qb {

// Converts every byte of `text` in place; the length never changes.
void oem_to_ansi(std::string& text);

}  // namespace qb

#endif  // QB_PLATFORM_OEM_H
