// Starting a program and waiting for it to end, as the command interpreter
// does for a line's command: with the usual signals at their defaults in
// the child, its standard output where the line redirected it, and a
// Windows program (its file starts with "MZ") through wine: the one that
// WINE names, else wine on PATH, else Debian's wine64 loader, with the
// 32-bit loader beside it for a 32-bit program. A signal that ends this
// program, arriving while the child runs, is passed on to the child, and
// the wait ends at once instead of lasting as long as the child.
#include "platform/posix/commands/program_run.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string_view>

#include "platform/posix/commands/search_path.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/signals/signals.h"

namespace qb {

namespace fs = std::filesystem;

// The PE header, where the DOS header's last field points, names the machine.
bool is_32_bit_windows_program(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<unsigned char, 64> dos{};
  if (!in.read(reinterpret_cast<char*>(dos.data()), dos.size())) return false;
  const std::uint32_t pe = dos[60] | dos[61] << 8 | dos[62] << 16 | std::uint32_t{dos[63]} << 24;
  std::array<unsigned char, 6> header{};
  if (!in.seekg(pe) || !in.read(reinterpret_cast<char*>(header.data()), header.size()))
    return false;
  return std::memcmp(header.data(), "PE\0\0", 4) == 0 && header[4] == 0x4C && header[5] == 0x01;
}

// True when `env` sets the variable `name`.
bool sets(const std::vector<std::string>& env, std::string_view name) {
  return std::any_of(env.begin(), env.end(), [name](const std::string& entry) {
    return entry.size() > name.size() && entry.starts_with(name) && entry[name.size()] == '=';
  });
}

std::vector<std::string> wine_environment(const char* const* environment,
                                          const std::optional<fs::path>& loader) {
  std::vector<std::string> env;
  for (const char* const* e = environment; *e != nullptr; ++e) env.emplace_back(*e);
  if (!sets(env, "WINEDEBUG")) env.emplace_back("WINEDEBUG=-all");
  if (loader && !sets(env, "WINELOADER")) env.push_back("WINELOADER=" + loader->string());
  return env;
}

std::optional<fs::path> find_wine() {
  const char* named = std::getenv("WINE");
  if (named != nullptr && *named != '\0') return find_program(named);
  if (auto on_path = find_program("wine")) return on_path;
  const fs::path debian = "/usr/lib/wine/wine64";
  if (is_program(debian)) return debian;
  return std::nullopt;
}

namespace {

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
  if (is_program(wine32)) return {wine32, true, ""};
  return {{}, false, name + " is a 32-bit Windows program: wine32 is needed to run it.\n"};
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
  const int ending = wait_child_or_ending(pid, wait_status);
  if (ending > 0) {
    ::kill(pid, ending);
    return 128 + ending;
  }
  return ending == 0 ? child_status(wait_status) : kCannotRunStatus;
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
    write_all(STDERR_FILENO, words[0] + ": " + std::strerror(failed) + "\n");
    return kCannotRunStatus;
  }
  return wait_for_child(pid);
}

// Runs the Windows program at `path` through wine, with the words after its
// name as its arguments. Without a wine for it, says so in one
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
  const std::vector<std::string> env =
      wine_environment(environ, choice.loader ? choice.wine : std::nullopt);
  return spawn_and_wait(wine, argv, out, &env);
}

}  // namespace

int run_program(const fs::path& path, const std::vector<std::string>& words, int out) {
  if (is_windows_program(path)) return run_windows_program(path, words, out);
  return spawn_and_wait(path, words, out);
}

}  // namespace qb
