// Drawing the changed cells of each frame as rectangles of the frame diff's
// spans, a character of two cells as the console keeps it: a pair's
// character, or a wide character of UTF-8, in a leading and a trailing
// byte's cell; of a wide character beyond U+FFFF the leading cell holds its
// high surrogate and the trailing cell its low one, as UTF-16 splits it.
#include "platform/win32/console/console_renderer.h"

#include <algorithm>
#include <string>

#include "platform/text/code_page.h"
#include "platform/text/utf8.h"

namespace qb {

namespace {

constexpr DWORD kDefaultCursorSize = 25;

SHORT to_short(int value) {
  return static_cast<SHORT>(value);
}

// `span` grown until it cuts no pair on any row from top to bottom.
ColumnRun whole_pairs(const FrameDiff& diff, int top, int bottom, ColumnRun span) {
  for (ColumnRun grown = span;; span = grown) {
    for (int row = top; row <= bottom; ++row)
      grown = diff.whole_pairs(row, grown, Screen::kColumns);
    if (grown.first == span.first && grown.last == span.last) return span;
  }
}

// The UTF-16 unit a cell of a UTF-8 character of several bytes shows: the
// character's own; beyond U+FFFF its high or low surrogate, by the cell's
// part. A cell of its own holds one unit only, so a character of one cell
// beyond U+FFFF shows as the replacement character.
wchar_t utf8_unit(const ShownCell& cell) {
  const std::string bytes = cell_bytes(cell.ch, cell.more);
  const bool valid = utf8_length_at(bytes, 0) == bytes.size();
  const char32_t character = valid ? utf8_code_point_at(bytes, 0) : U'\xFFFD';
  if (character < 0x10000) return static_cast<wchar_t>(character);
  if (cell.part == CellPart::kWhole) return L'\xFFFD';
  const char32_t offset = character - 0x10000;
  const char32_t unit =
      cell.part == CellPart::kLead ? 0xD800 + (offset >> 10) : 0xDC00 + (offset & 0x3FF);
  return static_cast<wchar_t>(unit);
}

// The character of the pair whose half the cell at row, column is.
wchar_t pair_unit(const FrameDiff& diff, const CodePage& page, int row, int column) {
  const ShownCell& cell = diff.frame(row, column);
  const bool lead = cell.part == CellPart::kLead;
  const ShownCell& other = diff.frame(row, lead ? column + 1 : column - 1);
  const char32_t pair =
      lead ? page.pair_glyph(cell.ch, other.ch) : page.pair_glyph(other.ch, cell.ch);
  return pair != 0 ? static_cast<wchar_t>(pair) : L'\xFFFD';
}

// The cell of the frame at row, column as the console holds it: a mark's
// glyph in code page 437, a byte's in the console's page, a UTF-8
// character's UTF-16 unit, and a character of two cells in both its cells,
// the first flagged as the leading byte's and the second as the trailing
// byte's, as the console itself keeps a character of two cells.
CHAR_INFO console_cell(const FrameDiff& diff, const CodePageGlyphs& glyphs, const CodePage& page,
                       int row, int column) {
  const ShownCell& cell = diff.frame(row, column);
  CHAR_INFO shown{};
  shown.Attributes = cell.look;
  if (cell.glyphs == Glyphs::kProgram) {
    shown.Char.UnicodeChar = static_cast<wchar_t>(kCodePage437.glyph(cell.ch));
    return shown;
  }
  if (cell.more[0] != 0) {
    shown.Char.UnicodeChar = utf8_unit(cell);
  } else if (cell.part == CellPart::kWhole) {
    shown.Char.UnicodeChar = glyphs.glyph[cell.ch];
  } else {
    shown.Char.UnicodeChar = pair_unit(diff, page, row, column);
  }
  if (cell.part == CellPart::kLead) shown.Attributes |= COMMON_LVB_LEADING_BYTE;
  if (cell.part == CellPart::kTrail) shown.Attributes |= COMMON_LVB_TRAILING_BYTE;
  return shown;
}

}  // namespace

ConsoleRenderer::ConsoleRenderer(HANDLE output) : output_(output) {
  find_origin();
}

// Row 1, column 1 is the top left cell of the visible window.
void ConsoleRenderer::find_origin() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(output_, &info) != FALSE) {
    origin_ = COORD{info.srWindow.Left, info.srWindow.Top};
  } else {
    origin_ = COORD{0, 0};
  }
}

void ConsoleRenderer::invalidate() {
  diff_.invalidate();
  shown_cursor_.reset();
  shown_visible_.reset();
}

// Writes the changed cells: each run of adjacent rows with changes goes out
// in one call, as the rectangle from the leftmost to the rightmost change.
void ConsoleRenderer::present(const Screen& screen, const CodePageGlyphs& glyphs) {
  for (int row = 1; row <= Screen::kRows; ++row) {
    for (int column = 1; column <= Screen::kColumns; ++column)
      diff_.frame(row, column) = shown_cell(screen.cell(row, column), glyphs.marks_differ);
  }
  int top = 0;
  ColumnRun block{};
  for (int row = 1; row <= Screen::kRows + 1; ++row) {
    const ColumnRun span =
        row <= Screen::kRows ? diff_.changed_span(row, Screen::kColumns) : ColumnRun{};
    if (span.empty()) {
      if (top != 0) write_block(top, row - 1, block, glyphs);
      top = 0;
    } else if (top == 0) {
      top = row;
      block = span;
    } else {
      block = ColumnRun{std::min(block.first, span.first), std::max(block.last, span.last)};
    }
  }
  diff_.mark_frame_shown();
  present_cursor(screen);
}

// Writes the frame's rows top to bottom, columns span.first to span.last
// (grown to take whole every pair it would cut), in one call.
void ConsoleRenderer::write_block(int top, int bottom, ColumnRun span,
                                  const CodePageGlyphs& glyphs) {
  span = whole_pairs(diff_, top, bottom, span);
  const CodePage& page = code_page_numbered(static_cast<int>(glyphs.code_page));
  const int width = span.last - span.first + 1;
  std::size_t at = 0;
  for (int row = top; row <= bottom; ++row) {
    for (int column = span.first; column <= span.last; ++column)
      block_[at++] = console_cell(diff_, glyphs, page, row, column);
  }
  SMALL_RECT target{to_short(origin_.X + span.first - 1), to_short(origin_.Y + top - 1),
                    to_short(origin_.X + span.last - 1), to_short(origin_.Y + bottom - 1)};
  WriteConsoleOutputW(output_, block_.data(), COORD{to_short(width), to_short(bottom - top + 1)},
                      COORD{0, 0}, &target);
}

// Places the cursor and shows or hides it, keeping the console's cursor size.
void ConsoleRenderer::present_cursor(const Screen& screen) {
  const COORD at{to_short(origin_.X + screen.column() - 1), to_short(origin_.Y + screen.row() - 1)};
  if (!shown_cursor_ || shown_cursor_->X != at.X || shown_cursor_->Y != at.Y) {
    SetConsoleCursorPosition(output_, at);
    shown_cursor_ = at;
  }
  if (shown_visible_ != screen.cursor_visible()) {
    CONSOLE_CURSOR_INFO info{};
    if (GetConsoleCursorInfo(output_, &info) == FALSE || info.dwSize == 0) {
      info.dwSize = kDefaultCursorSize;
    }
    info.bVisible = screen.cursor_visible() ? TRUE : FALSE;
    SetConsoleCursorInfo(output_, &info);
    shown_visible_ = screen.cursor_visible();
  }
}

// Makes buffer and window columns x rows. The window first shrinks to what
// fits in both the old and the new buffer, so that each call below is legal
// whether the console grows or shrinks; the window is then as large as the
// display allows, and no scroll-back remains.
void ConsoleRenderer::resize(int columns, int rows) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(output_, &info) != FALSE) {
    const int width = info.srWindow.Right - info.srWindow.Left + 1;
    const int height = info.srWindow.Bottom - info.srWindow.Top + 1;
    const SMALL_RECT smaller{0, 0, to_short(std::min(width, columns) - 1),
                             to_short(std::min(height, rows) - 1)};
    SetConsoleWindowInfo(output_, TRUE, &smaller);
  }
  SetConsoleScreenBufferSize(output_, COORD{to_short(columns), to_short(rows)});
  const COORD largest = GetLargestConsoleWindowSize(output_);
  const int width = largest.X > 0 ? std::min<int>(columns, largest.X) : columns;
  const int height = largest.Y > 0 ? std::min<int>(rows, largest.Y) : rows;
  const SMALL_RECT window{0, 0, to_short(width - 1), to_short(height - 1)};
  SetConsoleWindowInfo(output_, TRUE, &window);
  SetConsoleActiveScreenBuffer(output_);
  find_origin();
  invalidate();
}

}  // namespace qb
