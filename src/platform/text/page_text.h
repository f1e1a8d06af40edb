// Text in a console code page, character by character. A character is one
// byte, in a double-byte page a lead byte and the byte after it (a pair), in
// UTF-8 one to four bytes of a valid sequence; positions count bytes. Where characters begin is
// found by reading from the start of the text, never from the byte before a position: a pair's
// second byte may be any byte, a backslash or a comma among them (亜\ in code page 932 is 88 9F 5C,
// and only its last byte is a backslash).
#ifndef QB_PLATFORM_TEXT_PAGE_TEXT_H
#define QB_PLATFORM_TEXT_PAGE_TEXT_H

#include <cstddef>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// The bytes of the character that starts at `at` (below text.size()): 2 for
// a lead byte with a byte after it; in UTF-8 those of the valid sequence
// there, 1 for a byte that starts none; else 1.
std::size_t character_size(const CodePage& page, std::string_view text, std::size_t at);
// The cells the character at `at` takes: 2 for a pair and for a wide
// character of UTF-8 (character_widths.h), else 1.
int character_cells(const CodePage& page, std::string_view text, std::size_t at);
// The code point of the character at `at`; 0 for none (a lead byte on its
// own, a pair the page lacks, a byte of UTF-8 that starts no character).
char32_t code_point_at(const CodePage& page, std::string_view text, std::size_t at);
// The start of the character that holds byte `at`; text.size() for `at` at
// or past the end.
std::size_t character_start(const CodePage& page, std::string_view text, std::size_t at);
// The longest start of `text` of at most `limit` bytes that ends on a
// character's end: a pair that `limit` would cut is left out whole.
std::size_t whole_characters(const CodePage& page, std::string_view text, std::size_t limit);
// The first byte at or after `from` that is `byte` standing as a character of
// its own, never as a pair's second byte; std::string_view::npos if none.
std::size_t find_character(const CodePage& page, std::string_view text, char byte,
                           std::size_t from = 0);

// Where text stands on a screen of `columns` cells a row, its first
// character at cell `start` (counted in reading order, row 1 column 1 = 0):
// a character takes its cells, and one of two cells (a pair, a wide
// character) whose first cell would be a row's last cell starts on the next
// row instead, leaving that cell blank with no byte behind it, as the
// Windows console does.

// The cell where a character of `cells` cells that would be drawn at `cell`
// starts: `cell` itself, or for one of two cells that would start on a
// row's last cell, the next row's first.
long placed_cell(long cell, int cells, int columns);
// The cell of the character at byte `at` (a character's start); for
// text.size(), the cell after the last character.
long cell_of(const CodePage& page, std::string_view text, std::size_t at, long start, int columns);
// The start of the character drawn on `cell`; a wide character's second
// cell and the blank before it give that character's start; text.size() for a cell past
// the text, 0 for one before it.
std::size_t character_at_cell(const CodePage& page, std::string_view text, long cell, long start,
                              int columns);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_PAGE_TEXT_H
