// The echo in a plain stream. A terminal without cursor addressing still
// moves its cursor back one cell for a backspace, so a change is shown by
// backing up to the first changed character, printing the text from there,
// blanks over the cells the text gave up, and backing up again to the
// insertion point: Backspace at the end of "abc" sends backspace, blank,
// backspace. The stream cursor's place is kept in LineEdit::echo_at. A
// stream has no rows and so no blank at a row's end, and a pair shows as a
// character two columns wide: there a byte is a cell, in LineEdit::drawn
// too, and the moves go from one character's start to another's.
#include "form/stream_echo.h"

#include <algorithm>
#include <string>

namespace qb {

namespace {

// Moves the stream's cursor from text index `from` to `to`: back with
// backspaces, on by printing the text between again.
void move_echo(Console& con, const std::string& text, std::size_t from, std::size_t to) {
  if (to < from) con.print_text(std::string(from - to, '\b'), false);
  if (to > from) con.print_text(text.substr(from, to - from), false);
}

// Shows the change from the first changed character on, then puts the
// stream's cursor on the insertion point.
void show_change(Console& con, LineEdit& st) {
  std::size_t at = st.echo_at;
  if (st.redraw_from != LineEdit::kClean) {
    const std::size_t from = std::min(st.redraw_from, st.text.size());
    move_echo(con, st.text, at, from);
    const std::size_t end = std::max(st.drawn, st.text.size());
    std::string tail = st.text.substr(from);
    tail.append(end - st.text.size(), ' ');
    if (!tail.empty()) con.print_text(tail, false);
    at = end;
    st.drawn = st.text.size();
  }
  move_echo(con, st.text, at, st.pos);
  st.echo_at = st.pos;
}

}  // namespace

void echo_in_stream(Console& con, LineEdit& st) {
  if (st.beep) {
    con.beep();
    st.beep = false;
  }
  if (con.stream_shows_edits()) show_change(con, st);
  st.redraw_from = LineEdit::kClean;
  st.place_cursor = false;
}

void end_stream_echo(Console& con, LineEdit& st) {
  if (con.stream_shows_edits()) {
    move_echo(con, st.text, st.echo_at, st.text.size());
  } else if (!st.text.empty()) {
    con.print_text(st.text, false);
  }
  st.echo_at = st.text.size();
}

}  // namespace qb
