// The lookups of the double-byte pages (932, 936, 949, 950) over their
// generated tables: whether a byte leads a pair, the character of a pair,
// and the bytes of a typed character, as the Windows console makes them.
#include <algorithm>

#include "platform/code_pages/tables.h"

namespace qb {

namespace {

constexpr int kFirstTrail = 0x40;
constexpr int kTrails = 0x100 - kFirstTrail;

// The pair whose character is `code_point`, as lead * 256 + trail, or -1.
int pair_of(const DoubleBytes& pairs, char32_t code_point) {
  const auto found = std::find(pairs.rows.begin(), pairs.rows.end(), code_point);
  if (found == pairs.rows.end()) return -1;
  const auto index = static_cast<std::size_t>(found - pairs.rows.begin());
  const auto lead = static_cast<std::uint8_t>(pairs.leads[index / kTrails]);
  return lead * 256 + kFirstTrail + static_cast<int>(index % kTrails);
}

// Windows' best fit for `code_point` as a byte or a pair code, or -1.
int best_fit(const DoubleBytes& pairs, char32_t code_point) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i + 1 < pairs.fit_ranges.size(); i += 2) {
    const char32_t first = pairs.fit_ranges[i];
    const char32_t last = pairs.fit_ranges[i + 1];
    if (code_point < first) break;
    if (code_point <= last) return pairs.fit_codes[offset + code_point - first];
    offset += last - first + 1;
  }
  return -1;
}

}  // namespace

bool double_byte_is_lead(const DoubleBytes& pairs, std::uint8_t byte) {
  return std::binary_search(
      pairs.leads.begin(), pairs.leads.end(), static_cast<char>(byte),
      [](char a, char b) { return static_cast<std::uint8_t>(a) < static_cast<std::uint8_t>(b); });
}

char32_t double_byte_glyph(const DoubleBytes& pairs, std::uint8_t lead, std::uint8_t trail) {
  const std::size_t row = pairs.leads.find(static_cast<char>(lead));
  if (row == std::string_view::npos || trail < kFirstTrail) return 0;
  return pairs.rows[row * kTrails + (trail - kFirstTrail)];
}

std::string double_byte_typed(const CodePage& page, const DoubleBytes& pairs, char32_t code_point) {
  int code = page.byte_of(code_point);
  if (code < 0 && code_point >= 0x80 && code_point < 0x10000) code = pair_of(pairs, code_point);
  if (code < 0 && code_point >= 0xA0) code = best_fit(pairs, code_point);
  if (code < 0) return "?";
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

}  // namespace qb
