// The table from code page 437 (the console's OEM characters) to code page
// 1252 (the ANSI characters), one byte to one byte. Used by the OEM-to-ANSI
// conversion wherever the system offers none of its own.
#ifndef QB_PLATFORM_CP437_TO_1252_H
#define QB_PLATFORM_CP437_TO_1252_H

namespace qb {

// The code page 1252 byte for a code page 437 byte: the same character where
// 1252 has it, otherwise the closest plain one; 0x00-0x7F are unchanged.
unsigned char cp437_to_1252(unsigned char oem);

}  // namespace qb

#endif  // QB_PLATFORM_CP437_TO_1252_H
