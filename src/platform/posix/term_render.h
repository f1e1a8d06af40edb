// Turning the screen model into terminal output, termbox style. The renderer
// keeps a shadow of what the terminal shows and, for each frame, appends only
// the bytes that change it: the cells that differ, a cursor move only where
// output is not contiguous, SGR only when the attribute changes and the
// cursor's visibility only when it changes. Every byte of a cell is sent as
// its code page 437 glyph in UTF-8, so nothing on the screen can ever reach
// the terminal as a control sequence. It never touches the terminal itself.
#ifndef QB_PLATFORM_POSIX_TERM_RENDER_H
#define QB_PLATFORM_POSIX_TERM_RENDER_H

#include <array>
#include <cstdint>
#include <string>

#include "platform/screen.h"

namespace qb {

// A terminal's size in cells, as the terminal reports it.
struct TermSize {
  int columns = Screen::kColumns;
  int rows = Screen::kRows;
  friend bool operator==(const TermSize&, const TermSize&) = default;
};

// SGR parameter of a console colour (1 blue, 2 green, 4 red, 8 bright) as a
// foreground (30-37, 90-97) or, with `background`, a background (40-47, 100-107).
int sgr_colour(int console_colour, bool background);

class TermRenderer {
 public:
  // Appends to `out` what makes a terminal of `size` show the part of
  // `screen` that fits in it (its top-left cells), cursor included.
  void render(const Screen& screen, TermSize size, std::string& out);
  // Forgets everything the terminal shows: the next frame clears the
  // terminal and draws every cell.
  void invalidate();
  // Forgets where the terminal's cursor stands and its pen (after other
  // programs have written to it).
  void forget_cursor();

 private:
  void draw_cell(int row, int column, const Cell& cell, std::string& out);
  void move_to(int row, int column, std::string& out);
  void set_attribute(std::uint8_t attr, std::string& out);
  void place_cursor(const Screen& screen, std::string& out);

  std::array<Cell, Screen::kRows * Screen::kColumns> shadow_{};
  TermSize size_{};
  bool shadow_valid_ = false;
  int row_ = 0;  // the terminal's cursor; 0 when not known
  int column_ = 0;
  int attr_ = -1;          // the terminal's pen; -1 when not known
  int cursor_shown_ = -1;  // the terminal cursor's visibility; -1 when not known
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERM_RENDER_H
