// The line editor's loop and its one drawing step. Keys are turned into
// editing verbs (edit_verbs.cpp), a character of several bytes typed whole; after each key the
// refresh step reprints only the text from the first changed character to the end, blanks the cells
// a removal freed and puts the cursor on the insertion point, so an append costs only the new
// character's cells. The text's start is re-read from where printing left the cursor, so it follows
// the screen when printing scrolled it up. Where output is no screen, the echo is the plain
// stream's (stream_echo.cpp).
#include "form/read_line.h"

#include <algorithm>
#include <array>

#include "form/answer.h"
#include "form/edit_verbs.h"
#include "form/stream_echo.h"
#include "platform/keys/bios_keys.h"
#include "platform/text/page_text.h"

namespace qb {

namespace {

// The screen cell the cursor stands for; a pending wrap stands for the cell
// after the last row's last column.
long cursor_cell(const Console& con, int columns) {
  const long cell = static_cast<long>(con.cursor_row() - 1) * columns + con.cursor_column() - 1;
  return con.screen().pending_line_end() ? cell + 1 : cell;
}

// Puts the cursor on `cell`; the cell just below the last row is first
// brought onto the screen by scrolling it up one row, as a line end would.
void go_to_cell(Console& con, LineEdit& st, long cell) {
  if (cell >= static_cast<long>(st.columns) * st.rows) {
    con.locate(st.rows, 1);
    con.print_text("\n", false);
    st.start -= st.columns;
    cell -= st.columns;
  }
  con.locate(static_cast<int>(cell / st.columns) + 1, static_cast<int>(cell % st.columns) + 1);
}

// Reprints the text from the first changed character to its end, then
// blanks the cells that the text no longer covers.
void draw_tail(Console& con, LineEdit& st) {
  const std::size_t length = st.text.size();
  const std::size_t from = std::min(std::max(st.redraw_from, first_reachable(st)), length);
  const auto cells = static_cast<std::size_t>(cell_at(st, length) - st.start);
  const std::size_t blanks = st.drawn > cells ? st.drawn - cells : 0;
  st.redraw_from = LineEdit::kClean;
  st.drawn = cells;
  if (from == length && blanks == 0) return;
  std::string out = st.text.substr(from);
  out.append(blanks, ' ');
  // A reachable pair at row 1, column 1 may follow a blank above the top.
  go_to_cell(con, st, std::max(print_cell(st, from), 0L));
  con.print_text(out, false);
  // Printing ends right after the last cell written; if it scrolled, the
  // text's start went up with everything else.
  st.start = cursor_cell(con, st.columns) - static_cast<long>(cells + blanks);
}

// Carries out what the verbs asked for: the beep, the redraw, the cursor.
void refresh(Console& con, LineEdit& st) {
  if (st.beep) {
    con.beep();
    st.beep = false;
  }
  if (st.redraw_from == LineEdit::kClean && !st.place_cursor) return;
  con.show_cursor(false);
  if (st.redraw_from != LineEdit::kClean) draw_tail(con, st);
  // A scroll may have carried the insertion point off the top.
  st.pos = std::max(st.pos, first_reachable(st));
  go_to_cell(con, st, cell_at(st, st.pos));
  st.place_cursor = false;
  con.show_cursor(true);
}

// The editing keys and their verbs.
struct KeyVerb {
  int key;
  void (*verb)(LineEdit&);
};
constexpr auto kKeyVerbs = std::to_array<KeyVerb>({
    {key::kTab, edit_tab},
    {key::kBackspace, edit_backspace},
    {key::kEscape, edit_clear},
    {key::kDelete, edit_delete},
    {key::kLeft, edit_left},
    {key::kRight, edit_right},
    {key::kHome, edit_home},
    {key::kEnd, edit_end},
    {key::kUp, edit_up},
    {key::kDown, edit_down},
});

// Hands one key to its verb; true for the keys that end the line. Characters
// 32 to 255 are typed, a character of several bytes whole; every other code
// is ignored, and so are a lead byte on its own (as Alt + keypad digits can
// give), a byte of UTF-8 that is no character alone and bytes that are not
// one character of the page, so that the text never holds part of one.
bool apply_key(LineEdit& st, const Keystroke& key) {
  if (key.size() > 1) {
    const std::string bytes = key.bytes();
    if (character_size(*st.page, bytes, 0) == bytes.size()) edit_insert(st, bytes);
    return false;
  }
  const int code = key.code();
  if (code == key::kEnter || code == key::kLineFeed) return true;
  for (const KeyVerb& kv : kKeyVerbs) {
    if (kv.key == code) {
      kv.verb(st);
      return false;
    }
  }
  if (code >= 32 && code <= 255 && st.page->stands_alone(static_cast<std::uint8_t>(code))) {
    edit_insert(st, key.bytes());
  }
  return false;
}

// Waits for a key, asleep until one comes, and takes it.
Keystroke next_key(Console& con) {
  while (!con.key_waiting()) con.wait_for_input(kNoTimeLimit);
  return con.read_key();
}

}  // namespace

std::string read_line(Console& con) {
  const ScreenSize size = Console::screen_size();
  LineEdit st;
  st.page = &con.text_page();
  st.columns = size.columns;
  st.rows = size.rows;
  st.start = cursor_cell(con, size.columns);
  const bool was_visible = con.cursor_visible();
  con.show_cursor(true);
  go_to_cell(con, st, st.start);
  const bool on_screen = con.is_screen();
  while (!apply_key(st, next_key(con))) {
    if (on_screen) {
      refresh(con, st);
    } else {
      echo_in_stream(con, st);
    }
  }
  if (on_screen) {
    go_to_cell(con, st, cell_at(st, st.text.size()));
  } else {
    end_stream_echo(con, st);
  }
  con.show_cursor(was_visible);
  return std::move(st.text);
}

std::string read_answer(Console& con) {
  const std::string line = read_line(con);
  con.print_text("", true);
  return take_answer(line, con.text_page());
}

}  // namespace qb
