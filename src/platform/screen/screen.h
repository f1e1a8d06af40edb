// The screen model: a grid of 80 x 25 character cells, each a character, a
// colour attribute and whose glyphs it shows, with a cursor and the
// printing rules of the text screen (control bytes, wrapping at column 80,
// scrolling, and the pending wrap once row 25 has been filled). In a
// double-byte code page a pair fills two cells, in UTF-8 a wide character
// does, and neither straddles a row's end, as on the Windows console. Backends only ever show this
// model; it never touches the terminal or the console itself.
#ifndef QB_PLATFORM_SCREEN_SCREEN_H
#define QB_PLATFORM_SCREEN_SCREEN_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// Whose glyphs a printed byte shows: the code page's (typed text, logs,
// file names), or, for the program's own marks (the box pieces, the prompt
// marker), the glyphs code page 437 gives them, which they were drawn in,
// whatever page the console uses.
enum class Glyphs : std::uint8_t { kCodePage, kProgram };

// What a cell holds of the text: a character of one cell; the first or the
// second cell of a character of two (a pair, a wide character of UTF-8),
// whose one glyph fills both; or the blank such a character left on a
// row's last cell when it started on the next row instead, with no byte
// behind it.
enum class CellPart : std::uint8_t { kWhole, kLead, kTrail, kSkipped };

// The bytes of a UTF-8 character after its first; 0 past its end (no
// continuation byte is 0).
using MoreBytes = std::array<std::uint8_t, 3>;

// One character cell: the byte shown, its attribute (background * 16 +
// foreground), whose glyph the byte shows and what part of a character it
// is. A pair's first cell holds its first byte, its second cell the second
// byte; a character of UTF-8 is whole in each of its cells, its first byte
// in `ch` and the rest in `more`.
struct Cell {
  std::uint8_t ch = ' ';
  std::uint8_t attr = 0x07;
  Glyphs glyphs = Glyphs::kCodePage;
  CellPart part = CellPart::kWhole;
  MoreBytes more{};
  friend bool operator==(const Cell&, const Cell&) = default;
};

// The bytes of the character a cell holds: `ch` and then `more` up to its 0.
std::string cell_bytes(std::uint8_t ch, const MoreBytes& more);

// How many bytes from `at` of printed `bytes` show as one character of
// `page`: 2 for a pair, a lead byte followed in the same print by a byte
// that is not a control the print acts on (bell, backspace, tab, line feed,
// carriage return); in UTF-8 those of a valid sequence; else 1.
std::size_t printed_character_size(const CodePage& page, std::string_view bytes, std::size_t at);

class Screen {
 public:
  static constexpr int kColumns = 80;
  static constexpr int kRows = 25;

  // A blank screen in attribute 7, cursor at row 1, column 1, shown; its
  // text in code page 437 until told otherwise.
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

  // The code page whose pairs printed text forms.
  const CodePage& page() const { return *page_; }
  void set_page(const CodePage& page) { page_ = &page; }
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
  // how many bells (byte 7) it met. A character of two cells (see
  // printed_character_size; the program's own marks are one byte each) that
  // would start on a row's last cell leaves that cell blank and starts on
  // the next row; a character written over half of one blanks its other half.
  int print(std::string_view bytes, Glyphs glyphs = Glyphs::kCodePage);

 private:
  struct Pen;  // the state of one print: its cursor, which may pass below row 25
  Cell& at(int row, int column) {
    return cells_[static_cast<std::size_t>((row - 1) * kColumns + column - 1)];
  }
  void put_glyph(Pen& pen, std::uint8_t byte, CellPart part = CellPart::kWhole,
                 const MoreBytes& more = {});
  void put_character(Pen& pen, const CodePage& page, std::string_view bytes);
  void split_pair(int row, int column);
  bool put_byte(Pen& pen, std::uint8_t byte);
  void scroll_up(int rows);
  void touch() { ++generation_; }

  std::array<Cell, static_cast<std::size_t>(kRows) * kColumns> cells_{};
  int row_ = 1;
  int column_ = 1;
  bool cursor_visible_ = true;
  bool pending_line_end_ = false;
  std::uint8_t attribute_ = 0x07;
  const CodePage* page_ = &kCodePage437;
  std::uint64_t generation_ = 0;
};

}  // namespace qb

#endif  // QB_PLATFORM_SCREEN_SCREEN_H
