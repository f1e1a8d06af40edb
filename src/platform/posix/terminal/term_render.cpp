// The terminal renderer. Each frame is first composed (the model's cells, the
// default look of an all-blank frame, the notice of a small terminal), then
// drawn run by run as the frame diff finds them, row by row, left to right,
// so changed cells that stand side by side go out as one run of glyphs with
// no cursor move between them. Autowrap is off on the terminal, so writing
// the last column (even the bottom-right cell) never scrolls it; where the
// terminal's cursor goes after that is not trusted, nor after a glyph whose
// width terminals may not agree on (see term_glyphs.h), and the next cell is
// then reached with an absolute move, as is the cell after a wide character
// of UTF-8. A glyph of two cells that terminals may draw one cell wide goes
// over a blank second cell, so that the columns
// after it stay where they are either way. The program's own marks are
// drawn with code page 437's glyphs. The cursor's moves and the pen are in
// term_render_pen.cpp.
#include "platform/posix/terminal/term_render.h"

#include <algorithm>
#include <array>

#include "platform/text/code_page.h"
#include "platform/text/utf8.h"

namespace qb {

namespace {

constexpr std::size_t kEraseCost = 16;  // cells an erase and its pen are worth

// The character of a cell of UTF-8 of several bytes; 0 for none.
char32_t utf8_character(const ShownCell& look) {
  const std::string bytes = cell_bytes(look.ch, look.more);
  return utf8_length_at(bytes, 0) == bytes.size() ? utf8_code_point_at(bytes, 0) : 0;
}

}  // namespace

int sgr_colour(int console_colour, bool background) {
  const int ansi = ((console_colour & 1) << 2) | (console_colour & 2) | ((console_colour & 4) >> 2);
  const bool bright = (console_colour & 8) != 0;
  if (background) return (bright ? 100 : 40) + ansi;
  return (bright ? 90 : 30) + ansi;
}

bool too_small_for_form(TermSize size) {
  return size.columns < Screen::kColumns || size.rows < 22;
}

TermRenderer::TermRenderer(const LocaleCharset& charset, bool colour_erase)
    : charset_(charset),
      glyphs_(make_glyph_table(charset, charset.console_page())),
      mark_glyphs_(make_glyph_table(charset, kCodePage437)),
      colour_erase_(colour_erase) {
  for (int byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<std::uint8_t>(byte);
    marks_differ_[b] = charset.console_page().glyph(b) != kCodePage437.glyph(b);
  }
}

void TermRenderer::invalidate() {
  diff_.invalidate();
  forget_cursor();
}

void TermRenderer::forget_cursor() {
  row_ = 0;
  column_ = 0;
  attr_ = -1;
  cursor_shown_ = -1;
}

void TermRenderer::render(const Screen& screen, TermSize size, std::string& out) {
  offset_ = view_offset(screen, size);
  compose(screen, size);
  const int rows = std::min(Screen::kRows, size.rows);
  const int columns = std::min(Screen::kColumns, size.columns);
  if (const int blank = erase_before(size, rows, columns); blank >= 0) {
    if (size != size_) row_ = column_ = 0;  // the terminal may have moved the cursor
    size_ = size;
    erase(static_cast<std::uint16_t>(blank), out);
  }
  for (int row = 1; row <= rows; ++row) {
    for (ColumnRun run = diff_.next_run(row, 1, columns); !run.empty();
         run = diff_.next_run(row, run.last + 1, columns)) {
      draw_run(row, run, out);
    }
  }
  use_set(GlyphSet::kAscii, out);
  place_cursor(screen, out);
}

// How many model rows a terminal of `size` leaves out at the top: none,
// unless it is too small for the form and the cursor's row would be under
// the notice or below the last row, which then comes just above the notice.
int TermRenderer::view_offset(const Screen& screen, TermSize size) {
  if (!too_small_for_form(size)) return 0;
  const int text_rows = std::min(Screen::kRows, size.rows) - 1;
  return std::max(0, screen.row() - text_rows);
}

// Fills the frame with what the terminal of `size` is to show in the cells
// it has: the model's cells from row offset_ + 1 down, all of them in the
// default look when the model is blank in attribute 7, and the notice on
// the last row when the terminal is too small.
void TermRenderer::compose(const Screen& screen, TermSize size) {
  const bool plain = screen.all_default_blank();
  const int rows = std::min(Screen::kRows, size.rows);
  const int columns = std::min(Screen::kColumns, size.columns);
  const int notice_row = too_small_for_form(size) ? rows : 0;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= columns; ++column) {
      ShownCell& look = diff_.frame(row, column);
      look = plain ? ShownCell{' ', kDefaultLook}
                   : shown_cell(screen.cell(row + offset_, column), marks_differ_);
      if (row == notice_row) look = notice_look(column);
    }
  }
}

// The look of the most common blank among the cells that fit.
std::uint16_t TermRenderer::dominant_blank(int rows, int columns) const {
  std::array<int, kDefaultLook + 1> counts{};
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= columns; ++column) {
      const ShownCell& look = diff_.frame(row, column);
      if (look.ch == ' ' && look.part == CellPart::kWhole) ++counts[look.look];
    }
  }
  const auto most = std::max_element(counts.begin(), counts.end()) - counts.begin();
  return counts[static_cast<std::size_t>(most)] > 0 ? static_cast<std::uint16_t>(most) : 0x07;
}

ShownCell TermRenderer::notice_look(int column) {
  const auto at = static_cast<std::size_t>(column - 1);
  const char ch = at < kSmallTerminalNotice.size() ? kSmallTerminalNotice[at] : ' ';
  return {static_cast<std::uint8_t>(ch), kNoticeAttribute};
}

// The look to erase the terminal in before this frame is drawn, or -1 when
// the shadow holds and its changed cells cost less than an erase and the
// cells that differ from it.
int TermRenderer::erase_before(TermSize size, int rows, int columns) const {
  const bool must = !diff_.valid() || size != size_;
  const std::size_t changed = must ? 0 : diff_.changed_cells(rows, columns);
  if (!must && changed <= kEraseCost) return -1;
  const std::uint16_t blank = colour_erase_ ? dominant_blank(rows, columns) : kDefaultLook;
  if (must) return blank;
  return kEraseCost + diff_.cells_unlike({' ', blank}, rows, columns) < changed ? blank : -1;
}

// Erases the whole terminal in `attr`; the shadow becomes blanks in it.
void TermRenderer::erase(std::uint16_t attr, std::string& out) {
  set_attribute(attr, out);
  out += "\x1b[2J";
  diff_.mark_erased({' ', attr});
}

// Draws the frame's cells in `run` of `row`, one glyph after another, a
// pair's one glyph for its two cells.
void TermRenderer::draw_run(int row, ColumnRun run, std::string& out) {
  for (int column = run.first; column <= run.last; ++column) {
    const ShownCell& look = diff_.frame(row, column);
    if (look.part == CellPart::kLead) {
      draw_pair(row, column++, out);
    } else {
      draw_cell(row, column, look, out);
    }
  }
  diff_.mark_shown(row, run);
}

void TermRenderer::draw_cell(int row, int column, const ShownCell& look, std::string& out) {
  move_to(row, column, out);
  set_attribute(look.look, out);
  const TermGlyph glyph = look.more[0] != 0 ? character_glyph(charset_, utf8_character(look))
                          : look.glyphs == Glyphs::kProgram ? mark_glyphs_[look.ch]
                                                            : glyphs_[look.ch];
  use_set(glyph.set, out);
  out += glyph.text();
  if (column >= size_.columns || glyph.width_unsure) {
    row_ = 0;
    column_ = 0;
  } else {
    column_ = column + 1;
  }
}

// Draws the character of two cells (a pair, a wide character of UTF-8)
// whose first cell is `column` of `row` as its glyph over both cells. A glyph that a terminal may
// draw one cell wide goes over a blank second cell, and where the cursor stands after it is not
// trusted; a terminal with no room for the second cell gets a blank in the first.
void TermRenderer::draw_pair(int row, int column, std::string& out) {
  const ShownCell lead = diff_.frame(row, column);
  if (column >= size_.columns) {
    draw_cell(row, column, ShownCell{' ', lead.look}, out);
    return;
  }
  const std::uint8_t trail = diff_.frame(row, column + 1).ch;
  const char32_t character =
      lead.more[0] != 0 ? utf8_character(lead) : charset_.console_page().pair_glyph(lead.ch, trail);
  const TermGlyph glyph = pair_glyph(charset_, character);
  if (glyph.width_unsure) draw_cell(row, column + 1, ShownCell{' ', lead.look}, out);
  move_to(row, column, out);
  set_attribute(lead.look, out);
  use_set(glyph.set, out);
  out += glyph.text();
  // After a wide character of UTF-8 the next cell is reached with an
  // absolute move: terminals' width tables differ on emoji and new ideographs.
  const bool sure = !glyph.width_unsure && lead.more[0] == 0 && column + 1 < size_.columns;
  row_ = sure ? row : 0;
  column_ = sure ? column + 2 : 0;
}

// Shows the cursor at the model's position when the model shows it and the
// position fits on the terminal, clear of the notice; hides it otherwise.
void TermRenderer::place_cursor(const Screen& screen, std::string& out) {
  const int row = screen.row() - offset_;
  const bool on_notice = too_small_for_form(size_) && row == std::min(size_.rows, Screen::kRows);
  const bool visible = screen.cursor_visible() && row <= size_.rows &&
                       screen.column() <= size_.columns && !on_notice;
  if (visible) move_to(row, screen.column(), out);
  if (cursor_shown_ != static_cast<int>(visible)) {
    out += visible ? "\x1b[?25h" : "\x1b[?25l";
    cursor_shown_ = visible ? 1 : 0;
  }
}

}  // namespace qb
