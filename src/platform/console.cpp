// The console operations over the screen model and a backend. Drawing only
// changes the model; flush() hands it to the backend before the program
// waits (for a key, a pause, the timer or a command), so what the user sees
// is always complete and each frame is written once.
#include "platform/console.h"

#include <cstdlib>

namespace qb {

void Console::set_screen_size(int columns, int rows) {
  backend_.resize(columns < 1 ? Screen::kColumns : columns, rows < 1 ? Screen::kRows : rows);
  screen_.home();
}

void Console::set_color(int foreground, int background) {
  if (foreground >= 0) foreground_ = foreground & 15;
  if (background >= 0) background_ = background & 15;
  screen_.set_attribute(static_cast<std::uint8_t>(background_ * 16 + foreground_));
}

void Console::clear_screen() {
  if (repaint_at_clear_) {
    backend_.invalidate();
    repaint_at_clear_ = false;
  }
  screen_.clear();
}

void Console::locate(int row, int column) {
  screen_.move_to(row, column);
}

void Console::print_text(std::string_view text, bool line_end, Glyphs glyphs) {
  screen_.set_page(backend_.text_page());  // the pairs the text forms
  if (!backend_.is_screen()) {
    // Redirected output gets the bytes as they are; the model still follows.
    backend_.write_stream(text, glyphs);
    if (line_end) backend_.write_stream("\r\n", glyphs);
    screen_.print(text, glyphs);
    if (line_end) screen_.print("\r\n", glyphs);
    return;
  }
  // One tone for all the bells of one print: a log full of bell bytes must
  // not hold the program for a quarter of a second per byte.
  const int bells = screen_.print(text, glyphs) + (line_end ? screen_.print("\r\n", glyphs) : 0);
  if (bells > 0) backend_.beep();
}

bool Console::key_waiting() {
  // Only looks: the frame is shown by whichever wait comes next, so a burst
  // of typed-ahead keys is drawn once, when the burst is over.
  move_keys(0);
  return !keys_.empty();
}

Keystroke Console::read_key() {
  while (keys_.empty()) wait_for_key();
  key_arrived_ = false;
  return keys_.pop();
}

void Console::wait_for_key() {
  flush();
  while (!key_arrived_) move_keys(kNoTimeLimit);
  key_arrived_ = false;
}

void Console::wait_for_input(int milliseconds) {
  flush();
  if (keys_.empty()) move_keys(milliseconds);
}

void Console::sleep_ms(int milliseconds) {
  flush();
  backend_.sleep_ms(milliseconds);
}

void Console::sleep_until(double reading) {
  flush();
  backend_.sleep_until(reading);
}

double Console::timer_seconds() {
  flush();
  return backend_.timer_seconds();
}

int Console::run_command(std::string_view command_line) {
  if (command_line.empty()) return -1;
  flush();
  const int status = backend_.run_command(command_line);
  repaint_at_clear_ = true;
  return status;
}

void Console::flush() {
  if (!backend_.is_screen() || screen_.generation() == shown_generation_) return;
  backend_.present(screen_);
  shown_generation_ = screen_.generation();
}

// Keys read before the input's end are still handed out; a wait for more
// ends the program.
void Console::move_keys(int timeout_ms) {
  if (backend_.input_ended() && (keys_.empty() || timeout_ms != 0)) end_of_input();
  if (backend_.poll_keys(keys_, timeout_ms) > 0) key_arrived_ = true;
}

// The one way out when no key can come any more: the screen stays as it is.
void Console::end_of_input() {
  flush();
  if (!unfinished_input_line_.empty() && !backend_.input_hung_up()) {
    backend_.end_program(1, unfinished_input_line_);
  }
  backend_.end_program(end_of_input_status_, {});
  std::abort();  // a backend's end_program never comes back
}

}  // namespace qb
