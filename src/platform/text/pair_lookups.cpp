// The lookups of the double-byte pages over their generated tables. The
// bytes of a typed character come from the page's index, a binary search
// of its characters, ascending, as the table maker wrote them.
#include "platform/text/pair_lookups.h"

#include <algorithm>
#include <utility>

#include "platform/text/page_text.h"

namespace qb {

namespace {

constexpr int kTrails = 0x100 - kFirstTrailByte;  // the second bytes of a lead byte's row

// The bytes the index gives `code_point` (below 0x10000), or -1 for none.
int code_of(const DoubleBytes& pairs, char32_t code_point) {
  const std::u16string_view characters = pairs.characters;
  const auto at = static_cast<std::size_t>(
      std::lower_bound(characters.begin(), characters.end(), static_cast<char16_t>(code_point)) -
      characters.begin());
  return at < characters.size() && characters[at] == code_point ? pairs.codes[at] : -1;
}

}  // namespace

bool double_byte_is_lead(const DoubleBytes& pairs, std::uint8_t byte) {
  return std::binary_search(
      pairs.leads.begin(), pairs.leads.end(), static_cast<char>(byte),
      [](char a, char b) { return static_cast<std::uint8_t>(a) < static_cast<std::uint8_t>(b); });
}

char32_t double_byte_glyph(const DoubleBytes& pairs, std::uint8_t lead, std::uint8_t trail) {
  const std::size_t row = pairs.leads.find(static_cast<char>(lead));
  if (row == std::string_view::npos || trail < kFirstTrailByte) return 0;
  return pairs.rows[row * kTrails + (trail - kFirstTrailByte)];
}

std::string double_byte_typed(const CodePage& page, const DoubleBytes& pairs, char32_t code_point) {
  if (code_point < 0xA0) return {static_cast<char>(page.typed_byte(code_point))};
  const int code = code_point < 0x10000 ? code_of(pairs, code_point) : -1;
  if (code < 0) return "?";
  if (code < 0x100) return {static_cast<char>(code)};
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// OemToCharA goes through the characters: in a page that is its own ANSI
// page a pair becomes its character's bytes, mostly itself; what has no
// character becomes the page's default.
void double_byte_to_ansi(const CodePage& page, const DoubleBytes& pairs, std::string& text) {
  std::string ansi;
  ansi.reserve(text.size());
  for (std::size_t at = 0, size = 0; at < text.size(); at += size) {
    size = character_size(page, text, at);
    const auto byte = static_cast<std::uint8_t>(text[at]);
    if (!double_byte_is_lead(pairs, byte)) {
      ansi += static_cast<char>(page.ansi_byte(byte));
      continue;
    }
    const char32_t glyph =
        size == 1 ? 0 : double_byte_glyph(pairs, byte, static_cast<std::uint8_t>(text[at + 1]));
    ansi += glyph == 0 ? std::string(pairs.unknown) : double_byte_typed(page, pairs, glyph);
  }
  text = std::move(ansi);
}

}  // namespace qb
