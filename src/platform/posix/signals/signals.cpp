// Signal handlers and the self-pipe. A handler can reach nothing but data at
// file level, so the noted signals, the pipe and what the crash handler
// needs to put the terminal back live in one record here, as the Windows
// console's close-key state lives at file level in
// win32/console/console_input.cpp, for the same reason: the system calls
// its console-control handler. Handlers are installed with SA_RESTART, so that
// a resize or a resume does not break the system call it comes in; those
// of the signals that end the program are not, so that no call sleeps on
// after one. The wait for a command's process sleeps in sigsuspend(), which
// cannot miss an ending signal that comes just before it sleeps (the
// program has one thread, so SIGCHLD comes to that sleep too). A signal
// that was ignored when the program started (as nohup and background jobs
// arrange) stays ignored.
#include "platform/posix/signals/signals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>

namespace qb {

namespace {

constexpr std::array kNotedSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT, SIGWINCH};
constexpr std::array kEndingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr std::array kCrashSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t kCrashCount = kCrashSignals.size();

struct SignalRecord {
  std::atomic<std::uint32_t> noted{0};
  std::atomic<int> wake_fd{-1};
  std::atomic<bool> armed{false};
  int termios_fd = -1;
  termios saved{};
  int screen_fd = -1;
  std::array<char, 64> restore{};  // what the terminal gets back, copied while armed
  std::size_t restore_size = 0;
  std::array<struct sigaction, kCrashCount> previous{};
};

SignalRecord record;  // shared with the signal handlers

// Notes the signal and wakes whatever the backend is waiting on.
void note_signal(int signal_number) {
  const int saved_errno = errno;
  record.noted.fetch_or(signal_bit(signal_number));
  const int fd = record.wake_fd.load();
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);  // a full pipe wakes anyway
  }
  errno = saved_errno;
}

// Puts the terminal back, hands the signal to the handler that was there
// before (the default one, or a sanitizer's) and lets the crash go on.
void crash_signal(int signal_number, siginfo_t* info, void* /*context*/) {
  if (record.armed.exchange(false)) {
    if (record.screen_fd >= 0) {
      // Nothing is left to tell of a failed write while crashing.
      [[maybe_unused]] const ssize_t reset =
          write(record.screen_fd, record.restore.data(), record.restore_size);
    }
    if (record.termios_fd >= 0) tcsetattr(record.termios_fd, TCSANOW, &record.saved);
  }
  for (std::size_t i = 0; i < kCrashCount; ++i) {
    if (kCrashSignals[i] == signal_number) sigaction(signal_number, &record.previous[i], nullptr);
  }
  // A signal that was sent is sent again; a fault strikes again on return.
  // raise fails only for a signal number that is not one, and this one came.
  if (info == nullptr || info->si_code <= 0) static_cast<void>(raise(signal_number));
}

// Installs `action` for `signal_number` unless the signal was ignored.
void install_unless_ignored(int signal_number, const struct sigaction& action) {
  struct sigaction previous {};
  sigaction(signal_number, &action, &previous);
  if (previous.sa_handler == SIG_IGN) sigaction(signal_number, &previous, nullptr);
}

// True for the signals that end the program.
bool is_ending(int signal_number) {
  return std::ranges::find(kEndingSignals, signal_number) != kEndingSignals.end();
}

// Does nothing: its coming wakes sigsuspend() when a child changes state.
void child_changed(int /*signal_number*/) {}

// The noting handler; system calls it interrupts are restarted, except
// for the signals that end the program.
struct sigaction noting_action(int signal_number) {
  struct sigaction action {};
  action.sa_handler = note_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = is_ending(signal_number) ? 0 : SA_RESTART;
  return action;
}

}  // namespace

int install_signal_handlers() {
  std::array<int, 2> fds = {-1, -1};
  if (pipe2(fds.data(), O_NONBLOCK | O_CLOEXEC) == 0) record.wake_fd.store(fds[1]);
  for (const int signal_number : kNotedSignals)
    install_unless_ignored(signal_number, noting_action(signal_number));
  struct sigaction crash {};
  crash.sa_sigaction = crash_signal;
  sigemptyset(&crash.sa_mask);
  crash.sa_flags = SA_SIGINFO | SA_RESTART;
  for (std::size_t i = 0; i < kCrashCount; ++i) {
    sigaction(kCrashSignals[i], &crash, &record.previous[i]);
  }
  return fds[0];
}

void arm_crash_restore(int termios_fd, const termios& saved, int screen_fd,
                       std::string_view restore) {
  record.armed.store(false);
  record.termios_fd = termios_fd;
  record.saved = saved;
  record.screen_fd = screen_fd;
  record.restore_size = std::min(restore.size(), record.restore.size());
  std::copy_n(restore.begin(), record.restore_size, record.restore.begin());
  record.armed.store(true);
}

void disarm_crash_restore() {
  record.armed.store(false);
}

std::uint32_t take_signals() {
  return record.noted.exchange(0);
}

bool signals_pending() {
  return record.noted.load(std::memory_order_relaxed) != 0;
}

int pending_ending_signal() {
  const std::uint32_t noted = record.noted.load();
  for (const int ending : kEndingSignals) {
    if ((noted & signal_bit(ending)) != 0) return ending;
  }
  return 0;
}

void drain_wake_pipe(int wake_fd) {
  std::array<char, 64> bytes{};
  while (read(wake_fd, bytes.data(), bytes.size()) > 0) {
  }
}

// The ending signals and SIGCHLD are held back from the look at what was
// noted until sigsuspend() lets them in, in the same step as it sleeps: one
// that comes in between wakes that sleep instead of being missed by it.
int wait_child_or_ending(pid_t pid, int& wait_status) {
  struct sigaction woken {};
  woken.sa_handler = child_changed;
  sigemptyset(&woken.sa_mask);
  woken.sa_flags = SA_RESTART;
  struct sigaction previous {};
  sigaction(SIGCHLD, &woken, &previous);
  sigset_t held;
  sigemptyset(&held);
  sigaddset(&held, SIGCHLD);
  for (const int ending : kEndingSignals) sigaddset(&held, ending);
  sigset_t before;
  sigprocmask(SIG_BLOCK, &held, &before);
  sigset_t sleeping = before;
  sigdelset(&sleeping, SIGCHLD);
  for (const int ending : kEndingSignals) sigdelset(&sleeping, ending);
  int result = 0;
  for (;;) {
    result = pending_ending_signal();
    if (result != 0) break;
    const pid_t ended = waitpid(pid, &wait_status, WNOHANG);
    if (ended == pid || (ended < 0 && errno != EINTR)) {
      result = ended == pid ? 0 : -1;
      break;
    }
    sigsuspend(&sleeping);
  }
  sigprocmask(SIG_SETMASK, &before, nullptr);
  sigaction(SIGCHLD, &previous, nullptr);
  return result;
}

void stop_with_commands(bool together) {
  struct sigaction action = noting_action(SIGTSTP);
  if (together) action.sa_handler = SIG_DFL;
  install_unless_ignored(SIGTSTP, action);
}

void stop_process() {
  stop_with_commands(true);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  static_cast<void>(raise(SIGTSTP));  // fails only for a signal number that is not one
  stop_with_commands(false);
}

void die_by_signal(int signal_number) {
  disarm_crash_restore();
  // Should a step fail, the _exit below still gives the status a shell would.
  static_cast<void>(signal(signal_number, SIG_DFL));
  sigset_t dying;
  sigemptyset(&dying);
  sigaddset(&dying, signal_number);
  sigprocmask(SIG_UNBLOCK, &dying, nullptr);
  static_cast<void>(raise(signal_number));
  _exit(128 + signal_number);
}

}  // namespace qb
