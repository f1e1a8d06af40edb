// The line editor's state and its editing verbs. Each verb checks its
// bounds, changes the text or the insertion point, and asks for a refresh;
// none of them draws. Drawing is the refresh step's alone (read_line.cpp),
// so every verb can be reasoned about, and tested, on the state by itself.
#ifndef QB_FORM_EDIT_VERBS_H
#define QB_FORM_EDIT_VERBS_H

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// Text positions count bytes and always stand at a character's start; screen
// positions count cells, where a pair or a wide character takes two and the
// blank that one leaves at a row's end (page_text.h) takes one.
struct LineEdit {
  static constexpr std::size_t kClean = std::string::npos;

  const CodePage* page = &kCodePage437;  // the page of the text: where characters begin
  std::string text;
  std::size_t pos = 0;  // insertion point, a byte index from 0 to text.size()
  int columns = 80;     // screen width: one row of cells, the step of Up and Down
  int rows = 25;        // screen height
  // The screen cell where the text begins, counted in reading order from
  // row 1, column 1 (= 0): text[0]'s, or the blank before it when a
  // character of two cells is pushed onto the next row. Negative once scrolling has carried it off
  // the top.
  long start = 0;
  std::size_t drawn = 0;             // how many cells the screen shows of the text from `start`
  std::size_t echo_at = 0;           // a plain stream's cursor, as a byte index (stream_echo.cpp)
  long echo_column = 0;              // and as the columns of the text before it
  std::size_t redraw_from = kClean;  // first byte index to reprint, or kClean
  bool place_cursor = false;         // the cursor must be moved to the insertion point
  bool beep = false;                 // a refused key asks for the beep
};

// The screen cell of the character at byte index `at`; for text.size(), the
// cell after the text.
long cell_at(const LineEdit& st, std::size_t at);
// The cell where printing the text from byte index `at` begins: right after
// the character before it, the blank before a pushed pair included.
long print_cell(const LineEdit& st, std::size_t at);

// The first character whose cell is still on the screen; the insertion point
// never goes before it, since what scrolled off the top can no longer be seen.
std::size_t first_reachable(const LineEdit& st);

// Inserts `chars`, whole characters, at the insertion point and moves past them.
void edit_insert(LineEdit& st, std::string_view chars);
// Inserts spaces up to the next multiple of 8 of the insertion point's byte index.
void edit_tab(LineEdit& st);
// Removes the character before the insertion point, if there is one in reach.
void edit_backspace(LineEdit& st);
// Removes the character at the insertion point; at the end, asks for the beep.
void edit_delete(LineEdit& st);
// One character back, not before the first reachable one.
void edit_left(LineEdit& st);
// One character on, not past the end.
void edit_right(LineEdit& st);
// To the first reachable character.
void edit_home(LineEdit& st);
// To the end of the text.
void edit_end(LineEdit& st);
// To the cell one screen width back, when it holds reachable text; a pair's
// second cell or the blank before a pair stands for the pair.
void edit_up(LineEdit& st);
// To the cell one screen width on, when the text reaches that far; a pair's
// second cell or the blank before a pair stands for the pair.
void edit_down(LineEdit& st);
// Clears the whole text; its visible cells are to be blanked and the insertion
// point goes to where the text starts (row 1, column 1 if that scrolled off).
void edit_clear(LineEdit& st);

}  // namespace qb

#endif  // QB_FORM_EDIT_VERBS_H
