// The signals the program cares about, for the terminal backend and the
// command runner alike. The handlers only note the
// signal and write a byte to a self-pipe that wakes the backend's waits; the
// backend itself then restores, suspends, repaints or ends. The one
// exception is a crash, where nothing can wait: its handler puts the
// terminal back as best it can with async-signal-safe calls and lets the
// crash go on.
#ifndef QB_PLATFORM_POSIX_SIGNALS_SIGNALS_H
#define QB_PLATFORM_POSIX_SIGNALS_SIGNALS_H

#include <sys/types.h>
#include <termios.h>

#include <string_view>

#include <cstdint>

namespace qb {

// Installs the handlers for SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP,
// SIGCONT, SIGWINCH and the crash signals; returns the read end of the
// self-pipe (non-blocking), or -1 when it could not be made.
int install_signal_handlers();
// Tells the crash handler how to put the terminal back: `termios_fd` gets
// `saved` again (-1: leave the modes alone), `screen_fd` gets `restore`
// (at most 64 bytes; -1: nothing is written).
void arm_crash_restore(int termios_fd, const termios& saved, int screen_fd,
                       std::string_view restore);
void disarm_crash_restore();

// The signals noted since the last call, one bit per signal number
// (1u << SIGINT and so on); the record is cleared.
std::uint32_t take_signals();
// True when a signal has been noted and not yet taken.
bool signals_pending();
// The first noted signal that ends the program (SIGINT, SIGTERM, SIGHUP,
// SIGQUIT), or 0; the record is left as it is.
int pending_ending_signal();
// Reads away the self-pipe's wake-up bytes.
void drain_wake_pipe(int wake_fd);
// Waits until the child `pid` ends (returns 0, its status in `wait_status`)
// or a signal that ends the program has been noted, before the wait or
// during it (returns that signal's number; the child runs on); -1 when the
// child cannot be waited for.
int wait_child_or_ending(pid_t pid, int& wait_status);

// While a command runs, Ctrl+Z stops this process together with the command
// (default action); afterwards it is noted again like the other signals.
void stop_with_commands(bool together);
// Stops this process as Ctrl+Z does; returns once it has been continued.
void stop_process();
// Ends the process by `signal_number` with its default action.
[[noreturn]] void die_by_signal(int signal_number);

// The bit of a signal number in take_signals().
constexpr std::uint32_t signal_bit(int signal_number) {
  return 1U << signal_number;
}

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_SIGNALS_SIGNALS_H
