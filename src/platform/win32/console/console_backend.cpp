// The Windows console backend's screen side: console modes, the 80 x 25
// buffer and window, drawing the changed cells of each frame as rectangles of
// the frame diff's spans (a pair as the console keeps it: its character in
// a leading and a trailing byte's cell), the cursor, plain output, the
// timer, pauses, the beep, the command runner's hand-over (the line read in
// the page the form's text is shown in) and the end of the process, with
// its line on standard error.
#include "platform/win32/console/console_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/text/code_page.h"
#include "platform/win32/commands/cmd_exe.h"
#include "platform/win32/oem.h"

namespace qb {

namespace {

constexpr DWORD kDefaultCursorSize = 25;

bool console_mode(HANDLE handle, DWORD& mode) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetConsoleMode(handle, &mode) != FALSE;
}

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

// The cell of the frame at row, column as the console holds it: a mark's
// glyph in code page 437, a byte's in the console's page, and a pair's
// character in both its cells, the first flagged as the leading byte's and
// the second as the trailing byte's, as the console itself keeps a
// character of two cells.
CHAR_INFO console_cell(const FrameDiff& diff, const CodePageGlyphs& glyphs, const CodePage& page,
                       int row, int column) {
  const ShownCell& cell = diff.frame(row, column);
  CHAR_INFO shown{};
  shown.Attributes = cell.look;
  if (cell.glyphs == Glyphs::kProgram) {
    shown.Char.UnicodeChar = static_cast<wchar_t>(kCodePage437.glyph(cell.ch));
  } else if (cell.part == CellPart::kWhole) {
    shown.Char.UnicodeChar = glyphs.glyph[cell.ch];
  } else {
    const bool lead = cell.part == CellPart::kLead;
    const ShownCell& other = diff.frame(row, lead ? column + 1 : column - 1);
    const char32_t pair =
        lead ? page.pair_glyph(cell.ch, other.ch) : page.pair_glyph(other.ch, cell.ch);
    shown.Char.UnicodeChar = pair != 0 ? static_cast<wchar_t>(pair) : L'\xFFFD';
    shown.Attributes |= lead ? COMMON_LVB_LEADING_BYTE : COMMON_LVB_TRAILING_BYTE;
  }
  return shown;
}

// Writes `line` and CR LF to standard error; on a console whose cursor
// stands inside a line (a form still shown), on a fresh line below it.
void write_error_line(std::string_view line) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  const bool inside_a_line =
      GetConsoleScreenBufferInfo(error, &info) != FALSE && info.dwCursorPosition.X != 0;
  const std::string text = (inside_a_line ? "\r\n" : "") + std::string(line) + "\r\n";
  DWORD written = 0;
  WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

Win32Console::Win32Console(HANDLE input, HANDLE output) : input_(input), output_(output) {
  keyboard_ = console_mode(input_, saved_input_mode_);
  if (!keyboard_) stream_ = std::make_unique<StreamInput>(input_);
  screen_ = console_mode(output_, saved_output_mode_);
  if (screen_ && GetConsoleCursorInfo(output_, &saved_cursor_) == FALSE) {
    saved_cursor_ = CONSOLE_CURSOR_INFO{kDefaultCursorSize, TRUE};
  }
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) != FALSE && frequency.QuadPart > 0) {
    counter_period_ = 1.0 / static_cast<double>(frequency.QuadPart);
  }
  set_program_modes();
  load_code_page();
  find_origin();
}

Win32Console::~Win32Console() {
  remove_close_handler();
  restore_modes();
}

// Processed input: Ctrl+C and Ctrl+Break stay with the system, which ends
// the process; no line editing, no echo, no mouse or window events. The
// look at the input queue right after makes a console that stands on a
// terminal (wine's) take the keyboard over at once: until its first input
// request the terminal would echo typed-ahead keys and hold them by lines.
void Win32Console::set_program_modes() {
  if (!keyboard_) return;
  SetConsoleMode(input_, ENABLE_PROCESSED_INPUT);
  INPUT_RECORD record{};
  DWORD count = 0;
  PeekConsoleInputW(input_, &record, 1, &count);
}

void Win32Console::restore_modes() {
  if (keyboard_) SetConsoleMode(input_, saved_input_mode_);
  if (screen_) SetConsoleMode(output_, saved_output_mode_);
}

// Reads the console's output code page; a change of code page redraws all.
void Win32Console::load_code_page() {
  const UINT code_page = GetConsoleOutputCP();
  const unsigned wanted = code_page != 0 ? code_page : 437;
  if (wanted == glyphs_.code_page) return;
  glyphs_ = glyphs_for_code_page(wanted);
  command_page_ = code_page != 0 ? glyphs_.table_page : CP_OEMCP;
  diff_.invalidate();
}

// Row 1, column 1 is the top left cell of the visible window.
void Win32Console::find_origin() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (screen_ && GetConsoleScreenBufferInfo(output_, &info) != FALSE) {
    origin_ = COORD{info.srWindow.Left, info.srWindow.Top};
  } else {
    origin_ = COORD{0, 0};
  }
}

void Win32Console::invalidate() {
  diff_.invalidate();
  shown_cursor_.reset();
  shown_visible_.reset();
}

// Writes the changed cells: each run of adjacent rows with changes goes out
// in one call, as the rectangle from the leftmost to the rightmost change.
void Win32Console::present(const Screen& screen) {
  if (!screen_) return;
  for (int row = 1; row <= Screen::kRows; ++row) {
    for (int column = 1; column <= Screen::kColumns; ++column)
      diff_.frame(row, column) = shown_cell(screen.cell(row, column), glyphs_.marks_differ);
  }
  int top = 0;
  ColumnRun block{};
  for (int row = 1; row <= Screen::kRows + 1; ++row) {
    const ColumnRun span =
        row <= Screen::kRows ? diff_.changed_span(row, Screen::kColumns) : ColumnRun{};
    if (span.empty()) {
      if (top != 0) write_block(top, row - 1, block);
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
void Win32Console::write_block(int top, int bottom, ColumnRun span) {
  span = whole_pairs(diff_, top, bottom, span);
  const CodePage& page = text_page();
  const int width = span.last - span.first + 1;
  std::size_t at = 0;
  for (int row = top; row <= bottom; ++row) {
    for (int column = span.first; column <= span.last; ++column)
      block_[at++] = console_cell(diff_, glyphs_, page, row, column);
  }
  SMALL_RECT target{to_short(origin_.X + span.first - 1), to_short(origin_.Y + top - 1),
                    to_short(origin_.X + span.last - 1), to_short(origin_.Y + bottom - 1)};
  WriteConsoleOutputW(output_, block_.data(), COORD{to_short(width), to_short(bottom - top + 1)},
                      COORD{0, 0}, &target);
}

// Places the cursor and shows or hides it, keeping the console's cursor size.
void Win32Console::present_cursor(const Screen& screen) {
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

void Win32Console::write_stream(std::string_view bytes, Glyphs /*glyphs*/) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20));
    if (WriteFile(output_, bytes.data(), chunk, &written, nullptr) == FALSE || written == 0) return;
    bytes.remove_prefix(written);
  }
}

// Makes buffer and window columns x rows. The window first shrinks to what
// fits in both the old and the new buffer, so that each call below is legal
// whether the console grows or shrinks; the window is then as large as the
// display allows, and no scroll-back remains.
void Win32Console::resize(int columns, int rows) {
  if (!screen_) return;
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

double Win32Console::timer_seconds() {
  LARGE_INTEGER count{};
  if (counter_period_ > 0.0 && QueryPerformanceCounter(&count) != FALSE) {
    return static_cast<double>(count.QuadPart) * counter_period_;
  }
  return static_cast<double>(GetTickCount()) * 0.001;
}

void Win32Console::sleep_ms(int milliseconds) {
  Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
}

void Win32Console::sleep_until(double reading) {
  double now = timer_seconds();
  while (now < reading) {
    Sleep(static_cast<DWORD>(std::ceil(std::min(reading - now, 3600.0) * 1000.0)));
    now = timer_seconds();
  }
}

void Win32Console::beep() {
  Beep(1000, 250);
}

// The command gets the console as the program found it; afterwards the
// program's modes come back, and the code page, the window and every cell
// are read anew, since the command may have changed or printed over them.
int Win32Console::run_command(std::string_view command_line) {
  restore_modes();
  const int status = run_command_line_in_page(command_line, command_page_);
  set_program_modes();
  load_code_page();
  find_origin();
  invalidate();
  return status;
}

void Win32Console::end_program(int exit_code, std::string_view error_line) {
  remove_close_handler();
  restore_modes();
  if (screen_) SetConsoleCursorInfo(output_, &saved_cursor_);
  if (!error_line.empty()) write_error_line(error_line);
  std::exit(exit_code);
}

void Win32Console::oem_to_ansi(std::string& text) const {
  qb::oem_to_ansi(text);
}

}  // namespace qb
