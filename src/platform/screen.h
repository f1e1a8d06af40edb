// The screen model: a grid of 80 x 25 character cells, each a byte, a
// colour attribute and whose glyphs the byte shows, with a cursor and the
// printing rules of the text screen (control bytes, wrapping at column 80,
// scrolling, and the pending wrap once row 25 has been filled). Backends only ever show this model;
// it never touches the terminal or the console itself.
#ifndef QB_PLATFORM_SCREEN_H
#define QB_PLATFORM_SCREEN_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qb {

// Whose glyphs a printed byte shows: the code page's (typed text, logs,
// file names), or, for the program's own marks (the box pieces, the prompt
// marker), the glyphs code page 437 gives them, which they were drawn in,
// whatever page the console uses.
enum class Glyphs : std::uint8_t { kCodePage, kProgram };

// One character cell: the byte shown, its attribute (background * 16 +
// foreground) and whose glyph the byte shows.
struct Cell {
  std::uint8_t ch = ' ';
  std::uint8_t attr = 0x07;
  Glyphs glyphs = Glyphs::kCodePage;
  friend bool operator==(const Cell&, const Cell&) = default;
};

class Screen {
 public:
  static constexpr int kColumns = 80;
  static constexpr int kRows = 25;

  // A blank screen in attribute 7, cursor at row 1, column 1, shown.
  Screen();

  // The cell at row, column (both from 1); positions outside give a blank cell.
  const Cell& cell(int row, int column) const;
  // The cursor's row and column, always inside the screen.
  int row() const { return row_; }
  int column() const { return column_; }
  bool cursor_visible() const { return cursor_visible_; }
  // True after a print filled row 25 to column 80 (a pending wrap): the next
  // print scrolls first.
  bool pending_line_end() const { return pending_line_end_; }
  // The attribute that printed text, cleared cells and scrolled-in rows receive.
  std::uint8_t attribute() const { return attribute_; }
  // True when every cell is a blank in attribute 7, as the closing clear leaves them.
  bool all_default_blank() const;
  // Counts every change to cells, cursor or visibility; equal counts mean nothing changed.
  std::uint64_t generation() const { return generation_; }

  void set_attribute(std::uint8_t attr) { attribute_ = attr; }
  void set_cursor_visible(bool visible);
  // Fills every cell with a space in the current attribute; cursor to 1,1.
  void clear();
  // Moves the cursor and clears a pending wrap; 0 keeps a coordinate,
  // and any other value outside the screen makes the whole call do nothing.
  void move_to(int row, int column);
  // Cursor to row 1, column 1 and a pending wrap cleared.
  void home();
  // Prints bytes by the console's rules, showing `glyphs`' glyphs; returns
  // how many bells (byte 7) it met.
  int print(std::string_view bytes, Glyphs glyphs = Glyphs::kCodePage);

 private:
  struct Pen;  // the state of one print: its cursor, which may pass below row 25
  void put_glyph(Pen& pen, std::uint8_t byte);
  bool put_byte(Pen& pen, std::uint8_t byte);
  void scroll_up(int rows);
  void touch() { ++generation_; }

  std::array<Cell, static_cast<std::size_t>(kRows) * kColumns> cells_{};
  int row_ = 1;
  int column_ = 1;
  bool cursor_visible_ = true;
  bool pending_line_end_ = false;
  std::uint8_t attribute_ = 0x07;
  std::uint64_t generation_ = 0;
};

}  // namespace qb

#endif  // QB_PLATFORM_SCREEN_H
