// Conversion between two code pages through the characters: each
// character's code point in the first page, then the bytes the second page
// gives it, as a typed character gets them, so that both go through the
// same best fit as on Windows.
#include "platform/text/page_conversion.h"

#include <cstdint>

#include "platform/text/page_text.h"
#include "platform/text/pair_lookups.h"

namespace qb {

namespace {

// The bytes of `code_point` in `page`: ASCII as itself, control codes too,
// which Windows passes through unchanged; else as a typed character.
std::string bytes_in(const CodePage& page, char32_t code_point) {
  if (code_point < 0x80) return {static_cast<char>(code_point)};
  return page.typed_bytes(code_point);
}

// What a character that `from` lacks becomes in `to`: `from`'s default
// character, which OemToCharA gives in a double-byte page, else "?".
std::string lacking(const CodePage& from, const CodePage& to) {
  if (from.pairs == nullptr || from.pairs->unknown.empty()) return "?";
  const char32_t code_point = code_point_at(from, from.pairs->unknown, 0);
  return code_point == 0 ? "?" : bytes_in(to, code_point);
}

}  // namespace

std::string convert_text(const CodePage& from, const CodePage& to, std::string_view text) {
  std::string converted;
  converted.reserve(text.size());
  for (std::size_t at = 0, size = 0; at < text.size(); at += size) {
    size = character_size(from, text, at);
    const char32_t code_point = code_point_at(from, text, at);
    converted += code_point == 0 && text[at] != '\0' ? lacking(from, to) : bytes_in(to, code_point);
  }
  return converted;
}

}  // namespace qb
