// The editing verbs: a bounds check, a change to the text or the insertion
// point, and a refresh request that says what must be redrawn.
#include "form/edit_verbs.h"

#include <algorithm>

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

}  // namespace

std::size_t first_reachable(const LineEdit& st) {
  return st.start < 0 ? std::min(static_cast<std::size_t>(-st.start), st.text.size()) : 0;
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
  --st.pos;
  st.text.erase(st.pos, 1);
  redraw_from(st, st.pos);
}

void edit_delete(LineEdit& st) {
  if (st.pos >= st.text.size()) {
    st.beep = true;
    return;
  }
  st.text.erase(st.pos, 1);
  redraw_from(st, st.pos);
}

void edit_left(LineEdit& st) {
  if (st.pos > first_reachable(st)) move_to(st, st.pos - 1);
}

void edit_right(LineEdit& st) {
  if (st.pos < st.text.size()) move_to(st, st.pos + 1);
}

void edit_home(LineEdit& st) {
  move_to(st, first_reachable(st));
}

void edit_end(LineEdit& st) {
  move_to(st, st.text.size());
}

void edit_up(LineEdit& st) {
  const auto width = static_cast<std::size_t>(st.columns);
  if (st.pos >= first_reachable(st) + width) move_to(st, st.pos - width);
}

void edit_down(LineEdit& st) {
  const auto width = static_cast<std::size_t>(st.columns);
  if (st.pos + width <= st.text.size()) move_to(st, st.pos + width);
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
