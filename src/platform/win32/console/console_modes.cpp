// The console's modes, set and put back.
#include "platform/win32/console/console_modes.h"

namespace qb {

namespace {
constexpr DWORD kDefaultCursorSize = 25;
}

bool console_mode(HANDLE handle, DWORD& mode) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetConsoleMode(handle, &mode) != FALSE;
}

ConsoleModes::ConsoleModes(HANDLE input, HANDLE output) : input_(input), output_(output) {
  keyboard_ = console_mode(input_, saved_input_mode_);
  screen_ = console_mode(output_, saved_output_mode_);
  if (screen_ && GetConsoleCursorInfo(output_, &saved_cursor_) == FALSE) {
    saved_cursor_ = CONSOLE_CURSOR_INFO{kDefaultCursorSize, TRUE};
  }
}

// Processed input: Ctrl+C and Ctrl+Break stay with the system, which ends
// the process; no line editing, no echo, no mouse or window events. The
// look at the input queue right after makes a console that stands on a
// terminal (wine's) take the keyboard over at once: until its first input
// request the terminal would echo typed-ahead keys and hold them by lines.
void ConsoleModes::enter() const {
  if (!keyboard_) return;
  SetConsoleMode(input_, ENABLE_PROCESSED_INPUT);
  INPUT_RECORD record{};
  DWORD count = 0;
  PeekConsoleInputW(input_, &record, 1, &count);
}

void ConsoleModes::leave() const {
  if (keyboard_) SetConsoleMode(input_, saved_input_mode_);
  if (screen_) SetConsoleMode(output_, saved_output_mode_);
}

void ConsoleModes::restore_cursor() const {
  if (screen_) SetConsoleCursorInfo(output_, &saved_cursor_);
}

}  // namespace qb
