// The frame diff that every display backend draws through, termbox style: a
// frame composed for the display, a shadow of what the display shows, and,
// row by row, the cells where the two differ. A backend fills the frame,
// asks for the changed runs (or each row's span from its first to its last
// change), draws them in its own way (escape sequences on a terminal,
// rectangles on the Windows console) and marks them shown. Until the display
// is known (at the start, after invalidate) every cell counts as changed. A
// character of two cells (a pair, a wide character of UTF-8) is drawn whole:
// runs and spans never hold half of one where the display has room for both.
#ifndef QB_PLATFORM_SCREEN_FRAME_DIFF_H
#define QB_PLATFORM_SCREEN_FRAME_DIFF_H

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

#include "platform/screen/screen.h"

namespace qb {

// The look of a blank in the display's own default colours, which no console
// attribute (0 to 255) names: an erase on a terminal without background
// colour erase, and an all-blank form on a terminal.
inline constexpr std::uint16_t kDefaultLook = 0x100;

// A cell as a display shows it: its byte, its look (a console attribute,
// background * 16 + foreground, or kDefaultLook), whose glyph the byte shows,
// whether it is half of a character of two cells (never CellPart::kSkipped:
// that is a blank) and a UTF-8 character's further bytes.
struct ShownCell {
  std::uint8_t ch = ' ';
  std::uint16_t look = 0x07;
  Glyphs glyphs = Glyphs::kCodePage;
  CellPart part = CellPart::kWhole;
  MoreBytes more{};
  friend bool operator==(const ShownCell&, const ShownCell&) = default;
};

// The bytes whose glyph in a display's code page is not code page 437's:
// only there does a program's mark look different from the page's byte.
using MarkBytes = std::bitset<256>;

// The model's cell as a display shows it: its byte in its attribute, a mark
// counting as the page's own byte where their glyphs agree, so a page that
// agrees with 437 on the marks (850, 437 itself) draws exactly as the page.
inline ShownCell shown_cell(const Cell& cell, const MarkBytes& marks_differ) {
  const bool mark = cell.glyphs == Glyphs::kProgram && marks_differ[cell.ch];
  const CellPart part = cell.part == CellPart::kSkipped ? CellPart::kWhole : cell.part;
  return {cell.ch, cell.attr, mark ? Glyphs::kProgram : Glyphs::kCodePage, part, cell.more};
}

// Columns first to last of one row, both from 1; empty when first > last.
struct ColumnRun {
  int first = 1;
  int last = 0;
  bool empty() const { return first > last; }
};

// The frame and the shadow; it keeps the shadow to what backends say they drew.
class FrameDiff {
 public:
  // The frame's cell at row, column (both from 1 and inside the model's 80 x 25).
  ShownCell& frame(int row, int column) { return frame_[index(row, column)]; }
  const ShownCell& frame(int row, int column) const { return frame_[index(row, column)]; }
  // What the display shows at row, column, while the shadow is valid.
  const ShownCell& shown(int row, int column) const { return shadow_[index(row, column)]; }
  // True when the shadow is what the display shows.
  bool valid() const { return valid_; }

  // Forgets what the display shows: every cell counts as changed.
  void invalidate() { valid_ = false; }
  // True when the frame's cell at row, column is not what the display shows.
  bool changed(int row, int column) const;
  // How many of the top-left rows x columns cells changed.
  std::size_t changed_cells(int rows, int columns) const;
  // How many of the top-left rows x columns cells differ from `blank`: what a
  // display erased to it would still need drawn.
  std::size_t cells_unlike(ShownCell blank, int rows, int columns) const;
  // The next run of side-by-side changed cells of `row` at column `from` or
  // right of it, up to column `columns`, with the other half of a pair it
  // would cut; empty when there is none.
  ColumnRun next_run(int row, int from, int columns) const;
  // The columns of `row` from its first to its last changed cell, up to
  // column `columns`, with the other half of a pair it would cut; empty
  // when none changed.
  ColumnRun changed_span(int row, int columns) const;
  // `run` of `row` grown by the other half of a pair it cuts at either end,
  // up to column `columns`.
  ColumnRun whole_pairs(int row, ColumnRun run, int columns) const;

  // The display now shows the frame's cells in `run` of `row`.
  void mark_shown(int row, ColumnRun run);
  // The display now shows the whole frame: every changed cell was drawn.
  void mark_frame_shown();
  // The display was erased to `blank` all over; the shadow is valid again.
  void mark_erased(ShownCell blank);

 private:
  static constexpr std::size_t kCells = std::size_t{Screen::kRows} * Screen::kColumns;
  static std::size_t index(int row, int column) {
    return static_cast<std::size_t>((row - 1) * Screen::kColumns + column - 1);
  }

  std::array<ShownCell, kCells> frame_{};
  std::array<ShownCell, kCells> shadow_{};
  bool valid_ = false;
};

}  // namespace qb

#endif  // QB_PLATFORM_SCREEN_FRAME_DIFF_H
