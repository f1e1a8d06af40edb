// The stand-in tools' system calls on POSIX: the program's own PATH search,
// fork and exec with a pipe that collects the child's standard output and
// error, and the user's locale as the program reads it: the ANSI page of the
// code page Windows gives it, and its character set for file names.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "host.h"
#include "platform/text/code_page.h"
#include "platform/text/utf8.h"
#include "platform/posix/commands/search_path.h"
#include "platform/posix/locale_charset.h"

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

void use_binary_stdout() {}

namespace {

// The user's locale, read once.
const LocaleCharset& user_charset() {
  static const LocaleCharset charset = adopt_user_locale();
  return charset;
}

// The character of the ANSI page that `text` (not empty) starts with, one
// byte or a double-byte page's pair, whose length goes to `used`; 0 where
// the page has none.
char32_t ansi_character(const CodePage& page, std::string_view text, std::size_t& used) {
  const auto byte = static_cast<std::uint8_t>(text[0]);
  used = 1;
  if (byte < 0x80) return byte;
  // A double-byte OEM page is its own ANSI page.
  if (page.number == page.ansi_number && page.is_lead(byte) && text.size() > 1) {
    used = 2;
    return page.pair_glyph(byte, static_cast<std::uint8_t>(text[1]));
  }
  return page.ansi_upper[byte - 0x80];
}

}  // namespace

int ansi_code_page() {
  return user_charset().oem->ansi_number;
}

std::optional<std::string> ansi_to_utf8(std::string_view text) {
  const CodePage& page = *user_charset().oem;
  std::string utf8;
  while (!text.empty()) {
    std::size_t used = 1;
    const char32_t character = ansi_character(page, text, used);
    if (character == 0 && text[0] != '\0') return std::nullopt;
    append_utf8(character, utf8);
    text.remove_prefix(used);
  }
  return utf8;
}

std::string native_file_name(std::string_view utf8_name) {
  const LocaleCharset& charset = user_charset();
  if (charset.utf8) return std::string(utf8_name);
  std::string name;
  Utf8Decoder decoder;
  for (const char c : utf8_name) {
    const Utf8Decoder::Step step = decoder.feed(static_cast<std::uint8_t>(c));
    if (step == Utf8Decoder::Step::kMore) continue;
    charset.append_encoded_or_mark(step == Utf8Decoder::Step::kDone ? decoder.character() : 0,
                                   name);
  }
  return name;
}

std::string compiler_file_name(std::string_view utf8_name) {
  return native_file_name(utf8_name);
}

}  // namespace qb::tools
