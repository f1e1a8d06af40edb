// The pairs of the double-byte pages (932, 936, 949, 950) as their
// generated tables hold them, and the lookups over them that CodePage
// answers with: whether a byte leads a pair, the character of a pair, the
// bytes of a typed character and OemToCharA, as Windows makes them.
#ifndef QB_PLATFORM_TEXT_PAIR_LOOKUPS_H
#define QB_PLATFORM_TEXT_PAIR_LOOKUPS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// A double-byte page's pairs. Trail bytes run from kFirstTrailByte to 0xFF
// in every such page, so each lead byte has a row of 192 characters. The index gives
// each character of the page its bytes as Windows' WideCharToMultiByte
// does: its best fit where the page lacks it, Windows' choice where the page
// has it at several places, else its byte or its first pair in the order
// of the rows.
struct DoubleBytes {
  std::string_view leads;          // the lead bytes, ascending
  std::u16string_view rows;        // for each lead byte in turn, the character
                                   // of each trail byte; 0 for none
  std::u16string_view characters;  // the index: every character from U+00A0
                                   // with bytes, ascending
  std::u16string_view codes;       // the bytes of each, in order: a byte, or a
                                   // pair as lead * 256 + trail
  std::string_view unknown = "?";  // OemToCharA of a pair without a character
                                   // and of a lead byte that ends the text
};

// What the generated tables of the double-byte pages answer for CodePage:
// whether `byte` leads a pair, the character of a pair (0 for none), the
// bytes of a typed character, and OemToCharA of `text`, pair by pair.
bool double_byte_is_lead(const DoubleBytes& pairs, std::uint8_t byte);
char32_t double_byte_glyph(const DoubleBytes& pairs, std::uint8_t lead, std::uint8_t trail);
std::string double_byte_typed(const CodePage& page, const DoubleBytes& pairs, char32_t code_point);
void double_byte_to_ansi(const CodePage& page, const DoubleBytes& pairs, std::string& text);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_PAIR_LOOKUPS_H
