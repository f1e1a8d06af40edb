// The test terminal over libvterm's screen layer.
#include "vt_screen.h"

#include <vterm.h>

#include "platform/text/code_page.h"
#include "platform/text/utf8.h"

namespace qb::test {

namespace {

VtScreen& self(void* user) {
  return *static_cast<VtScreen*>(user);
}

int on_termprop(VTermProp prop, VTermValue* value, void* user) {
  if (prop == VTERM_PROP_CURSORVISIBLE) self(user).set_cursor_visible(value->boolean != 0);
  return 1;
}

int on_pushline(int, const VTermScreenCell*, void* user) {
  self(user).count_scrolled_line();
  return 1;
}

int on_bell(void* user) {
  self(user).count_bell();
  return 1;
}

const VTermScreenCallbacks kCallbacks = {
    .damage = nullptr,
    .moverect = nullptr,
    .movecursor = nullptr,
    .settermprop = on_termprop,
    .bell = on_bell,
    .resize = nullptr,
    .sb_pushline = on_pushline,
    .sb_popline = nullptr,
};

VTermScreenCell cell_of(VTermScreen* screen, int row, int column) {
  VTermScreenCell cell{};
  vterm_screen_get_cell(screen, VTermPos{row - 1, column - 1}, &cell);
  return cell;
}

int colour_index(const VTermColor& colour, bool foreground) {
  if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&colour) : VTERM_COLOR_IS_DEFAULT_BG(&colour)) {
    return kDefaultColour;
  }
  return VTERM_COLOR_IS_INDEXED(&colour) ? colour.indexed.idx : kOtherColour;
}

}  // namespace

std::string utf8(char32_t c) {
  std::string out;
  append_utf8(c, out);
  return out;
}

VtScreen::VtScreen(int columns, int rows)
    : vt_(vterm_new(rows, columns)), columns_(columns), rows_(rows) {
  vterm_set_utf8(vt_, 1);
  screen_ = vterm_obtain_screen(vt_);
  vterm_screen_set_callbacks(screen_, &kCallbacks, this);
  vterm_screen_reset(screen_, 1);
}

VtScreen::~VtScreen() {
  vterm_free(vt_);
}

void VtScreen::feed(std::string_view bytes) {
  vterm_input_write(vt_, bytes.data(), bytes.size());
  vterm_screen_flush_damage(screen_);
}

void VtScreen::resize(int columns, int rows) {
  columns_ = columns;
  rows_ = rows;
  vterm_set_size(vt_, rows, columns);
}

char32_t VtScreen::char_at(int row, int column) const {
  const VTermScreenCell cell = cell_of(screen_, row, column);
  return cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]);
}

int VtScreen::width(int row, int column) const {
  return cell_of(screen_, row, column).width;
}

std::u32string VtScreen::chars_at(int row, int column) const {
  const VTermScreenCell cell = cell_of(screen_, row, column);
  std::u32string chars(1, char_at(row, column));
  for (int i = 1; i < VTERM_MAX_CHARS_PER_CELL && cell.chars[0] != 0 && cell.chars[i] != 0; ++i) {
    chars += static_cast<char32_t>(cell.chars[i]);
  }
  return chars;
}

std::string VtScreen::text_at(int row, int column, int length) const {
  std::string text;
  for (int c = column; c < column + length; ++c) {
    if (char_at(row, c) != kWideRest) text += utf8(char_at(row, c));
  }
  return text;
}

int VtScreen::foreground(int row, int column) const {
  return colour_index(cell_of(screen_, row, column).fg, true);
}

int VtScreen::background(int row, int column) const {
  return colour_index(cell_of(screen_, row, column).bg, false);
}

bool VtScreen::bold(int row, int column) const {
  return cell_of(screen_, row, column).attrs.bold != 0;
}

bool VtScreen::blank(int row, int first, int last, int fg, int bg) const {
  for (int c = first; c <= last; ++c) {
    if (char_at(row, c) != U' ' || foreground(row, c) != fg || background(row, c) != bg)
      return false;
  }
  return true;
}

bool VtScreen::untouched(int row, int first, int last) const {
  return blank(row, first, last, kDefaultColour, kDefaultColour);
}

bool VtScreen::no_text(int row, int first, int last) const {
  return text_at(row, first, last - first + 1) == std::string(last - first + 1, ' ');
}

int VtScreen::cursor_row() const {
  VTermPos pos{};
  vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
  return pos.row + 1;
}

int VtScreen::cursor_column() const {
  VTermPos pos{};
  vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
  return pos.col + 1;
}

}  // namespace qb::test
