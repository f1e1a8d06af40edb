// The command runner on POSIX: a small interpreter that gives the effects of
// the Windows command interpreter for the lines this program hands it,
// without any shell, so no byte of an answer can start another command.
// The line is split into words and ">" redirections; DEL removes files;
// any other command is a program looked up in the current directory first
// and then on PATH, the name matched without regard to case as on Windows
// (command_lookup.cpp), and run with its standard output in the
// redirection's file. A program
// that is a Windows one (its file starts with "MZ") runs through wine. The
// words and file names go from the OEM code page, the form's, to the locale's
// character set. A signal that ends the program, arriving while a command
// runs, is passed on to the command, and the wait ends at once instead of
// lasting as long as the command.
#include <fcntl.h>
#include <spawn.h>
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
#include "platform/posix/command.h"
#include "platform/posix/command_lookup.h"
#include "platform/posix/command_words.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/search_path.h"
#include "platform/posix/terminal_signals.h"

namespace qb {

namespace {

namespace fs = std::filesystem;

// Writes `text` to standard error, the interpreter's channel for its messages.
void tell(std::string_view text) {
  write_all(STDERR_FILENO, text);
}

// Wine: the program that WINE names (a path, or a name on PATH) when it is
// set; otherwise wine on PATH, or else where Debian's wine64 package alone
// puts it, with nothing on PATH.
std::optional<fs::path> find_wine() {
  const char* named = std::getenv("WINE");
  if (named != nullptr && *named != '\0') return find_executable(named);
  if (auto on_path = find_executable("wine")) return on_path;
  const fs::path debian = "/usr/lib/wine/wine64";
  if (is_executable(debian)) return debian;
  return std::nullopt;
}

// The wine that runs one Windows program, or the line that says why none can.
struct WineChoice {
  std::optional<fs::path> wine;
  bool loader = false;  // one of wine's own loaders, started without its wrapper
  std::string missing;
};

// The wine for the Windows program at `path`, called `name` on the line. A
// wine64 loader alone cannot start a 32-bit program: Debian keeps the 32-bit
// loader (package wine32) beside it, as "wine".
WineChoice choose_wine(const fs::path& path, const std::string& name) {
  const auto wine = find_wine();
  if (!wine)
    return {
        {}, false, name + " is a Windows program: wine is needed to run it and was not found.\n"};
  if (wine->filename() != "wine64") return {wine, false, ""};
  if (!is_32_bit_windows_program(path)) return {wine, true, ""};
  const fs::path wine32 = wine->parent_path() / "wine";
  if (is_executable(wine32)) return {wine32, true, ""};
  return {{}, false, name + " is a 32-bit Windows program: wine32 is needed to run it.\n"};
}

// This process's environment for wine: its own diagnostics off unless
// WINEDEBUG asks for them (they would land on the screen), and a loader
// started directly named as WINELOADER, so the tool's own children start too.
std::vector<std::string> wine_environment(const WineChoice& choice) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  if (std::getenv("WINEDEBUG") == nullptr) env.emplace_back("WINEDEBUG=-all");
  if (std::getenv("WINELOADER") == nullptr && choice.loader) {
    env.push_back("WINELOADER=" + choice.wine->string());
  }
  return env;
}

constexpr int kNotFoundStatus = 127;   // what POSIX shells give for an unknown command
constexpr int kCannotRunStatus = 126;  // found, but the system would not start it
constexpr int kInterpreterError = 1;   // a line the interpreter refused

// Opens every redirection's file in order, as the interpreter does before it
// looks at the command; the last stays open for the command's output. Gives
// -1 when there is none, or nullopt when one cannot be opened. That failure
// is not told on standard error, as Windows' interpreter would ("Access is
// denied."): the program checks that it can create its logs and says so in
// its own result, and a script running it keeps a clean standard error.
std::optional<int> open_redirections(const std::vector<Redirection>& redirections) {
  int out = -1;
  for (const Redirection& r : redirections) {
    if (out >= 0) ::close(out);
    if (r.file.empty()) {
      tell("The syntax of the command is incorrect.\n");
      return std::nullopt;
    }
    const int how = O_WRONLY | O_CREAT | O_CLOEXEC | (r.append ? O_APPEND : O_TRUNC);
    out = ::open(r.file.c_str(), how, 0666);
    if (out < 0) return std::nullopt;
  }
  return out;
}

// DEL: removes each named file, and the status is 0 whatever it found, as
// the interpreter's is. A file that is missing or cannot be removed passes
// without the interpreter's "Could Not Find" or "Access is denied.": the
// program deletes its temporaries after every build, whether or not the
// tools left them, and that is no news on a script's standard error.
int delete_files(const std::vector<std::string>& words) {
  if (words.size() < 2) {
    tell("The syntax of the command is incorrect.\n");
    return kInterpreterError;
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    const auto found = find_named(words[i], exists_at_all);
    std::error_code ec;
    if (found && !fs::is_directory(*found, ec)) static_cast<void>(::unlink(found->c_str()));
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

// Pointers to the texts, ended by a null pointer, as exec wants them.
std::vector<char*> pointers(const std::vector<std::string>& texts) {
  std::vector<char*> result;
  result.reserve(texts.size() + 1);
  for (const std::string& t : texts) result.push_back(const_cast<char*>(t.c_str()));
  result.push_back(nullptr);
  return result;
}

// Starts the program at `path` with `words` as its arguments, `env` (when
// given) as its environment and `out` (when not -1) as its standard output,
// the usual signals at their defaults, and waits for it to end.
int spawn_and_wait(const fs::path& path, const std::vector<std::string>& words, int out,
                   const std::vector<std::string>* env = nullptr) {
  std::vector<char*> argv = pointers(words);
  std::vector<char*> envp = env ? pointers(*env) : std::vector<char*>();

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  set_child_signals(attr);

  pid_t pid = 0;
  const int failed =
      posix_spawn(&pid, path.c_str(), &actions, &attr, argv.data(), env ? envp.data() : environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    tell(words[0] + ": " + std::strerror(failed) + "\n");
    return kCannotRunStatus;
  }
  return wait_for_child(pid);
}

// Runs the Windows program at `path` through wine, with the line's words
// after its name as its arguments. Without a wine for it, says so in one
// line where the output goes (the log shows it), and gives the status of a
// program that could not be started.
int run_windows_program(const fs::path& path, const std::vector<std::string>& words, int out) {
  const WineChoice choice = choose_wine(path, words[0]);
  if (!choice.wine) {
    write_all(out >= 0 ? out : STDERR_FILENO, choice.missing);
    return kCannotRunStatus;
  }
  const fs::path& wine = *choice.wine;
  std::vector<std::string> argv = {wine.string(), fs::absolute(path).lexically_normal().string()};
  argv.insert(argv.end(), words.begin() + 1, words.end());
  const std::vector<std::string> env = wine_environment(choice);
  return spawn_and_wait(wine, argv, out, &env);
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
  if (is_windows_program(*program)) return run_windows_program(*program, words, out);
  return spawn_and_wait(*program, words, out);
}

}  // namespace

int run_command_line(std::string_view command_line) {
  return run_command_line(command_line, LocaleCharset{});
}

int run_command_line(std::string_view command_line, const LocaleCharset& charset) {
  if (command_line.empty()) return -1;
  CommandWords line = split_command_line(command_line);
  words_to_locale(line, charset);
  const std::optional<int> out = open_redirections(line.redirections);
  if (!out) return kInterpreterError;
  const int status = run_words(line.words, *out);
  if (*out >= 0) ::close(*out);
  return status;
}

}  // namespace qb
