// The real program in a pseudo-terminal, for end-to-end tests and the
// benchmark: it starts the program at a chosen terminal size, in a chosen
// directory and environment, feeds everything the program writes to a
// terminal emulator, and lets the caller type, wait for the screen, resize,
// send signals and collect the exit status.
#ifndef QB_TESTS_E2E_PTY_SESSION_H
#define QB_TESTS_E2E_PTY_SESSION_H

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vt_screen.h"

namespace qb {
class ScratchFolder;
}

namespace qb::test {

struct PtyOptions {
  std::string program;  // path of the executable
  // A command that runs the program, before its path (absolute first word):
  // wine for the Windows build.
  std::vector<std::string> prefix;
  int columns = 80;
  int rows = 25;
  std::string directory;         // working directory; empty: a fresh one, removed afterwards
  std::vector<std::string> env;  // NAME=value entries added to the environment
  bool input_pipe = false;       // standard input from a pipe instead of the terminal
  // Starts the program as a job-control shell would: in a process group of
  // its own in the foreground, below a parent that stays, so Ctrl+Z stops it.
  bool job_control = false;
};

// How the program ended.
struct ExitStatus {
  bool exited = false;  // false: ended by a signal
  int code = 0;         // exit code, or the signal's number
};

using Clock = std::chrono::steady_clock;

class PtySession {
 public:
  explicit PtySession(PtyOptions options);
  ~PtySession();  // kills the program if it still runs
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  // Types bytes into the terminal (or into the input pipe with input_pipe).
  void send(std::string_view bytes);
  // Closes the input pipe: the program's input ends.
  void close_input();
  // Reads what the program wrote so far, waiting at most `wait` for more.
  void pump(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
  // Reads output until `holds` is true of the screen; false after `timeout`.
  bool wait_until(const std::function<bool(const VtScreen&)>& holds,
                  std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Writes a mark (an operating-system command no terminal knows, which
  // changes nothing shown) to the terminal on the program's side, and reads
  // until it has come: whatever was written to the terminal before it (all
  // of each write the program had begun, the terminal's own echo) is then
  // on the screen. False after `timeout`.
  bool catch_up(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // How many typed bytes wait in the terminal for the program to read
  // (while the terminal edits lines, only those of whole lines).
  std::size_t unread_input() const;
  // Waits for the program to end, reading its last output; nothing after `timeout`.
  std::optional<ExitStatus> wait_exit(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Resizes the terminal (the program gets SIGWINCH) and the emulator with it.
  void resize(int columns, int rows);
  // Sends a signal to the program; with job_control to its whole job, as a
  // shell's fg sends SIGCONT.
  void signal(int signal_number) const;
  // Closes the terminal's side of the pseudo-terminal, as closing a terminal
  // window does: the program's terminal hangs up. Nothing is read after it.
  void hang_up();

  const VtScreen& screen() const { return *screen_; }
  // The same output on an emulator one column and one row larger: anything
  // written outside the terminal's cells shows there.
  const VtScreen& wider() const { return *wider_; }
  // The program's process (below the stand-in shell with job_control).
  pid_t pid() const { return program_; }
  // Every byte the program has written to the terminal: how many, and themselves.
  std::size_t bytes_received() const { return bytes_received_; }
  const std::string& output() const { return output_; }
  // When the program was started.
  Clock::time_point started() const { return started_; }
  // The terminal's modes as `stty -g` prints them: before the start and now
  // ("" when they cannot be read).
  const std::string& modes_before() const { return modes_before_; }
  std::string modes_now() const;
  // The program's working directory.
  const std::string& directory() const { return directory_; }

 private:
  void start(const PtyOptions& options);
  bool reap(int flags);

  std::unique_ptr<VtScreen> screen_;
  std::unique_ptr<VtScreen> wider_;
  int master_ = -1;
  int input_ = -1;      // write end of the input pipe
  pid_t pid_ = -1;      // the child this session waits for
  pid_t program_ = -1;  // the program itself
  bool job_ = false;    // the program leads a process group of its own
  std::string slave_path_;
  std::string directory_;
  std::unique_ptr<ScratchFolder> scratch_;  // the folder made for this session, if any
  std::string modes_before_;
  std::optional<ExitStatus> status_;
  std::size_t bytes_received_ = 0;
  int marks_ = 0;  // marks written by catch_up
  std::string output_;
  Clock::time_point started_;
};

}  // namespace qb::test

#endif  // QB_TESTS_E2E_PTY_SESSION_H
