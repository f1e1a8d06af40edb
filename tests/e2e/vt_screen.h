// A terminal emulator for tests: libvterm fed with what a program writes,
// read back cell by cell (the character as Unicode, the palette index of its
// colours), with the cursor, its visibility and the lines scrolled off.
#ifndef QB_TESTS_E2E_VT_SCREEN_H
#define QB_TESTS_E2E_VT_SCREEN_H

#include <string>
#include <string_view>

struct VTerm;
struct VTermScreen;

namespace qb::test {

// Colour of a cell: a palette index 0-15 (8-15 only from the bright SGR
// codes, never from bold), kDefaultColour, or kOtherColour for RGB colours.
inline constexpr int kDefaultColour = -1;
inline constexpr int kOtherColour = -2;
// What libvterm holds in the cell that a wide character's right half covers.
inline constexpr char32_t kWideRest = 0xFFFFFFFF;

class VtScreen {
 public:
  VtScreen(int columns, int rows);
  ~VtScreen();
  VtScreen(const VtScreen&) = delete;
  VtScreen& operator=(const VtScreen&) = delete;

  void feed(std::string_view bytes);
  // Changes the emulator's size; what no longer fits is lost.
  void resize(int columns, int rows);
  int columns() const { return columns_; }
  int rows() const { return rows_; }

  // Rows and columns count from 1. A blank cell reads as U' ', the second
  // cell of a wide character as kWideRest.
  char32_t char_at(int row, int column) const;
  // 2 for a cell that holds a wide character, else 1.
  int width(int row, int column) const;
  // The cell's character with the combining characters drawn over it.
  std::u32string chars_at(int row, int column) const;
  // `length` cells from row, column as UTF-8; a wide character once.
  std::string text_at(int row, int column, int length) const;
  int foreground(int row, int column) const;
  int background(int row, int column) const;
  bool bold(int row, int column) const;
  // True when every cell of the row from `first` to `last` is blank in
  // foreground and background colours `fg` and `bg`.
  bool blank(int row, int first, int last, int fg, int bg) const;
  // True when the cells are blank and never coloured.
  bool untouched(int row, int first, int last) const;
  // True when the cells hold no character, whatever their colours (an
  // erase colours every cell of the terminal, even those a program never draws).
  bool no_text(int row, int first, int last) const;

  int cursor_row() const;
  int cursor_column() const;
  bool cursor_visible() const { return cursor_visible_; }
  // Lines that left the top of the screen because it scrolled.
  int scrolled_lines() const { return scrolled_lines_; }
  int bells() const { return bells_; }

  // libvterm callbacks.
  void set_cursor_visible(bool visible) { cursor_visible_ = visible; }
  void count_scrolled_line() { ++scrolled_lines_; }
  void count_bell() { ++bells_; }

 private:
  VTerm* vt_;
  VTermScreen* screen_;
  int columns_;
  int rows_;
  bool cursor_visible_ = true;
  int scrolled_lines_ = 0;
  int bells_ = 0;
};

// UTF-8 of one code point.
std::string utf8(char32_t code_point);

}  // namespace qb::test

#endif  // QB_TESTS_E2E_VT_SCREEN_H
