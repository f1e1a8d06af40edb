// The editing verbs: a bounds check, a change to the text or the insertion
// point, and a refresh request that says what must be redrawn. They take
// the text a whole character at a time, and find its cells by the screen's
// own rule (page_text.h), so the cursor never stands inside a pair or on
// the blank a pair leaves at a row's end.
#include "form/edit_verbs.h"

#include <algorithm>

#include "platform/text/page_text.h"

namespace qb {

namespace {

constexpr std::size_t kTabWidth = 8;

// Asks for the text to be reprinted from `index` on.
void redraw_from(LineEdit& st, std::size_t index) {
  st.redraw_from = std::min(st.redraw_from, index);
  st.place_cursor = true;
}

// Moves the insertion point to `index` and asks for the cursor to follow.
void move_to(LineEdit& st, std::size_t index) {
  st.pos = index;
  st.place_cursor = true;
}

// The start of the character drawn on `cell`, as character_at_cell has it.
std::size_t at_cell(const LineEdit& st, long cell) {
  return character_at_cell(*st.page, st.text, cell, st.start, st.columns);
}

}  // namespace

long cell_at(const LineEdit& st, std::size_t at) {
  return cell_of(*st.page, st.text, at, st.start, st.columns);
}

long print_cell(const LineEdit& st, std::size_t at) {
  return cell_of(*st.page, std::string_view(st.text).substr(0, at), at, st.start, st.columns);
}

std::size_t first_reachable(const LineEdit& st) {
  return st.start < 0 ? at_cell(st, 0) : 0;
}

void edit_insert(LineEdit& st, std::string_view chars) {
  if (chars.empty()) return;
  st.text.insert(st.pos, chars);
  redraw_from(st, st.pos);
  st.pos += chars.size();
}

void edit_tab(LineEdit& st) {
  edit_insert(st, std::string(kTabWidth - st.pos % kTabWidth, ' '));
}

void edit_backspace(LineEdit& st) {
  if (st.pos <= first_reachable(st)) return;
  const std::size_t before = character_start(*st.page, st.text, st.pos - 1);
  st.text.erase(before, st.pos - before);
  st.pos = before;
  redraw_from(st, st.pos);
}

void edit_delete(LineEdit& st) {
  if (st.pos >= st.text.size()) {
    st.beep = true;
    return;
  }
  st.text.erase(st.pos, character_size(*st.page, st.text, st.pos));
  redraw_from(st, st.pos);
}

void edit_left(LineEdit& st) {
  if (st.pos > first_reachable(st)) move_to(st, character_start(*st.page, st.text, st.pos - 1));
}

void edit_right(LineEdit& st) {
  if (st.pos < st.text.size()) move_to(st, st.pos + character_size(*st.page, st.text, st.pos));
}

void edit_home(LineEdit& st) {
  move_to(st, first_reachable(st));
}

void edit_end(LineEdit& st) {
  move_to(st, st.text.size());
}

void edit_up(LineEdit& st) {
  const long above = cell_at(st, st.pos) - st.columns;
  if (above >= std::max(st.start, 0L)) move_to(st, at_cell(st, above));
}

void edit_down(LineEdit& st) {
  const long below = cell_at(st, st.pos) + st.columns;
  if (below <= cell_at(st, st.text.size())) move_to(st, at_cell(st, below));
}

void edit_clear(LineEdit& st) {
  if (st.start < 0) {
    // Only the cells from row 1, column 1 on are left to blank, and the
    // empty text starts there.
    const long visible = std::max(0L, st.start + static_cast<long>(st.drawn));
    st.drawn = static_cast<std::size_t>(visible);
    st.start = 0;
  }
  st.text.clear();
  st.pos = 0;
  redraw_from(st, 0);
}

}  // namespace qb
