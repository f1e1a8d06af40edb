// The echo in a plain stream. A terminal without cursor addressing still
// moves its cursor back one cell for a backspace, so a change is shown by
// backing up to the first changed character, printing the text from there,
// blanks over the cells the text gave up, and backing up again to the
// insertion point: Backspace at the end of "abc" sends backspace, blank,
// backspace. The stream cursor's place is kept in LineEdit::echo_at and
// echo_column. A stream has no rows and so no blank at a row's end; a
// character takes its cells (a pair or a wide character two, any other one),
// in LineEdit::drawn too, and the moves go from one character's start to
// another's, a backspace a column.
#include "form/stream_echo.h"

#include <algorithm>
#include <climits>
#include <string>

#include "platform/text/page_text.h"

namespace qb {

namespace {

// The columns of the text before byte index `at`, on a line without end.
long column_of(const LineEdit& st, std::size_t at) {
  return cell_of(*st.page, st.text, at, 0, INT_MAX);
}

// Moves the stream's cursor from column `column` back to text index `to`.
void back_up(Console& con, const LineEdit& st, long column, std::size_t to) {
  const long columns = column - column_of(st, to);
  if (columns > 0) con.print_text(std::string(static_cast<std::size_t>(columns), '\b'), false);
}

// Moves the stream's cursor from where it stands to text index `to`, which
// the text before it has not changed since the cursor got there: back with
// backspaces, on by printing the text between again.
void move_echo(Console& con, LineEdit& st, std::size_t to) {
  if (to < st.echo_at) back_up(con, st, st.echo_column, to);
  if (to > st.echo_at) con.print_text(st.text.substr(st.echo_at, to - st.echo_at), false);
  st.echo_at = to;
  st.echo_column = column_of(st, to);
}

// Shows the change from the first changed character on, then puts the
// stream's cursor on the insertion point.
void show_change(Console& con, LineEdit& st) {
  if (st.redraw_from != LineEdit::kClean) {
    move_echo(con, st, std::min(st.redraw_from, st.text.size()));
    const auto columns = static_cast<std::size_t>(column_of(st, st.text.size()));
    std::string tail = st.text.substr(st.echo_at);
    tail.append(std::max(st.drawn, columns) - columns, ' ');
    if (!tail.empty()) con.print_text(tail, false);
    const auto end = static_cast<long>(std::max(st.drawn, columns));
    st.drawn = columns;
    back_up(con, st, end, st.pos);
    st.echo_at = st.pos;
    st.echo_column = column_of(st, st.pos);
    return;
  }
  move_echo(con, st, st.pos);
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
    move_echo(con, st, st.text.size());
  } else if (!st.text.empty()) {
    con.print_text(st.text, false);
  }
  st.echo_at = st.text.size();
  st.echo_column = column_of(st, st.echo_at);
}

}  // namespace qb
