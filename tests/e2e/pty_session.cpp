// The pseudo-terminal session. The program gets a new session with the
// pseudo-terminal as its controlling terminal, so Ctrl+C typed into it and
// a resize reach it as they would from a real terminal. Output is read
// without blocking whenever the caller waits, so the program never stalls
// on a full terminal buffer while the caller types.
#include "pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "support/scratch_folder.h"

extern char** environ;

namespace qb::test {

namespace {

void set_flags(int fd, int status_flags) {
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  if (status_flags != 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | status_flags);
}

// True when `entry` (NAME=value) sets one of the names that `entries` set.
bool named_in(const std::string& entry, const std::vector<std::string>& entries) {
  const auto name = entry.substr(0, entry.find('=') + 1);
  for (const std::string& e : entries) {
    if (e.compare(0, name.size(), name) == 0) return true;
  }
  return false;
}

// The caller's environment with TERM and a UTF-8 locale set (an xterm of
// today, whatever the machine running the tests has), and `extra` added or
// replaced.
std::vector<std::string> environment(const std::vector<std::string>& extra) {
  std::vector<std::string> wanted = extra;
  for (const std::string defaults : {"TERM=xterm-256color", "LC_ALL=C.UTF-8"}) {
    if (!named_in(defaults, extra)) wanted.push_back(defaults);
  }
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!named_in(*e, wanted)) env.emplace_back(*e);
  }
  env.insert(env.end(), wanted.begin(), wanted.end());
  return env;
}

// In the forked child: the program in a process group of its own, made the
// terminal's foreground group, below this process, which waits for it and
// ends the same way. Stops are not reported to this process's parent.
void run_as_job(char* const* argv, char* const* envp, int pid_pipe) {
  const pid_t job = fork();
  if (job == 0) {
    setpgid(0, 0);
    sigset_t quiet;
    sigemptyset(&quiet);
    sigaddset(&quiet, SIGTTOU);
    sigset_t before;
    sigprocmask(SIG_BLOCK, &quiet, &before);
    tcsetpgrp(1, getpid());
    sigprocmask(SIG_SETMASK, &before, nullptr);
    execve(argv[0], argv, envp);
    _exit(127);
  }
  setpgid(job, job);
  (void)!write(pid_pipe, &job, sizeof job);
  int raw = 0;
  while (waitpid(job, &raw, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(raw)) {
    ::signal(WTERMSIG(raw), SIG_DFL);
    kill(getpid(), WTERMSIG(raw));
  }
  _exit(WIFEXITED(raw) ? WEXITSTATUS(raw) : 125);
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (std::string& t : texts) result.push_back(t.data());
  result.push_back(nullptr);
  return result;
}

}  // namespace

PtySession::PtySession(PtyOptions options)
    : screen_(std::make_unique<VtScreen>(options.columns, options.rows)),
      wider_(std::make_unique<VtScreen>(options.columns + 1, options.rows + 1)) {
  ::signal(SIGPIPE, SIG_IGN);  // a program that has ended must not end the caller
  start(options);
}

PtySession::~PtySession() {
  if (pid_ > 0 && !status_) {
    if (program_ > 0) kill(program_, SIGKILL);
    kill(pid_, SIGKILL);
    reap(0);
  }
  if (master_ >= 0) close(master_);
  if (input_ >= 0) close(input_);
}

void PtySession::start(const PtyOptions& options) {
  directory_ = options.directory;
  if (directory_.empty()) {
    scratch_ = std::make_unique<ScratchFolder>(ScratchFolder::Enter::kNo);
    directory_ = scratch_->path().string();
  }
  winsize size{};
  size.ws_col = static_cast<unsigned short>(options.columns);
  size.ws_row = static_cast<unsigned short>(options.rows);
  int slave = -1;
  if (openpty(&master_, &slave, nullptr, nullptr, &size) != 0) throw std::runtime_error("openpty");
  set_flags(master_, O_NONBLOCK);
  slave_path_ = ttyname(slave);
  modes_before_ = modes_now();
  int pipe_fds[2] = {-1, -1};
  if (options.input_pipe && pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");

  // The program is named from the caller's directory, not the one it runs in.
  std::vector<std::string> args = options.prefix;
  args.push_back(std::filesystem::absolute(options.program).string());
  std::vector<std::string> env = environment(options.env);
  std::vector<char*> argv = pointers(args);
  std::vector<char*> envp = pointers(env);
  int pid_pipe[2] = {-1, -1};
  if (options.job_control && pipe2(pid_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  started_ = Clock::now();
  pid_ = fork();
  if (pid_ == 0) {
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    dup2(options.input_pipe ? pipe_fds[0] : slave, 0);
    dup2(slave, 1);
    dup2(slave, 2);
    if (slave > 2) close(slave);
    if (chdir(directory_.c_str()) != 0) _exit(126);
    if (options.job_control) run_as_job(argv.data(), envp.data(), pid_pipe[1]);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(slave);
  program_ = pid_;
  job_ = options.job_control;
  if (options.job_control) {
    close(pid_pipe[1]);
    if (read(pid_pipe[0], &program_, sizeof program_) != sizeof program_) program_ = -1;
    close(pid_pipe[0]);
  }
  if (options.input_pipe) {
    close(pipe_fds[0]);
    input_ = pipe_fds[1];
    set_flags(input_, O_NONBLOCK);
  }
}

void PtySession::pump(std::chrono::milliseconds wait) {
  pollfd ready{master_, POLLIN, 0};
  if (poll(&ready, 1, static_cast<int>(wait.count())) <= 0) return;
  char buffer[8192];
  for (bool first = true;; first = false) {
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got <= 0) {
      // The program's side is closed: poll no longer waits, so wait here.
      if (first && got < 0 && errno == EIO) usleep(static_cast<useconds_t>(wait.count()) * 1000);
      return;
    }
    bytes_received_ += static_cast<std::size_t>(got);
    const std::string_view bytes(buffer, static_cast<std::size_t>(got));
    output_ += bytes;
    screen_->feed(bytes);
    wider_->feed(bytes);
  }
}

void PtySession::send(std::string_view bytes) {
  const int fd = input_ >= 0 ? input_ : master_;
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
      return;  // the program is gone
    } else {
      pump(std::chrono::milliseconds(5));  // let the program read on
    }
  }
}

void PtySession::close_input() {
  if (input_ >= 0) close(input_);
  input_ = -1;
}

bool PtySession::wait_until(const std::function<bool(const VtScreen&)>& holds,
                            std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    pump();
    if (holds(*screen_)) return true;
    if (Clock::now() >= deadline) return false;
    pump(std::chrono::milliseconds(10));
  }
}

bool PtySession::catch_up(std::chrono::milliseconds timeout) {
  const std::string mark = "\x1b]7770;" + std::to_string(++marks_) + "\a";
  const std::size_t from = output_.size();
  const int fd = open(slave_path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  const bool written = fd >= 0 && write(fd, mark.data(), mark.size()) == std::ssize(mark);
  if (fd >= 0) close(fd);
  const auto arrived = [&](const VtScreen&) {
    return output_.find(mark, from) != std::string::npos;
  };
  return written && wait_until(arrived, timeout);
}

std::size_t PtySession::unread_input() const {
  const int fd = open(slave_path_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  int waiting = 0;
  if (fd < 0 || ioctl(fd, TIOCINQ, &waiting) != 0) waiting = 0;
  if (fd >= 0) close(fd);
  return static_cast<std::size_t>(waiting);
}

std::optional<ExitStatus> PtySession::wait_exit(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!status_ && !reap(WNOHANG)) {
    if (Clock::now() >= deadline) return std::nullopt;
    pump(std::chrono::milliseconds(10));
  }
  pump(std::chrono::milliseconds(50));
  return status_;
}

bool PtySession::reap(int flags) {
  int raw = 0;
  if (waitpid(pid_, &raw, flags) != pid_) return false;
  status_ = WIFEXITED(raw) ? ExitStatus{true, WEXITSTATUS(raw)} : ExitStatus{false, WTERMSIG(raw)};
  return true;
}

void PtySession::resize(int columns, int rows) {
  // Output written before the resize is read at the old size first.
  pump();
  screen_->resize(columns, rows);
  wider_->resize(columns + 1, rows + 1);
  winsize size{};
  size.ws_col = static_cast<unsigned short>(columns);
  size.ws_row = static_cast<unsigned short>(rows);
  ioctl(master_, TIOCSWINSZ, &size);
}

void PtySession::signal(int signal_number) const {
  kill(job_ ? -program_ : program_, signal_number);
}

void PtySession::hang_up() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

// The four flag words and the control characters in hexadecimal, as stty
// -g prints them, read without starting stty: a process of the sanitizer
// build is dear to fork.
std::string PtySession::modes_now() const {
  const int fd = open(slave_path_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios modes{};
  const bool got = fd >= 0 && tcgetattr(fd, &modes) == 0;
  if (fd >= 0) close(fd);
  if (!got) return "";
  std::string text;
  char field[16];
  for (const tcflag_t flags : {modes.c_iflag, modes.c_oflag, modes.c_cflag, modes.c_lflag}) {
    std::snprintf(field, sizeof field, "%x:", static_cast<unsigned>(flags));
    text += field;
  }
  for (const cc_t c : modes.c_cc) {
    std::snprintf(field, sizeof field, "%x:", static_cast<unsigned>(c));
    text += field;
  }
  text.pop_back();
  return text;
}

}  // namespace qb::test
