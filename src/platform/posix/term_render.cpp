// The terminal renderer. Cells are compared with the shadow row by row, left
// to right, so changed cells that stand side by side go out as one run of
// glyphs with no cursor move between them. Autowrap is off on the terminal,
// so writing the last column (even the bottom-right cell) never scrolls it;
// where the terminal's cursor goes after that is not trusted, nor after a
// control-code glyph (some terminals draw those wide), and the next cell is
// then reached with an absolute move.
#include "platform/posix/term_render.h"

#include <algorithm>

#include "platform/cp437.h"

namespace qb {

namespace {

// Appends the UTF-8 form of `code_point` (below 0x10000 here).
void append_utf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// CSI n <final>, with n left out when it is 1 (the default of every move).
std::string csi(int n, char final) {
  return "\x1b[" + (n == 1 ? std::string() : std::to_string(n)) + final;
}

// The absolute move (CUP) to row, column, in its shortest form.
std::string absolute_move(int row, int column) {
  if (column == 1) return row == 1 ? "\x1b[H" : csi(row, 'H');
  return "\x1b[" + std::to_string(row) + ';' + std::to_string(column) + 'H';
}

// A vertical move by `rows` (down when positive); empty for 0.
std::string vertical_move(int rows) {
  if (rows == 0) return {};
  return rows > 0 ? csi(rows, 'B') : csi(-rows, 'A');
}

// True for the bytes whose glyphs stand in for control codes.
bool control_glyph(std::uint8_t byte) {
  return byte < 0x20 || byte == 0x7F;
}

std::size_t cell_index(int row, int column) {
  return static_cast<std::size_t>((row - 1) * Screen::kColumns + column - 1);
}

}  // namespace

int sgr_colour(int console_colour, bool background) {
  const int ansi = ((console_colour & 1) << 2) | (console_colour & 2) | ((console_colour & 4) >> 2);
  const bool bright = (console_colour & 8) != 0;
  if (background) return (bright ? 100 : 40) + ansi;
  return (bright ? 90 : 30) + ansi;
}

void TermRenderer::invalidate() {
  shadow_valid_ = false;
  forget_cursor();
}

void TermRenderer::forget_cursor() {
  row_ = 0;
  column_ = 0;
  attr_ = -1;
  cursor_shown_ = -1;
}

void TermRenderer::render(const Screen& screen, TermSize size, std::string& out) {
  const bool full = !shadow_valid_ || size != size_;
  if (full) {
    out += "\x1b[0m\x1b[2J";
    forget_cursor();
    size_ = size;
    shadow_valid_ = true;
  }
  const int rows = std::min(Screen::kRows, size.rows);
  const int columns = std::min(Screen::kColumns, size.columns);
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= columns; ++column) {
      const Cell& cell = screen.cell(row, column);
      Cell& shown = shadow_[cell_index(row, column)];
      if (!full && shown == cell) continue;
      draw_cell(row, column, cell, out);
      shown = cell;
    }
  }
  place_cursor(screen, out);
}

void TermRenderer::draw_cell(int row, int column, const Cell& cell, std::string& out) {
  move_to(row, column, out);
  set_attribute(cell.attr, out);
  append_utf8(out, cp437::to_unicode(cell.ch));
  if (column >= size_.columns || control_glyph(cell.ch)) {
    row_ = 0;
    column_ = 0;
  } else {
    column_ = column + 1;
  }
}

// Moves the terminal's cursor by the cheapest of: rewriting a few unchanged
// cells in the current pen, a relative move, a carriage return with a
// vertical move, or an absolute move.
void TermRenderer::move_to(int row, int column, std::string& out) {
  if (row_ == row && column_ == column) return;
  std::string best = absolute_move(row, column);
  if (row_ != 0) {
    if (row == row_ && column > column_ && column - column_ <= 3) {
      std::string gap;
      for (int c = column_; c < column; ++c) {
        const Cell& shown = shadow_[cell_index(row, c)];
        if (shown.attr != attr_ || shown.ch < 0x20 || shown.ch > 0x7E) break;
        gap += static_cast<char>(shown.ch);
      }
      if (gap.size() == static_cast<std::size_t>(column - column_) && gap.size() < best.size()) {
        best = gap;
      }
    }
    std::string relative;
    if (row == row_)
      relative = column > column_ ? csi(column - column_, 'C') : csi(column_ - column, 'D');
    if (column == column_) relative = vertical_move(row - row_);
    if (column == 1 && column_ != 1) relative = std::string("\r").append(vertical_move(row - row_));
    if (!relative.empty() && relative.size() < best.size()) best = relative;
  }
  out += best;
  row_ = row;
  column_ = column;
}

void TermRenderer::set_attribute(std::uint8_t attr, std::string& out) {
  if (attr_ == attr) return;
  const int foreground = sgr_colour(attr & 15, false);
  const int background = sgr_colour(attr >> 4, true);
  if (attr_ < 0) {
    out += "\x1b[0;" + std::to_string(foreground) + ';' + std::to_string(background) + 'm';
  } else if ((attr_ >> 4) == (attr >> 4)) {
    out += "\x1b[" + std::to_string(foreground) + 'm';
  } else if ((attr_ & 15) == (attr & 15)) {
    out += "\x1b[" + std::to_string(background) + 'm';
  } else {
    out += "\x1b[" + std::to_string(foreground) + ';' + std::to_string(background) + 'm';
  }
  attr_ = attr;
}

// Shows the cursor at the model's position when the model shows it and the
// position fits on the terminal; hides it otherwise.
void TermRenderer::place_cursor(const Screen& screen, std::string& out) {
  const bool visible =
      screen.cursor_visible() && screen.row() <= size_.rows && screen.column() <= size_.columns;
  if (visible) move_to(screen.row(), screen.column(), out);
  if (cursor_shown_ != static_cast<int>(visible)) {
    out += visible ? "\x1b[?25h" : "\x1b[?25l";
    cursor_shown_ = visible;
  }
}

}  // namespace qb
