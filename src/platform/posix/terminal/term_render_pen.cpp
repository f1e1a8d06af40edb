// The terminal renderer's cursor and pen: the cheapest way from where the
// terminal's cursor stands to the next cell to draw, the SGR sequence of a
// console attribute, and the character set in the terminal's G0.
#include <string>

#include "platform/posix/terminal/term_render.h"

namespace qb {

namespace {

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

}  // namespace

// Moves the terminal's cursor by the cheapest of: rewriting a few unchanged
// cells in the current pen, a relative move, a carriage return with a
// vertical move, or an absolute move.
void TermRenderer::move_to(int row, int column, std::string& out) {
  if (row_ == row && column_ == column) return;
  std::string best = absolute_move(row, column);
  if (row_ != 0) {
    const std::string gap = rewritten_gap(row, column);
    if (!gap.empty() && gap.size() < best.size()) best = gap;
    const std::string relative = relative_move(row, column);
    if (!relative.empty() && relative.size() < best.size()) best = relative;
  }
  out += best;
  row_ = row;
  column_ = column;
}

// The up to three shown cells between the known cursor and `column` of its
// row, when they can be written again as they are (plain ASCII in the
// current pen and set); empty otherwise.
std::string TermRenderer::rewritten_gap(int row, int column) const {
  if (row != row_ || column <= column_ || column - column_ > 3) return {};
  std::string gap;
  for (int c = column_; c < column; ++c) {
    const ShownCell& shown = diff_.shown(row, c);
    const TermGlyph& glyph = glyphs_[shown.ch];
    if (shown.look != attr_ || shown.ch < 0x20 || shown.ch > 0x7E) return {};
    if (shown.part != CellPart::kWhole) return {};
    if (lines_ && glyph.set == GlyphSet::kAscii) return {};
    gap += static_cast<char>(shown.ch);
  }
  return gap;
}

// A move from the known cursor along its row or column, or to the start of
// a row by a carriage return; empty when none fits.
std::string TermRenderer::relative_move(int row, int column) const {
  std::string relative;
  if (row == row_)
    relative = column > column_ ? csi(column - column_, 'C') : csi(column_ - column, 'D');
  if (column == column_) relative = vertical_move(row - row_);
  if (column == 1 && column_ != 1) relative = std::string("\r").append(vertical_move(row - row_));
  return relative;
}

// Sets the pen: a console attribute, or the default colours.
void TermRenderer::set_attribute(std::uint16_t attr, std::string& out) {
  if (attr_ == attr) return;
  if (attr == kDefaultLook) {
    out += "\x1b[0m";
    attr_ = attr;
    return;
  }
  const int foreground = sgr_colour(attr & 15, false);
  const int background = sgr_colour(attr >> 4, true);
  if (attr_ < 0) {
    out += "\x1b[0;" + std::to_string(foreground) + ';' + std::to_string(background) + 'm';
  } else if (attr_ != kDefaultLook && (attr_ >> 4) == (attr >> 4)) {
    out += "\x1b[" + std::to_string(foreground) + 'm';
  } else if (attr_ != kDefaultLook && (attr_ & 15) == (attr & 15)) {
    out += "\x1b[" + std::to_string(background) + 'm';
  } else {
    out += "\x1b[" + std::to_string(foreground) + ';' + std::to_string(background) + 'm';
  }
  attr_ = attr;
}

// Puts the set a glyph needs into the terminal's G0, when it is not there.
void TermRenderer::use_set(GlyphSet set, std::string& out) {
  if (set == GlyphSet::kLines && !lines_) out += "\x1b(0";
  if (set == GlyphSet::kAscii && lines_) out += "\x1b(B";
  if (set != GlyphSet::kEither) lines_ = set == GlyphSet::kLines;
}

}  // namespace qb
