// The stand-in tools' system calls on POSIX: the program's own PATH search,
// and fork and exec with a pipe that collects the child's standard output
// and error.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "host.h"
#include "platform/posix/search_path.h"

namespace qb::tools {

std::string find_program(std::string_view name) {
  return qb::find_program(name).value_or(std::filesystem::path()).string();
}

namespace {

// Reads everything from `fd` until its writers have closed it.
std::string read_all(int fd) {
  std::string text;
  std::array<char, 4096> buffer{};
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got > 0) {
      text.append(buffer.data(), static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      return text;
    }
  }
}

}  // namespace

RunResult run_captured(const std::vector<std::string>& argv) {
  RunResult result;
  std::array<int, 2> pipe_fds{};
  if (argv.empty() || ::pipe(pipe_fds.data()) != 0) return result;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipe_fds[1], STDOUT_FILENO);
    ::dup2(pipe_fds[1], STDERR_FILENO);
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipe_fds[1]);
  if (child < 0) {
    ::close(pipe_fds[0]);
    return result;
  }
  result.output = read_all(pipe_fds[0]);
  ::close(pipe_fds[0]);
  int wait_status = 0;
  while (::waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  return result;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

void use_binary_stdout() {}

}  // namespace qb::tools
