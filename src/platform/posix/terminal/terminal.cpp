// The terminal backend: the screen model drawn through the renderer, one
// write per frame, and the keys of TerminalInput, with the signals acted
// on in every wait (for keys, a pause, the timer, a command): the backend
// restores the terminal before the process ends, stops or repaints. Input
// stays raw while a command runs, so keys typed meanwhile wait unseen for
// the program. No alternate screen is used: the last frame stays on the
// terminal after the program ends. A terminal that says it cannot move its
// cursor (TERM=dumb: editor shells, pipes) is treated like redirected
// output and gets the plain transcript, in which the line editor erases
// with backspaces.
#include "platform/posix/terminal/terminal.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/code_page_choice.h"
#include "platform/posix/commands/command_interpreter.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/signals/signals.h"
#include "platform/posix/terminal/term_render.h"
#include "platform/posix/terminal/terminal_input.h"
#include "platform/posix/terminal/terminal_modes.h"
#include "platform/posix/terminal/transcript.h"
#include "platform/text/page_conversion.h"

namespace qb {

namespace {

class TerminalBackend final : public Backend {
 public:
  TerminalBackend(int input_fd, int output_fd, const LocaleCharset& charset, TerminalClock clock);
  TerminalBackend(const TerminalBackend&) = delete;
  TerminalBackend& operator=(const TerminalBackend&) = delete;
  ~TerminalBackend() override { modes_.leave(false); }

  bool is_screen() const override { return screen_; }
  // A terminal that takes no cursor sequences (TERM=dumb) still honours backspace.
  bool stream_shows_edits() const override { return !screen_ && isatty(output_fd_) == 1; }
  void present(const Screen& screen) override;
  void invalidate() override { renderer_.invalidate(); }
  void write_stream(std::string_view bytes, Glyphs glyphs) override {
    write_all(output_fd_, transcript_.feed(bytes, glyphs));
  }
  void resize(int columns, int rows) override;
  int poll_keys(KeyQueue& keys, int timeout_ms) override;
  bool input_ended() const override { return input_.ended(); }
  // A terminal's input in the program's modes ends only when it hangs up.
  bool input_hung_up() const override { return input_.ended() && modes_.keyboard(); }
  double timer_seconds() override;
  void sleep_ms(int milliseconds) override;
  void sleep_until(double reading) override;
  void beep() override;
  int run_command(std::string_view command_line) override;
  [[noreturn]] void end_program(int exit_code, std::string_view error_line) override;
  const CodePage& text_page() const override { return charset_.console_page(); }
  // UTF-8 for a UTF-8 console; else the ANSI page of the locale's OEM page,
  // whatever page QB_CODE_PAGE chose, as on Windows.
  const CodePage& script_page() const override {
    const CodePage& console = charset_.console_page();
    return console.is_utf8() ? console : ansi_page_numbered(charset_.oem->ansi_number);
  }
  // OemToCharA where the console's page is the locale's OEM page; else
  // through the characters, with Windows' best fit.
  void to_script_page(std::string& text) const override {
    const CodePage& console = charset_.console_page();
    if (&console == charset_.oem) {
      qb::oem_to_ansi(console, text);
    } else if (!console.is_utf8()) {
      text = convert_text(console, script_page(), text);
    }
  }
  std::string oem_from_program_text(std::string_view text) const override {
    return charset_.oem_from_program_text(text);
  }

 private:
  void end_output();
  void service_signals();
  void repaint();

  const int output_fd_;
  const bool screen_;
  const LocaleCharset charset_;  // what the terminal's bytes stand for
  TerminalModes modes_;
  TerminalInput input_;
  TermSize size_;
  TermRenderer renderer_;
  Transcript transcript_;  // the plain text written where output is no screen
  Screen last_;            // the frame last shown, for repaints
  bool shown_frame_ = false;
  std::string out_;
};

// The signal handlers (and their self-pipe, which wakes the input's waits)
// are installed only where there is a terminal to put back.
TerminalBackend::TerminalBackend(int input_fd, int output_fd, const LocaleCharset& charset,
                                 TerminalClock clock)
    : output_fd_(output_fd),
      screen_(screen_terminal(output_fd)),
      charset_(charset),
      modes_(input_fd, output_fd, screen_, has_right_to_left_letters(charset.console_page())),
      input_(input_fd, screen_ || modes_.keyboard() ? install_signal_handlers() : -1, charset,
             std::move(clock)),
      renderer_(charset, erases_in_colour()),
      transcript_(charset) {
  if (screen_) size_ = query_size(output_fd_);
  modes_.enter();
}

// Ends the transcript's open line, where output is no screen, before the
// process ends.
void TerminalBackend::end_output() {
  if (!screen_) write_all(output_fd_, transcript_.finish());
}

// Acts on the signals noted since the last look: ends the process, stops
// it, or repaints after a resize or a resume.
void TerminalBackend::service_signals() {
  if (!signals_pending()) return;
  if (const int ending = pending_ending_signal(); ending != 0) {
    // The terminal gets what it takes at once; one that takes no output
    // does not hold the end back.
    const int flags = stop_waits(output_fd_);
    end_output();
    modes_.leave(true);
    restore_waits(output_fd_, flags);
    die_by_signal(ending);
  }
  const std::uint32_t noted = take_signals();
  if ((noted & signal_bit(SIGTSTP)) != 0) {
    modes_.leave(true);
    stop_process();
  }
  if ((noted & (signal_bit(SIGTSTP) | signal_bit(SIGCONT))) != 0) modes_.enter();
  if ((noted & (signal_bit(SIGTSTP) | signal_bit(SIGCONT) | signal_bit(SIGWINCH))) != 0) repaint();
}

// Draws the last frame again from scratch, at the terminal's present size.
void TerminalBackend::repaint() {
  if (!screen_) return;
  size_ = query_size(output_fd_);
  renderer_.invalidate();
  if (shown_frame_) present(last_);
}

void TerminalBackend::present(const Screen& screen) {
  if (!screen_) return;
  if (&screen != &last_) last_ = screen;
  shown_frame_ = true;
  out_.clear();
  renderer_.render(screen, size_, out_);
  write_all(output_fd_, out_);
}

// Asks the terminal (xterm's window operation) to become columns x rows,
// unless it already is.
void TerminalBackend::resize(int columns, int rows) {
  if (!screen_) return;
  size_ = query_size(output_fd_);
  if (size_ == TermSize{columns, rows}) return;
  write_all(output_fd_, "\x1b[8;" + std::to_string(rows) + ';' + std::to_string(columns) + 't');
}

int TerminalBackend::poll_keys(KeyQueue& keys, int timeout_ms) {
  const double deadline = timeout_ms < 0 ? kNoDeadline : input_.now() + timeout_ms / 1000.0;
  int added = 0;
  for (;;) {
    service_signals();
    if (input_.ended()) return added;
    added += input_.wait_and_read(keys, deadline);
    if (added > 0 || input_.now() >= deadline) return added;
  }
}

double TerminalBackend::timer_seconds() {
  service_signals();
  return input_.now();
}

void TerminalBackend::sleep_ms(int milliseconds) {
  sleep_until(input_.now() + std::max(0, milliseconds) / 1000.0);
}

void TerminalBackend::sleep_until(double reading) {
  for (;;) {
    service_signals();
    if (input_.now() >= reading) return;
    input_.sleep_until(reading);
  }
}

void TerminalBackend::beep() {
  if (screen_) write_all(output_fd_, "\a");
}

// The keyboard stays in the program's modes meanwhile: keys typed while the
// command runs are neither echoed over the screen nor edited as a line, and
// wait for the program; Ctrl+C and Ctrl+Z still act on both.
int TerminalBackend::run_command(std::string_view command_line) {
  service_signals();
  modes_.hand_over_screen();
  stop_with_commands(true);
  const int status = interpret_command_line(command_line, charset_);
  stop_with_commands(false);
  modes_.enter();
  renderer_.forget_cursor();
  service_signals();
  return status;
}

// A cleared screen keeps the cursor where the program left it, even if it
// was hidden; a screen still drawn (the input ended at a prompt) is left
// with the cursor on a fresh line below it, so that the shell's prompt
// covers none of it. The error line comes after, on the restored terminal.
void TerminalBackend::end_program(int exit_code, std::string_view error_line) {
  const bool cleared = !shown_frame_ || last_.all_default_blank();
  if (screen_ && modes_.raw() && cleared && shown_frame_) {
    const int row = std::min(last_.row(), size_.rows);
    const int column = std::min(last_.column(), size_.columns);
    write_all(output_fd_, "\x1b[" + std::to_string(row) + ';' + std::to_string(column) + 'H');
  }
  end_output();
  modes_.leave(!cleared);
  if (!error_line.empty()) write_all(STDERR_FILENO, std::string(error_line) + '\n');
  std::exit(exit_code);
}

}  // namespace

std::unique_ptr<Backend> make_terminal_backend(int input_fd, int output_fd,
                                               const LocaleCharset& charset, TerminalClock clock) {
  return std::make_unique<TerminalBackend>(input_fd, output_fd, charset, std::move(clock));
}

// QB_CODE_PAGE is judged before the terminal is touched: a value the
// program does not know ends it with status 2 and one line on standard
// error, with nothing drawn, written or run.
std::unique_ptr<Backend> make_system_backend() {
  const char* chosen = std::getenv("QB_CODE_PAGE");
  const CodePageChoice choice = read_code_page_choice(chosen != nullptr ? chosen : "");
  if (!choice.refusal.empty()) {
    write_all(STDERR_FILENO, choice.refusal + '\n');
    std::exit(2);
  }
  return make_terminal_backend(STDIN_FILENO, STDOUT_FILENO, adopt_user_locale(choice.number),
                               system_clock());
}

}  // namespace qb
