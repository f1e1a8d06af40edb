// Reading text of an OEM code page character by character, always from the
// text's start, so that a pair's second byte is never taken for a character.
// In a one-byte page every byte is a character and a cell, which the
// lookups answer at once, without reading the text.
#include "platform/text/page_text.h"

#include <algorithm>

namespace qb {

std::size_t character_size(const CodePage& page, std::string_view text, std::size_t at) {
  const bool pair = at + 1 < text.size() && page.is_lead(static_cast<std::uint8_t>(text[at]));
  return pair ? 2 : 1;
}

std::size_t character_start(const CodePage& page, std::string_view text, std::size_t at) {
  if (at >= text.size()) return text.size();
  if (page.pairs == nullptr) return at;
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
  if (page.pairs == nullptr) return text.find(byte, from);
  for (std::size_t at = character_start(page, text, from); at < text.size();
       at += character_size(page, text, at)) {
    if (text[at] == byte && at >= from) return at;
  }
  return std::string_view::npos;
}

long placed_cell(long cell, std::size_t size, int columns) {
  const bool straddles = size == 2 && (cell % columns + columns) % columns == columns - 1;
  return straddles ? cell + 1 : cell;
}

long cell_of(const CodePage& page, std::string_view text, std::size_t at, long start, int columns) {
  if (page.pairs == nullptr) return start + static_cast<long>(std::min(at, text.size()));
  long cell = start;
  for (std::size_t i = 0; i < text.size() && i < at;) {
    const std::size_t size = character_size(page, text, i);
    cell = placed_cell(cell, size, columns) + static_cast<long>(size);
    i += size;
  }
  return at < text.size() ? placed_cell(cell, character_size(page, text, at), columns) : cell;
}

std::size_t character_at_cell(const CodePage& page, std::string_view text, long cell, long start,
                              int columns) {
  if (cell < start) return 0;
  if (page.pairs == nullptr) return std::min(static_cast<std::size_t>(cell - start), text.size());
  long next = start;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t size = character_size(page, text, i);
    next = placed_cell(next, size, columns) + static_cast<long>(size);
    if (cell < next) return i;
    i += size;
  }
  return text.size();
}

}  // namespace qb
