// The console text screen: colours, clearing, cursor placement, printing,
// the cursor's visibility, the key queue and the key wait, the beep, pauses
// and the timer. It keeps the screen model and shows it through the backend
// once before every wait, so a burst of drawing costs one write.
#ifndef QB_PLATFORM_CONSOLE_H
#define QB_PLATFORM_CONSOLE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/backend.h"
#include "platform/keys/key_queue.h"
#include "platform/screen/screen.h"

namespace qb {

struct ScreenSize {
  int columns;
  int rows;
};

class Console {
 public:
  explicit Console(Backend& backend) : backend_(backend) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Makes the screen columns x rows (a value below 1 keeps the current one);
  // cursor to row 1, column 1, a pending wrap cleared.
  void set_screen_size(int columns, int rows);
  // Replaces the remembered colours (low four bits; negative keeps one) and
  // makes background * 16 + foreground the current attribute.
  void set_color(int foreground, int background);
  // Fills the screen with spaces in the current attribute; cursor to 1,1.
  void clear_screen();
  // Moves the cursor; 0 keeps a coordinate, out of range does nothing.
  void locate(int row, int column);
  // Prints text at the cursor, then CR LF when line_end is true; the
  // program's own marks say so with Glyphs::kProgram.
  void print_text(std::string_view text, bool line_end, Glyphs glyphs = Glyphs::kCodePage);
  int cursor_row() const { return screen_.row(); }
  int cursor_column() const { return screen_.column(); }
  static ScreenSize screen_size() { return {Screen::kColumns, Screen::kRows}; }
  bool cursor_visible() const { return screen_.cursor_visible(); }
  // Whether output is a screen, and whether its plain stream shows edits (see Backend).
  bool is_screen() const { return backend_.is_screen(); }
  // The OEM code page of the form's text.
  const CodePage& text_page() const { return backend_.text_page(); }
  bool stream_shows_edits() const { return backend_.stream_shows_edits(); }
  void show_cursor(bool visible) { screen_.set_cursor_visible(visible); }

  // True when a key is queued, after moving waiting key presses in.
  bool key_waiting();
  // Removes and returns the oldest key, a character of several bytes whole,
  // waiting for one if none is queued.
  Keystroke read_key();
  // Waits until a key has arrived since the last read_key; the key stays queued.
  void wait_for_key();
  // Pauses at most `milliseconds` (kNoTimeLimit: as long as it takes),
  // ending as soon as a key is queued.
  void wait_for_input(int milliseconds);
  // The exit status of a run whose input ends while it waits for a key
  // (0 until the outcome of the build is known).
  void set_end_of_input_status(int status) { end_of_input_status_ = status; }
  // While `line` is not empty, input that runs dry ends the run with status 1
  // and `line` on standard error instead; a hang-up still ends with the
  // status above, without a word.
  void set_unfinished_input_line(std::string line) { unfinished_input_line_ = std::move(line); }

  void beep() { backend_.beep(); }
  void sleep_ms(int milliseconds);
  // Pauses until timer_seconds() reads at least `reading`.
  void sleep_until(double reading);
  double timer_seconds();
  // Runs a command line with the display handed back to the system; the
  // next clear_screen repaints everything, since the command may have printed.
  int run_command(std::string_view command_line);

  // Shows the model on the display if it changed since it was last shown.
  void flush();
  const Screen& screen() const { return screen_; }

 private:
  void move_keys(int timeout_ms);
  [[noreturn]] void end_of_input();

  Backend& backend_;
  Screen screen_;
  KeyQueue keys_;
  int foreground_ = 7;
  int background_ = 0;
  bool key_arrived_ = false;
  int end_of_input_status_ = 0;
  std::string unfinished_input_line_;
  bool repaint_at_clear_ = false;
  std::uint64_t shown_generation_ = ~std::uint64_t{0};
};

}  // namespace qb

#endif  // QB_PLATFORM_CONSOLE_H
