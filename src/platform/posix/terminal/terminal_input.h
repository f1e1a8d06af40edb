// The keyboard side of the terminal backend and its waits: it sleeps in
// ppoll() on the input and the signals' self-pipe until something comes or
// its deadline, reads bytes and decodes them into keys, and settles a begun
// escape sequence (a lone Esc becomes the Esc key) once the rest has not
// come within the escape window. Input that is no terminal (a pipe, a file
// of answers) has its line ends read as redirected text. Every reading of
// time comes from the clock its owner passes in, and so does every wait's
// passing of time, so the window and the deadlines can be tested on a clock
// the test sets, to the millisecond, without sleeping.
#ifndef QB_PLATFORM_POSIX_TERMINAL_INPUT_H
#define QB_PLATFORM_POSIX_TERMINAL_INPUT_H

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "platform/keys/key_queue.h"
#include "platform/posix/locale_charset.h"
#include "platform/posix/terminal/key_decoder.h"
#include "platform/keys/redirected_text.h"

namespace qb {

// The clock the input reads and waits by. The system's sleeps in its waits;
// a test's never does: a wait that finds nothing ready moves it on to the
// wait's deadline, so time passes only as the test says.
struct TerminalClock {
  std::function<double()> now;  // seconds since a fixed moment, never going back
  // A test's: moves the clock on to a reading. Empty for the system's clock.
  std::function<void(double)> pass_to;
};
// The system's monotonic clock (CLOCK_MONOTONIC) in seconds.
double monotonic_seconds();
// The system's clock, whose waits sleep.
inline TerminalClock system_clock() {
  return {monotonic_seconds, {}};
}

// A deadline that never comes.
inline constexpr double kNoDeadline = std::numeric_limits<double>::infinity();
// A begun sequence is settled once this many seconds have passed since its
// Esc arrived: long enough for the rest of a sequence split on its way, as
// over ssh.
inline constexpr double kEscapeWindow = 0.080;

// The decoder's state and the escape window kept together: the window's
// deadline belongs to the sequence the decoder has begun.
class TerminalInput {
 public:
  // Keys from `input_fd`, decoded as `charset` has them; `wake_fd` (or -1)
  // is the self-pipe that a signal's handler writes to.
  TerminalInput(int input_fd, int wake_fd, const LocaleCharset& charset, TerminalClock clock);

  double now() const { return clock_.now(); }
  // True once the input has ended (end of file, a hang-up).
  bool ended() const { return ended_; }
  // Waits once, until input, a signal's wake-up, the end of the escape
  // window or `deadline` (clock seconds, kNoDeadline: none), whichever comes
  // first; then reads what came, or settles a sequence whose window has
  // passed. Adds keys only while `keys` has room, each whole; returns how
  // many keys have come: those added, or 1 at once, without a wait, while a
  // key that has come does not fit (a begun character or sequence, or input
  // waiting unread in front of a full queue).
  int wait_and_read(KeyQueue& keys, double deadline);
  // Sleeps until `deadline` or a signal's wake-up, reading nothing.
  void sleep_until(double deadline) { wait_ready(false, deadline); }

 private:
  bool wait_ready(bool want_input, double deadline);
  int read_input(KeyQueue& keys, std::size_t room);
  int decode(std::string_view bytes, KeyQueue& keys, double arrived);

  const int input_fd_;
  const int wake_fd_;
  const TerminalClock clock_;
  const bool redirected_;  // the input is no terminal
  RedirectedText text_;    // its line ends, when it is redirected
  std::string taken_;      // the bytes of one read, as the keys take them
  KeyDecoder decoder_;
  double escape_deadline_ = 0;  // when the begun sequence is settled
  bool ended_ = false;
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERMINAL_INPUT_H
