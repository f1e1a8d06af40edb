// Turning the screen model into terminal output, termbox style. The renderer
// composes each frame into the core's frame diff (frame_diff.h) and, against
// its shadow of what the terminal shows, appends only the bytes that change
// it: the cells that differ, a cursor move only where output is not
// contiguous, SGR only when the attribute changes and the cursor's visibility
// only when it changes. A frame that changes more cells than it would draw on
// an erased screen starts from an erase in its most common blank colours (the
// terminal fills erased cells with the current background), and a frame that
// is all blanks in attribute 7, the console's own default look, is an erase in
// the terminal's default colours (on a terminal without background colour
// erase every erase is). Every byte of a cell goes out as its glyph in the
// locale's character set (see term_glyphs.h), a pair of a double-byte page
// as one glyph over its two cells, so nothing on the screen can ever reach
// the terminal as a control sequence, and every frame leaves the terminal
// in its ASCII set. A terminal too small for the form shows a notice
// on its last row, and above it the rows up to the cursor's, so that the
// prompt being answered stays in sight. The renderer never touches the
// terminal itself.
#ifndef QB_PLATFORM_POSIX_TERM_RENDER_H
#define QB_PLATFORM_POSIX_TERM_RENDER_H

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/screen/frame_diff.h"
#include "platform/posix/locale_charset.h"
#include "platform/posix/terminal/term_glyphs.h"
#include "platform/screen/screen.h"

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

// The notice on the last row of a terminal too small for the form (fewer
// than 80 columns or 22 rows), and its attribute; cut to the terminal's width.
inline constexpr std::string_view kSmallTerminalNotice = "Enlarge the terminal to at least 80 x 22";
inline constexpr std::uint8_t kNoticeAttribute = 0x4F;  // white on red
// True when a terminal of `size` gets the notice.
bool too_small_for_form(TermSize size);

class TermRenderer {
 public:
  // A renderer for a terminal that speaks `charset`; without
  // `colour_erase` the terminal erases in its default colours only, and
  // every erase is made in those.
  explicit TermRenderer(const LocaleCharset& charset = {}, bool colour_erase = true);

  // Appends to `out` what makes a terminal of `size` show the part of
  // `screen` that fits in it (its top-left cells), cursor included.
  void render(const Screen& screen, TermSize size, std::string& out);
  // Forgets everything the terminal shows: the next frame erases the
  // terminal and draws every cell.
  void invalidate();
  // Forgets where the terminal's cursor stands and its pen (after other
  // programs have written to it).
  void forget_cursor();

 private:
  static int view_offset(const Screen& screen, TermSize size);
  void compose(const Screen& screen, TermSize size);
  // The notice's cell at `column` of the last row.
  static ShownCell notice_look(int column);
  std::uint16_t dominant_blank(int rows, int columns) const;
  int erase_before(TermSize size, int rows, int columns) const;
  void erase(std::uint16_t attr, std::string& out);
  void draw_run(int row, ColumnRun run, std::string& out);
  void draw_cell(int row, int column, const ShownCell& look, std::string& out);
  void draw_pair(int row, int column, std::string& out);
  void move_to(int row, int column, std::string& out);
  std::string rewritten_gap(int row, int column) const;
  std::string relative_move(int row, int column) const;
  void set_attribute(std::uint16_t attr, std::string& out);
  void use_set(GlyphSet set, std::string& out);
  void place_cursor(const Screen& screen, std::string& out);

  LocaleCharset charset_;   // the terminal's, and the code page
  GlyphTable glyphs_;       // the code page's
  GlyphTable mark_glyphs_;  // the program's marks: code page 437's
  MarkBytes marks_differ_;  // where the two differ
  bool colour_erase_;
  FrameDiff diff_;  // this frame and what the terminal shows
  TermSize size_{};
  int offset_ = 0;  // model rows scrolled out above the terminal's first row
  int row_ = 0;     // the terminal's cursor; 0 when not known
  int column_ = 0;
  int attr_ = -1;          // the terminal's pen (kDefaultLook: default colours); -1 when not known
  int cursor_shown_ = -1;  // the terminal cursor's visibility; -1 when not known
  bool lines_ = false;     // the terminal's G0 holds the line-drawing set
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERM_RENDER_H
