// Reading text of a console code page character by character, always from
// the text's start, so that a pair's second byte is never taken for a
// character, and UTF-8 is read as the pairs are. In a one-byte page every
// byte is a character and a cell, which the lookups answer at once, without
// reading the text.
#include "platform/text/page_text.h"

#include <algorithm>

#include "platform/text/character_widths.h"
#include "platform/text/utf8.h"

namespace qb {

std::size_t character_size(const CodePage& page, std::string_view text, std::size_t at) {
  if (page.is_utf8()) {
    if (static_cast<std::uint8_t>(text[at]) < 0x80) return 1;
    return std::max<std::size_t>(utf8_length_at(text, at), 1);
  }
  const bool pair = at + 1 < text.size() && page.is_lead(static_cast<std::uint8_t>(text[at]));
  return pair ? 2 : 1;
}

int character_cells(const CodePage& page, std::string_view text, std::size_t at) {
  if (page.one_byte()) return 1;
  if (!page.is_utf8()) return static_cast<int>(character_size(page, text, at));
  return static_cast<std::uint8_t>(text[at]) < 0x80
             ? 1
             : character_cells(code_point_at(page, text, at));
}

char32_t code_point_at(const CodePage& page, std::string_view text, std::size_t at) {
  const auto byte = static_cast<std::uint8_t>(text[at]);
  if (byte < 0x80) return byte;
  if (page.is_utf8()) return utf8_length_at(text, at) == 0 ? 0 : utf8_code_point_at(text, at);
  if (!page.is_lead(byte)) return page.upper[byte - 0x80];
  if (at + 1 >= text.size()) return 0;
  return page.pair_glyph(byte, static_cast<std::uint8_t>(text[at + 1]));
}

std::size_t character_start(const CodePage& page, std::string_view text, std::size_t at) {
  if (at >= text.size()) return text.size();
  if (page.one_byte()) return at;
  std::size_t start = 0;
  for (std::size_t next = 0; next <= at; next += character_size(page, text, next)) start = next;
  return start;
}

std::size_t whole_characters(const CodePage& page, std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  return character_start(page, text, limit);
}

std::size_t find_character(const CodePage& page, std::string_view text, char byte,
                           std::size_t from) {
  if (page.one_byte()) return text.find(byte, from);
  for (std::size_t at = character_start(page, text, from); at < text.size();
       at += character_size(page, text, at)) {
    if (text[at] == byte && at >= from) return at;
  }
  return std::string_view::npos;
}

long placed_cell(long cell, int cells, int columns) {
  const bool straddles = cells == 2 && (cell % columns + columns) % columns == columns - 1;
  return straddles ? cell + 1 : cell;
}

long cell_of(const CodePage& page, std::string_view text, std::size_t at, long start, int columns) {
  if (page.one_byte()) return start + static_cast<long>(std::min(at, text.size()));
  long cell = start;
  for (std::size_t i = 0; i < text.size() && i < at; i += character_size(page, text, i)) {
    const int cells = character_cells(page, text, i);
    cell = placed_cell(cell, cells, columns) + cells;
  }
  return at < text.size() ? placed_cell(cell, character_cells(page, text, at), columns) : cell;
}

std::size_t character_at_cell(const CodePage& page, std::string_view text, long cell, long start,
                              int columns) {
  if (cell < start) return 0;
  if (page.one_byte()) return std::min(static_cast<std::size_t>(cell - start), text.size());
  long next = start;
  for (std::size_t i = 0; i < text.size(); i += character_size(page, text, i)) {
    const int cells = character_cells(page, text, i);
    next = placed_cell(next, cells, columns) + cells;
    if (cell < next) return i;
  }
  return text.size();
}

}  // namespace qb
