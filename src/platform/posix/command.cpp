// The command runner on POSIX: a small interpreter that gives the effects of
// the Windows command interpreter for the lines this program hands it,
// without any shell, so no byte of an answer can start another command.
// The line is split into words and ">" redirections; DEL removes files;
// any other command is a program looked up in the current directory first
// and then on PATH, the name matched without regard to case as on Windows,
// and run with its standard output in the redirection's file. A signal
// that ends the program, arriving while a command runs, is passed on to the
// command, and the wait ends at once instead of lasting as long as the command.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/command.h"
#include "platform/posix/command_words.h"
#include "platform/posix/terminal_signals.h"

extern char** environ;

namespace qb {

namespace {

namespace fs = std::filesystem;

// Writes `text` to standard error, the interpreter's channel for its messages.
void tell(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

// True when the two names are equal with ASCII letters compared without case.
bool same_name_any_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// The entry of `dir` called `name`, preferring the exact spelling, then the
// first in sorted order whose name differs only in case; and that passes `fits`.
template <typename Fits>
std::optional<fs::path> find_in_dir(const fs::path& dir, const std::string& name, Fits fits) {
  const fs::path exact = dir / name;
  if (fits(exact)) return exact;
  std::error_code ec;
  std::optional<fs::path> found;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path candidate = it->path();
    if (!same_name_any_case(candidate.filename().string(), name) || !fits(candidate)) continue;
    if (!found || candidate < *found) found = candidate;
  }
  return found;
}

// True for a regular file that this process may execute.
bool is_program(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// True for anything that exists under that name, a dangling link included.
bool exists_at_all(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The program named `name`: a name with a slash as it stands, otherwise the
// current directory first, then each directory on PATH.
std::optional<fs::path> find_program(const std::string& name) {
  if (name.find('/') != std::string::npos) {
    const fs::path path(name);
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    return find_in_dir(dir, path.filename().string(), is_program);
  }
  if (auto here = find_in_dir(".", name, is_program)) return here;
  const char* search = std::getenv("PATH");
  std::string_view rest = search ? search : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string dir(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (dir.empty()) continue;  // the current directory was searched first already
    if (auto there = find_in_dir(dir, name, is_program)) return there;
  }
  return std::nullopt;
}

constexpr int kNotFoundStatus = 127;   // what POSIX shells give for an unknown command
constexpr int kCannotRunStatus = 126;  // found, but the system would not start it
constexpr int kInterpreterError = 1;   // a line the interpreter refused

// Opens every redirection's file in order, as the interpreter does before it
// looks at the command; the last stays open for the command's output. Gives
// -1 when there is none, or nullopt (after saying why) when one cannot be opened.
std::optional<int> open_redirections(const std::vector<Redirection>& redirections) {
  int out = -1;
  for (const Redirection& r : redirections) {
    if (out >= 0) ::close(out);
    out = -1;
    if (r.file.empty()) {
      tell("The syntax of the command is incorrect.\n");
      return std::nullopt;
    }
    const int how = O_WRONLY | O_CREAT | O_CLOEXEC | (r.append ? O_APPEND : O_TRUNC);
    out = ::open(r.file.c_str(), how, 0666);
    if (out < 0) {
      const bool no_path = errno == ENOENT || errno == ENOTDIR;
      tell(no_path ? "The system cannot find the path specified.\n" : "Access is denied.\n");
      return std::nullopt;
    }
  }
  return out;
}

// DEL: removes each named file; a missing one is reported on standard error
// with its full path, and the status is 0 either way, as the interpreter's is.
int delete_files(const std::vector<std::string>& words) {
  if (words.size() < 2) {
    tell("The syntax of the command is incorrect.\n");
    return kInterpreterError;
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    const fs::path path(words[i]);
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const auto found = find_in_dir(dir, path.filename().string(), exists_at_all);
    std::error_code ec;
    if (!found) {
      const fs::path full = fs::absolute(path, ec).lexically_normal();
      tell("Could Not Find " + full.string() + "\n");
    } else if (fs::is_directory(*found, ec) || ::unlink(found->c_str()) != 0) {
      tell("Access is denied.\n");
    }
  }
  return 0;
}

// The interpreter's status for a finished child: its exit code, or 128 plus
// the number of the signal that killed it.
int child_status(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return kCannotRunStatus;
}

// Starts a child with the interrupt, quit, pipe and terminal stop signals at
// their defaults and nothing blocked, whatever this program does with them.
void set_child_signals(posix_spawnattr_t& attr) {
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGQUIT, SIGPIPE, SIGTSTP, SIGTTIN, SIGTTOU}) sigaddset(&defaults, sig);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
}

// Waits for the child to end and gives its status. A signal that ends this
// program interrupts the wait: the child gets the same signal, and the
// status is what a shell gives for a command ended by it.
int wait_for_child(pid_t pid) {
  int wait_status = 0;
  for (;;) {
    if (const int ending = pending_ending_signal()) {
      ::kill(pid, ending);
      return 128 + ending;
    }
    if (::waitpid(pid, &wait_status, 0) == pid) return child_status(wait_status);
    if (errno != EINTR) return kCannotRunStatus;
  }
}

// Starts the program at `path` with `words` as its arguments and `out` (when
// not -1) as its standard output, the usual signals at their defaults, and
// waits for it to end.
int spawn_and_wait(const fs::path& path, const std::vector<std::string>& words, int out) {
  std::vector<char*> argv;
  for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  set_child_signals(attr);

  pid_t pid = 0;
  const int failed = posix_spawn(&pid, path.c_str(), &actions, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    tell(words[0] + ": " + std::strerror(failed) + "\n");
    return kCannotRunStatus;
  }
  return wait_for_child(pid);
}

// Runs the split line with its output already in `out` (-1: the console's).
int run_words(const std::vector<std::string>& words, int out) {
  if (words.empty()) return 0;
  if (same_name_any_case(words[0], "DEL") || same_name_any_case(words[0], "ERASE")) {
    return delete_files(words);
  }
  const auto program = find_program(words[0]);
  if (!program) {
    tell("'" + words[0] +
         "' is not recognized as an internal or external command,\n"
         "operable program or batch file.\n");
    return kNotFoundStatus;
  }
  return spawn_and_wait(*program, words, out);
}

}  // namespace

int run_command_line(std::string_view command_line) {
  if (command_line.empty()) return -1;
  const CommandWords line = split_command_line(command_line);
  const std::optional<int> out = open_redirections(line.redirections);
  if (!out) return kInterpreterError;
  const int status = run_words(line.words, *out);
  if (*out >= 0) ::close(*out);
  return status;
}

}  // namespace qb
