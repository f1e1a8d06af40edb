// The terminal's modes. Input is raw (no echo, no line editing, Enter as
// CR) with the terminal's signal keys left on, so Ctrl+C and Ctrl+Z reach
// the signal handlers at once. Every change of modes arms or disarms the
// crash handler with it, handing it the same screen_restore() that the
// orderly ways out write, so that a crash puts back exactly what the
// program changed, the bidirectional text included.
#include "platform/posix/terminal/terminal_modes.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/fd_io.h"
#include "platform/posix/terminal/terminal_reset.h"
#include "platform/posix/signals/signals.h"

namespace qb {

namespace {

constexpr std::string_view kAutowrapOff = "\x1b[?7l";

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

}  // namespace

bool screen_terminal(int fd) {
  const char* term = std::getenv("TERM");
  return isatty(fd) == 1 && (term == nullptr || std::string_view(term) != "dumb");
}

bool erases_in_colour() {
  const char* term = std::getenv("TERM");
  const std::string_view name = term == nullptr ? "" : term;
  return std::getenv("STY") == nullptr || !name.starts_with("screen") ||
         name.find("bce") != std::string_view::npos;
}

TermSize query_size(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    return {size.ws_col, size.ws_row};
  }
  return {};
}

TerminalModes::TerminalModes(int input_fd, int output_fd, bool screen, bool right_to_left)
    : input_fd_(input_fd), output_fd_(output_fd), screen_(screen), right_to_left_(right_to_left) {
  keyboard_ = isatty(input_fd) == 1 && tcgetattr(input_fd, &saved_) == 0;
}

void TerminalModes::enter() {
  if (keyboard_) {
    const termios raw = raw_modes(saved_);
    tcsetattr(input_fd_, TCSANOW, &raw);
  }
  if (screen_) {
    write_all(output_fd_,
              std::string(kAutowrapOff) + std::string(right_to_left_ ? kBidiExplicit : ""));
  }
  if (screen_ || keyboard_)
    arm_crash_restore(keyboard_ ? input_fd_ : -1, saved_, screen_ ? output_fd_ : -1,
                      screen_restore(right_to_left_) + std::string(kFreshLine));
  raw_ = true;
}

void TerminalModes::leave(bool fresh_line) {
  if (!raw_) return;
  raw_ = false;
  disarm_crash_restore();
  if (screen_)
    write_all(output_fd_,
              screen_restore(right_to_left_) + std::string(fresh_line ? kFreshLine : ""));
  if (keyboard_) tcsetattr(input_fd_, TCSANOW, &saved_);
}

void TerminalModes::hand_over_screen() const {
  if (screen_) write_all(output_fd_, screen_restore(right_to_left_));
}

}  // namespace qb
