// The terminal backend. Input is raw (no echo, no line editing, Enter as CR)
// with the terminal's signal keys left on, so Ctrl+C and Ctrl+Z reach the
// signal handlers at once; every wait of the backend (for keys, a pause, the
// timer, a command) then notices the signal and restores the terminal
// before the process ends, stops or repaints. The waits sleep in ppoll() on
// the terminal and the signals' self-pipe until something comes or their
// deadline, so an idle program never wakes. Input stays raw while a command
// runs, so keys typed meanwhile wait unseen for the program. Output goes
// through the renderer, one write per frame. No alternate screen is used:
// the last frame stays on the terminal after the program ends. A terminal
// that says it cannot move its cursor (TERM=dumb: editor shells, pipes) is
// treated like redirected output and gets the plain transcript, in which
// the line editor erases with backspaces.
#include "platform/posix/terminal.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/posix/command_interpreter.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/key_decoder.h"
#include "platform/posix/term_render.h"
#include "platform/posix/terminal_reset.h"
#include "platform/posix/terminal_signals.h"
#include "platform/posix/transcript.h"

namespace qb {

namespace {

// A begun sequence is settled (a lone Esc becomes the Esc key) once this
// many seconds have passed since its Esc arrived: long enough for the rest
// of a sequence split on its way, as over ssh.
constexpr double kEscapeWait = 0.080;
constexpr double kNever = std::numeric_limits<double>::infinity();  // a deadline that never comes
constexpr std::string_view kAutowrapOff = "\x1b[?7l";

double monotonic_seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// True when `fd` is a terminal that takes cursor and colour sequences.
bool screen_terminal(int fd) {
  const char* term = std::getenv("TERM");
  return isatty(fd) == 1 && (term == nullptr || std::string_view(term) != "dumb");
}

// False for GNU screen without background colour erase (its default), which
// fills erased cells with the default colours whatever the pen.
bool erases_in_colour() {
  const char* term = std::getenv("TERM");
  const std::string_view name = term == nullptr ? "" : term;
  return std::getenv("STY") == nullptr || !name.starts_with("screen") ||
         name.find("bce") != std::string_view::npos;
}

// The terminal's size; 80 x 25 when it cannot tell.
TermSize query_size(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    return {size.ws_col, size.ws_row};
  }
  return {};
}

// The program's input modes: no echo, no line editing, no flow control, CR
// kept as CR; Ctrl+C and Ctrl+Z still raise their signals, Ctrl+\ is a key.
termios raw_modes(termios modes) {
  modes.c_iflag &=
      ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  modes.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);
  modes.c_lflag |= ISIG;
  modes.c_cc[VMIN] = 1;
  modes.c_cc[VTIME] = 0;
  modes.c_cc[VQUIT] = _POSIX_VDISABLE;
  return modes;
}

// How long until `deadline` (seconds), at most an hour; zero when past.
timespec time_until(double deadline) {
  const double left = std::clamp(deadline - monotonic_seconds(), 0.0, 3600.0);
  const double whole = std::floor(left);
  return timespec{static_cast<time_t>(whole), static_cast<long>((left - whole) * 1e9)};
}

// Queues the decoded keys; returns how many. The caller has made room.
int push_keys(const DecodedKeys& decoded, KeyQueue& keys) {
  int pushed = 0;
  for (int i = 0; i < decoded.count; ++i) {
    pushed += keys.push(decoded.codes[static_cast<std::size_t>(i)]) ? 1 : 0;
  }
  return pushed;
}

class TerminalBackend final : public Backend {
 public:
  TerminalBackend(int input_fd, int output_fd, const LocaleCharset& charset);
  TerminalBackend(const TerminalBackend&) = delete;
  TerminalBackend& operator=(const TerminalBackend&) = delete;
  ~TerminalBackend() override { leave_raw(false); }

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
  bool input_ended() const override { return input_ended_; }
  double timer_seconds() override;
  void sleep_ms(int milliseconds) override;
  void sleep_until(double reading) override;
  void beep() override;
  int run_command(std::string_view command_line) override;
  [[noreturn]] void end_program(int exit_code) override;
  void oem_to_ansi(std::string& text) const override { qb::oem_to_ansi(*charset_.oem, text); }
  std::string oem_from_program_text(std::string_view text) const override {
    return oem_from_utf8_text(*charset_.oem, text);
  }

 private:
  void enter_raw();
  void leave_raw(bool fresh_line);
  void end_output();
  void hand_over_screen() const;
  void service_signals();
  void repaint();
  bool wait_ready(bool want_input, double deadline);
  int read_input(KeyQueue& keys, std::size_t room);

  const int input_fd_;
  const int output_fd_;
  const bool screen_;
  const LocaleCharset charset_;  // what the terminal's bytes stand for
  const bool right_to_left_;     // its page has Hebrew or Arabic letters
  bool keyboard_ = false;        // input is a terminal whose modes are ours to set
  termios saved_{};              // its modes before the program started
  int wake_fd_ = -1;             // read end of the signal self-pipe
  bool raw_ = false;             // the terminal is in the program's modes
  bool input_ended_ = false;
  double escape_deadline_ = 0;  // when a begun sequence is settled
  TermSize size_;
  TermRenderer renderer_;
  KeyDecoder decoder_;
  Transcript transcript_;  // the plain text written where output is no screen
  Screen last_;            // the frame last shown, for repaints
  bool shown_frame_ = false;
  std::string out_;
};

TerminalBackend::TerminalBackend(int input_fd, int output_fd, const LocaleCharset& charset)
    : input_fd_(input_fd),
      output_fd_(output_fd),
      screen_(screen_terminal(output_fd)),
      charset_(charset),
      right_to_left_(has_right_to_left_letters(*charset.oem)),
      renderer_(charset, erases_in_colour()),
      decoder_(charset),
      transcript_(charset) {
  keyboard_ = isatty(input_fd) == 1 && tcgetattr(input_fd, &saved_) == 0;
  if (screen_ || keyboard_) wake_fd_ = install_signal_handlers();
  if (screen_) size_ = query_size(output_fd_);
  enter_raw();
}

void TerminalBackend::enter_raw() {
  if (keyboard_) {
    const termios raw = raw_modes(saved_);
    tcsetattr(input_fd_, TCSANOW, &raw);
  }
  if (screen_) {
    write_all(output_fd_,
              std::string(kAutowrapOff) + std::string(right_to_left_ ? kBidiExplicit : ""));
  }
  if (screen_ || keyboard_)
    arm_crash_restore(keyboard_ ? input_fd_ : -1, saved_, screen_ ? output_fd_ : -1);
  raw_ = true;
}

// Puts the terminal back as it was; with `fresh_line`, the cursor goes to a
// new line below the drawn rows, so that a shell prompt does not cover them.
void TerminalBackend::leave_raw(bool fresh_line) {
  if (!raw_) return;
  raw_ = false;
  disarm_crash_restore();
  if (screen_)
    write_all(output_fd_, std::string(kNormalScreen) +
                              std::string(right_to_left_ ? kBidiImplicit : "") +
                              std::string(fresh_line ? kFreshLine : ""));
  if (keyboard_) tcsetattr(input_fd_, TCSANOW, &saved_);
}

// Ends the transcript's open line, where output is no screen, before the
// process ends.
void TerminalBackend::end_output() {
  if (!screen_) write_all(output_fd_, transcript_.finish());
}

// Gives the screen back as the system had it (attributes, cursor, autowrap)
// while the keyboard stays in the program's modes.
void TerminalBackend::hand_over_screen() const {
  if (screen_) {
    write_all(output_fd_,
              std::string(kNormalScreen) + std::string(right_to_left_ ? kBidiImplicit : ""));
  }
}

// Acts on the signals noted since the last look: ends the process, stops
// it, or repaints after a resize or a resume.
void TerminalBackend::service_signals() {
  if (!signals_pending()) return;
  const std::uint32_t noted = take_signals();
  for (const int ending : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    if ((noted & signal_bit(ending)) != 0) {
      end_output();
      leave_raw(true);
      die_by_signal(ending);
    }
  }
  if ((noted & signal_bit(SIGTSTP)) != 0) {
    leave_raw(true);
    stop_process();
  }
  if ((noted & (signal_bit(SIGTSTP) | signal_bit(SIGCONT))) != 0) enter_raw();
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

void TerminalBackend::resize(int columns, int rows) {
  if (!screen_) return;
  size_ = query_size(output_fd_);
  if (size_ == TermSize{columns, rows}) return;
  write_all(output_fd_, "\x1b[8;" + std::to_string(rows) + ';' + std::to_string(columns) + 't');
}

// Sleeps until `deadline` (monotonic seconds; kNever: no limit), input
// (when wanted) or a signal's wake-up byte, whichever comes first; true
// when input is ready to read (or has ended).
bool TerminalBackend::wait_ready(bool want_input, double deadline) {
  std::array<pollfd, 2> fds{};
  nfds_t count = 0;
  if (want_input) fds[count++] = pollfd{input_fd_, POLLIN, 0};
  if (wake_fd_ >= 0) fds[count++] = pollfd{wake_fd_, POLLIN, 0};
  const timespec wait = time_until(deadline);
  if (ppoll(fds.data(), count, deadline == kNever ? nullptr : &wait, nullptr) <= 0) return false;
  if (wake_fd_ >= 0 && fds[count - 1].revents != 0) drain_wake_pipe(wake_fd_);
  return want_input && fds[0].revents != 0;
}

int TerminalBackend::poll_keys(KeyQueue& keys, int timeout_ms) {
  const double deadline = timeout_ms < 0 ? kNever : monotonic_seconds() + timeout_ms / 1000.0;
  int added = 0;
  for (;;) {
    service_signals();
    if (input_ended_) return added;
    const auto extra = static_cast<std::size_t>(decoder_.extra_keys());
    const std::size_t room = keys.room() > extra ? keys.room() - extra : 0;
    // A begun sequence is cut short only when no byte has followed in time;
    // while there is no room to look, it waits.
    const bool look = room > 0;
    const bool settling = look && decoder_.pending();
    if (wait_ready(look, settling ? std::min(deadline, escape_deadline_) : deadline)) {
      added += read_input(keys, room);
    } else if (settling && monotonic_seconds() >= escape_deadline_) {
      added += push_keys(decoder_.timeout(), keys);
    }
    if (added > 0 || monotonic_seconds() >= deadline) return added;
  }
}

// Reads at most `room` bytes (each gives at most one key) and decodes them;
// bytes that do not fit stay unread in the terminal.
int TerminalBackend::read_input(KeyQueue& keys, std::size_t room) {
  std::array<std::uint8_t, 4096> bytes{};
  const ssize_t got = read(input_fd_, bytes.data(), std::min(room, bytes.size()));
  const double arrived = monotonic_seconds();
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return 0;
  if (got <= 0) {
    // End of input or a hang-up: a half-read Esc is still a key.
    input_ended_ = true;
    return push_keys(decoder_.timeout(), keys);
  }
  int added = 0;
  for (ssize_t i = 0; i < got; ++i) {
    const DecodedKeys decoded = decoder_.feed(bytes[static_cast<std::size_t>(i)]);
    if (decoded.began_escape) escape_deadline_ = arrived + kEscapeWait;
    added += push_keys(decoded, keys);
  }
  return added;
}

double TerminalBackend::timer_seconds() {
  service_signals();
  return monotonic_seconds();
}

void TerminalBackend::sleep_ms(int milliseconds) {
  sleep_until(monotonic_seconds() + std::max(0, milliseconds) / 1000.0);
}

void TerminalBackend::sleep_until(double reading) {
  for (;;) {
    service_signals();
    if (monotonic_seconds() >= reading) return;
    wait_ready(false, reading);
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
  hand_over_screen();
  stop_with_commands(true);
  const int status = interpret_command_line(command_line, charset_);
  stop_with_commands(false);
  enter_raw();
  renderer_.forget_cursor();
  service_signals();
  return status;
}

// A cleared screen keeps the cursor where the program left it, even if it
// was hidden; a screen still drawn (the input ended at a prompt) is left
// with the cursor on a fresh line below it, so that the shell's prompt
// covers none of it.
void TerminalBackend::end_program(int exit_code) {
  const bool cleared = !shown_frame_ || last_.all_default_blank();
  if (screen_ && raw_ && cleared && shown_frame_) {
    const int row = std::min(last_.row(), size_.rows);
    const int column = std::min(last_.column(), size_.columns);
    write_all(output_fd_, "\x1b[" + std::to_string(row) + ';' + std::to_string(column) + 'H');
  }
  end_output();
  leave_raw(!cleared);
  std::exit(exit_code);
}

}  // namespace

std::unique_ptr<Backend> make_terminal_backend(int input_fd, int output_fd,
                                               const LocaleCharset& charset) {
  return std::make_unique<TerminalBackend>(input_fd, output_fd, charset);
}

std::unique_ptr<Backend> make_system_backend() {
  return make_terminal_backend(STDIN_FILENO, STDOUT_FILENO, adopt_user_locale());
}

}  // namespace qb
