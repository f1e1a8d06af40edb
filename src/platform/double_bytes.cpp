// The lookups of the double-byte pages (932, 936, 949, 950) over their
// generated tables: whether a byte leads a pair, the character of a pair,
// the bytes of a typed character and OemToCharA, as Windows makes them. The
// bytes of a character come from an index of the page's characters, built
// at the first lookup: a search of the rows would read thousands of
// characters for each one typed.
#include <algorithm>
#include <utility>

#include "platform/code_pages/tables.h"
#include "platform/page_text.h"

namespace qb {

namespace {

constexpr int kFirstTrail = 0x40;
constexpr int kTrails = 0x100 - kFirstTrail;

using Entry = PairIndex::Entry;

// Every character of the page with its bytes, ascending by character: the
// fit table's, else the character's byte, else its first pair.
std::vector<Entry> build_index(const CodePage& page, const DoubleBytes& pairs) {
  std::vector<Entry> entries;
  std::size_t at = 0;
  for (std::size_t i = 0; i + 1 < pairs.fit_ranges.size(); i += 2) {
    for (char32_t c = pairs.fit_ranges[i]; c <= pairs.fit_ranges[i + 1]; ++c)
      entries.push_back({static_cast<char16_t>(c), pairs.fit_codes[at++]});
  }
  for (int byte = 0x80; byte < 0x100; ++byte) {
    const char16_t c = page.upper[static_cast<std::size_t>(byte - 0x80)];
    if (c >= 0xA0 && !double_byte_is_lead(pairs, static_cast<std::uint8_t>(byte)))
      entries.push_back({c, static_cast<std::uint16_t>(byte)});
  }
  for (std::size_t i = 0; i < pairs.rows.size(); ++i) {
    const auto lead = static_cast<std::uint8_t>(pairs.leads[i / kTrails]);
    const auto code = static_cast<std::uint16_t>(lead * 256 + kFirstTrail + i % kTrails);
    if (pairs.rows[i] != 0) entries.push_back({pairs.rows[i], code});
  }
  const auto by_character = [](Entry a, Entry b) { return a.character < b.character; };
  std::stable_sort(entries.begin(), entries.end(), by_character);
  const auto same = [](Entry a, Entry b) { return a.character == b.character; };
  entries.erase(std::unique(entries.begin(), entries.end(), same), entries.end());
  return entries;
}

// The bytes of `code_point` from the index (-1 for none); `scratch` holds
// the index of a page without a place to keep it.
int code_of(const CodePage& page, const DoubleBytes& pairs, char32_t code_point,
            std::vector<Entry>& scratch) {
  if (pairs.index == nullptr) {
    scratch = build_index(page, pairs);
  } else {
    std::call_once(pairs.index->built, [&] { pairs.index->entries = build_index(page, pairs); });
  }
  const std::vector<Entry>& index = pairs.index == nullptr ? scratch : pairs.index->entries;
  const auto found =
      std::lower_bound(index.begin(), index.end(), code_point,
                       [](Entry entry, char32_t wanted) { return entry.character < wanted; });
  return found != index.end() && found->character == code_point ? found->code : -1;
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
  if (code_point < 0xA0) return {static_cast<char>(page.typed_byte(code_point))};
  std::vector<Entry> scratch;
  const int code = code_point < 0x10000 ? code_of(page, pairs, code_point, scratch) : -1;
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
