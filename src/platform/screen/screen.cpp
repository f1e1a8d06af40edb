// The screen model's printing rules. A print runs a pen over the cells; the
// pen may stand below row 25 while bytes are still coming, and the screen
// scrolls only when a glyph must be written there or the print ends there.
// A character of two cells goes where page_text.h lays text out, so that the line editor
// finds its characters where the screen put them.
#include "platform/screen/screen.h"

#include <algorithm>

#include "platform/text/page_text.h"
#include "platform/text/utf8.h"

namespace qb {

namespace {
const Cell kOutside{};
}

struct Screen::Pen {
  int row;
  int column;
  Glyphs glyphs;
};

std::size_t printed_character_size(const CodePage& page, std::string_view bytes, std::size_t at) {
  const auto byte = static_cast<std::uint8_t>(bytes[at]);
  if (page.is_utf8()) return byte < 0x80 ? 1 : std::max<std::size_t>(utf8_length_at(bytes, at), 1);
  if (at + 1 >= bytes.size() || !page.is_lead(byte)) return 1;
  switch (bytes[at + 1]) {
    case '\a':
    case '\b':
    case '\t':
    case '\n':
    case '\r':
      return 1;
    default:
      return 2;
  }
}

std::string cell_bytes(std::uint8_t ch, const MoreBytes& more) {
  std::string bytes(1, static_cast<char>(ch));
  for (const std::uint8_t byte : more) {
    if (byte == 0) break;
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

Screen::Screen() {
  cells_.fill(Cell{' ', attribute_});
}

bool Screen::all_default_blank() const {
  return std::all_of(cells_.begin(), cells_.end(), [](const Cell& c) { return c == Cell{}; });
}

const Cell& Screen::cell(int row, int column) const {
  if (row < 1 || row > kRows || column < 1 || column > kColumns) return kOutside;
  return cells_[static_cast<std::size_t>((row - 1) * kColumns + column - 1)];
}

void Screen::set_cursor_visible(bool visible) {
  if (cursor_visible_ == visible) return;
  cursor_visible_ = visible;
  touch();
}

void Screen::clear() {
  cells_.fill(Cell{' ', attribute_});
  home();
  touch();
}

void Screen::move_to(int row, int column) {
  if (row != 0 && (row < 1 || row > kRows)) return;
  if (column != 0 && (column < 1 || column > kColumns)) return;
  if (row != 0) row_ = row;
  if (column != 0) column_ = column;
  pending_line_end_ = false;
  touch();
}

void Screen::home() {
  row_ = 1;
  column_ = 1;
  pending_line_end_ = false;
  touch();
}

// Moves every row up by `rows`; the rows coming in at the bottom are blank
// in the current attribute.
void Screen::scroll_up(int rows) {
  rows = std::min(rows, kRows);
  const auto shift = static_cast<std::ptrdiff_t>(rows) * kColumns;
  std::copy(cells_.begin() + shift, cells_.end(), cells_.begin());
  std::fill(cells_.end() - shift, cells_.end(), Cell{' ', attribute_});
}

// Writes one glyph, or one part of a character, at the pen, scrolling first
// when the pen is below row 25, and wraps to column 1 of the next row after
// column 80. Over half of a character of two cells, its other half becomes
// a blank.
void Screen::put_glyph(Pen& pen, std::uint8_t byte, CellPart part, const MoreBytes& more) {
  if (pen.row > kRows) {
    scroll_up(pen.row - kRows);
    pen.row = kRows;
  }
  Cell& cell = at(pen.row, pen.column);
  if (cell.part == CellPart::kLead || cell.part == CellPart::kTrail)
    split_pair(pen.row, pen.column);
  cell = Cell{byte, attribute_, pen.glyphs, part, more};
  if (++pen.column > kColumns) {
    pen.column = 1;
    ++pen.row;
  }
}

// Blanks the other half of the character of two cells that the cell at row,
// column is half of; its halves always stand side by side on one row.
void Screen::split_pair(int row, int column) {
  Cell& other = at(row, at(row, column).part == CellPart::kLead ? column + 1 : column - 1);
  other.ch = ' ';
  other.glyphs = Glyphs::kCodePage;
  other.part = CellPart::kWhole;
  other.more = {};
}

// Writes a character of several bytes at the pen: a pair over two cells; a
// character of UTF-8 over its cells, whole in each. Where a character of
// two cells would start on a row's last cell, that cell is left blank and
// the character starts on the next row.
void Screen::put_character(Pen& pen, const CodePage& page, std::string_view bytes) {
  const auto first = static_cast<std::uint8_t>(bytes[0]);
  MoreBytes more{};
  // At most the cell's room, which a UTF-8 character never exceeds: said
  // here so that the compiler, too, sees that the copy stays inside it.
  const std::size_t rest = std::min(bytes.size() - 1, more.size());
  if (page.is_utf8()) std::copy_n(bytes.begin() + 1, rest, more.begin());
  if (page.is_utf8() && character_cells(page, bytes, 0) == 1) {
    put_glyph(pen, first, CellPart::kWhole, more);
    return;
  }
  const long cell = static_cast<long>(pen.row - 1) * kColumns + pen.column - 1;
  if (placed_cell(cell, 2, kColumns) != cell) put_glyph(pen, ' ', CellPart::kSkipped);
  put_glyph(pen, first, CellPart::kLead, more);
  const auto second = page.is_utf8() ? first : static_cast<std::uint8_t>(bytes[1]);
  put_glyph(pen, second, CellPart::kTrail, more);
}

// Acts on one byte at the pen: the backspace, tab, line feed and carriage
// return move it (the tab by writing blanks); any other byte is written as
// a glyph. Returns whether the byte wrote glyphs.
bool Screen::put_byte(Pen& pen, std::uint8_t byte) {
  switch (byte) {
    case 8:
      pen.column = std::max(1, pen.column - 1);
      return false;
    case 9:
      for (int n = 8 - (pen.column - 1) % 8; n > 0; --n) put_glyph(pen, ' ');
      return true;
    case 10:
      // Below row 25 the pen counts the scrolls it owes; the next glyph or
      // the print's end makes them in one move. A screenful clears it all.
      pen = Pen{std::min(pen.row + 1, 2 * kRows), 1, pen.glyphs};
      return false;
    case 13:
      pen.column = 1;
      return false;
    default:
      put_glyph(pen, byte);
      return true;
  }
}

int Screen::print(std::string_view bytes, Glyphs glyphs) {
  if (bytes.empty()) return 0;
  Pen pen{row_, column_, glyphs};
  if (pending_line_end_) {
    pending_line_end_ = false;
    scroll_up(1);
    pen = Pen{kRows, 1, glyphs};
  }
  const CodePage& page = glyphs == Glyphs::kProgram ? kCodePage437 : *page_;
  const bool one_byte = page.one_byte();
  int bells = 0;
  bool last_was_glyph = false;  // bells leave this as it was
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    const std::size_t size = one_byte ? 1 : printed_character_size(page, bytes, i);
    if (byte == '\a') {
      ++bells;
    } else if (size > 1) {
      put_character(pen, page, bytes.substr(i, size));
      i += size - 1;
      last_was_glyph = true;
    } else {
      last_was_glyph = put_byte(pen, byte);
    }
  }
  if (pen.row > kRows && last_was_glyph) {
    // Row 25 was filled to column 80: the wrap is pending until the next print.
    pending_line_end_ = true;
    pen = Pen{kRows, kColumns, glyphs};
  } else if (pen.row > kRows) {
    scroll_up(pen.row - kRows);
    pen.row = kRows;
  }
  row_ = pen.row;
  column_ = pen.column;
  touch();
  return bells;
}

}  // namespace qb
