// The command interpreter on POSIX: a small one that gives the effects of
// the Windows command interpreter for the lines this program hands it,
// without any shell, so no byte of an answer can start another command.
// The line is split into words and ">" redirections (command_words.cpp);
// DEL and ERASE remove files; any other command is a program looked up in
// the current directory first and then on PATH, its name matched without
// regard to case as on Windows (search_path.cpp), and run with its standard
// output in the redirection's file (program_run.cpp). The words and file
// names go from the console's page, the form's, to the locale's character set.
#include "platform/posix/commands/command_interpreter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/command.h"
#include "platform/posix/commands/command_words.h"
#include "platform/posix/commands/program_run.h"
#include "platform/posix/commands/search_path.h"
#include "platform/posix/fd_io.h"

namespace qb {

namespace {

namespace fs = std::filesystem;

// Writes `text` to standard error, the interpreter's channel for its messages.
void tell(std::string_view text) {
  write_all(STDERR_FILENO, text);
}

// True for anything that exists under that name, a dangling link included.
bool exists_at_all(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// True for a regular file, as DEL and the tools leave them.
bool is_file(const fs::path& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

constexpr int kNotFoundStatus = 127;  // what POSIX shells give for an unknown command
constexpr int kInterpreterError = 1;  // a line the interpreter refused

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

// Runs the split line with its output already in `out` (-1: the console's).
int run_words(const std::vector<std::string>& words, int out) {
  if (words.empty()) return 0;
  if (same_name_any_case(words[0], "DEL") || same_name_any_case(words[0], "ERASE")) {
    return delete_files(words);
  }
  const auto program = find_program(words[0], ProgramSearch::kHereThenPath);
  if (!program) {
    tell("'" + words[0] +
         "' is not recognized as an internal or external command,\n"
         "operable program or batch file.\n");
    return kNotFoundStatus;
  }
  return run_program(*program, words, out);
}

}  // namespace

int interpret_command_line(std::string_view command_line, const LocaleCharset& charset) {
  if (command_line.empty()) return -1;
  CommandWords line = split_command_line(command_line, charset.console_page());
  words_to_locale(line, charset);
  const std::optional<int> out = open_redirections(line.redirections);
  if (!out) return kInterpreterError;
  const int status = run_words(line.words, *out);
  if (*out >= 0) ::close(*out);
  return status;
}

bool command_file_exists(std::string_view name) {
  return find_named(std::string(name), is_file).has_value();
}

}  // namespace qb
