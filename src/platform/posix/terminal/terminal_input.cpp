// Reading the terminal's keys. A wait sleeps in ppoll() on the input and
// the signals' self-pipe, so an idle program never wakes, and a signal
// noted just before the wait still ends it at once: its byte is already in
// the pipe. On a test's clock a wait only looks, and moves the clock on to
// its deadline when nothing is ready. Input is read only as far as the key
// queue has room, each byte giving at most the places the decoder says one
// may take (in UTF-8 typed from a terminal of another set, up to four)
// beyond those it may owe (the second of Alt+Esc, or the rest of a character
// that began in an earlier read), so what does not fit stays unread in the
// terminal and a character always fits whole. A key that has come but does not
// fit counts as come, so that a wait for a key never sleeps on a key that
// is already there.
#include "platform/posix/terminal/terminal_input.h"

#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/posix/signals/signals.h"

namespace qb {

namespace {

constexpr double kLongestWait = 3600.0;  // a single ppoll() sleeps at most an hour

// Queues the decoded keys, each whole; returns how many places they took.
// The caller has made room.
int push_keys(const DecodedKeys& decoded, KeyQueue& keys) {
  int pushed = 0;
  for (int i = 0; i < decoded.count; ++i) {
    const Keystroke& key = decoded.keys[static_cast<std::size_t>(i)];
    pushed += keys.push(key) ? static_cast<int>(key.size()) : 0;
  }
  return pushed;
}

// `seconds` (at least zero, at most an hour) as ppoll() takes it.
timespec as_timespec(double seconds) {
  const double left = std::clamp(seconds, 0.0, kLongestWait);
  const double whole = std::floor(left);
  return timespec{static_cast<time_t>(whole), static_cast<long>((left - whole) * 1e9)};
}

}  // namespace

double monotonic_seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

TerminalInput::TerminalInput(int input_fd, int wake_fd, const LocaleCharset& charset,
                             TerminalClock clock)
    : input_fd_(input_fd),
      wake_fd_(wake_fd),
      clock_(std::move(clock)),
      redirected_(isatty(input_fd) == 0),
      decoder_(charset) {}

int TerminalInput::wait_and_read(KeyQueue& keys, double deadline) {
  // The bytes held at a redirected input's start give a key each when they go on.
  const auto per_byte = static_cast<std::size_t>(decoder_.places_per_byte());
  const std::size_t owed =
      static_cast<std::size_t>(decoder_.extra_keys()) + text_.held() * per_byte;
  const std::size_t room = keys.room() > owed ? (keys.room() - owed) / per_byte : 0;
  if (room == 0) {
    // A begun key waits for room to go in whole; so does input in front of
    // a full queue, which is only looked at. A begun sequence is cut short
    // only when no byte has followed in time, once there is room to look.
    if (decoder_.begun() || text_.held() > 0) return 1;
    return wait_ready(true, deadline) ? 1 : 0;
  }
  const bool settling = decoder_.pending();
  if (wait_ready(true, settling ? std::min(deadline, escape_deadline_) : deadline)) {
    return read_input(keys, room);
  }
  if (settling && now() >= escape_deadline_) return push_keys(decoder_.timeout(), keys);
  return 0;
}

// Sleeps until `deadline`, input (when wanted) or a signal's wake-up byte,
// whichever comes first; true when input is ready to read (or has ended).
bool TerminalInput::wait_ready(bool want_input, double deadline) {
  std::array<pollfd, 2> fds{};
  nfds_t count = 0;
  if (want_input) fds[count++] = pollfd{input_fd_, POLLIN, 0};
  if (wake_fd_ >= 0) fds[count++] = pollfd{wake_fd_, POLLIN, 0};
  const bool test_clock = static_cast<bool>(clock_.pass_to);
  const timespec wait = as_timespec(test_clock ? 0 : deadline - now());
  const bool endless = deadline == kNoDeadline && !test_clock;
  if (ppoll(fds.data(), count, endless ? nullptr : &wait, nullptr) <= 0) {
    if (test_clock && deadline != kNoDeadline) clock_.pass_to(deadline);
    return false;
  }
  if (wake_fd_ >= 0 && fds[count - 1].revents != 0) drain_wake_pipe(wake_fd_);
  return want_input && fds[0].revents != 0;
}

// Reads at most `room` bytes and decodes them; the escape window of a
// sequence begun here counts from the moment the read returned.
int TerminalInput::read_input(KeyQueue& keys, std::size_t room) {
  std::array<std::uint8_t, 4096> bytes{};
  const ssize_t got = read(input_fd_, bytes.data(), std::min(room, bytes.size()));
  const double arrived = now();
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return 0;
  taken_.clear();
  if (got <= 0) {
    // End of input or a hang-up: a half-read Esc is still a key.
    ended_ = true;
    text_.finish(taken_);
    const int added = decode(taken_, keys, arrived);
    return added + push_keys(decoder_.timeout(), keys);
  }
  const std::string_view read_bytes(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<std::size_t>(got));
  if (!redirected_) return decode(read_bytes, keys, arrived);
  text_.take(read_bytes, taken_);
  return decode(taken_, keys, arrived);
}

// Feeds `bytes` to the decoder and queues their keys; returns how many.
int TerminalInput::decode(std::string_view bytes, KeyQueue& keys, double arrived) {
  int added = 0;
  for (const char byte : bytes) {
    const DecodedKeys decoded = decoder_.feed(static_cast<std::uint8_t>(byte));
    if (decoded.starts_window) escape_deadline_ = arrived + kEscapeWindow;
    added += push_keys(decoded, keys);
  }
  return added;
}

}  // namespace qb
