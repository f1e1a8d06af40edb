// What the stand-in tools ask of the system they run on: finding a program on
// the search path, running one with its output captured, the ANSI code page
// in which a resource compiler there reads a script, and the names of files
// in the system's own character set. host_posix.cpp and host_win32.cpp hold
// all that differs between the two systems; the rest of the tools touch the
// system only through the C++ standard library, alike on both: files read
// and written and the environment's settings (standin_io.cpp), scratch
// folders made and removed (toolchain.cpp), a stale object file removed
// (gorc_main.cpp).
#ifndef QB_TOOLS_HOST_H
#define QB_TOOLS_HOST_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb::tools {

struct RunResult {
  // The program's exit status (on POSIX 128 + the signal's number when a
  // signal ended it); -1 when it could not be started, except that on POSIX
  // a program that cannot be executed ends the started child with 127, as
  // a shell reports it.
  int status = -1;
  // Everything it wrote to standard output and standard error; when it could
  // not be started, the system's reason where there is one.
  std::string output;
};

// The full path of the program `name` on the search path, or "" when absent.
std::string find_program(std::string_view name);

// Runs argv[0] (a path) with the arguments argv[1..], waits for it and
// returns its exit status and its output, both streams together.
RunResult run_captured(const std::vector<std::string>& argv);

// Makes standard output pass bytes through unchanged (no line-end translation).
void use_binary_stdout();

// The number of the system's ANSI code page: on Windows its own (CP_ACP),
// on POSIX the one Windows gives the user's locale.
int ansi_code_page();
// `text` in that page as UTF-8; nothing when a byte of it is no character
// there.
std::optional<std::string> ansi_to_utf8(std::string_view text);
// The name under which this system's file functions find the file called
// `utf8_name`: on POSIX in the locale's character set, a character the set
// lacks as "?"; on Windows in the ANSI page.
std::string native_file_name(std::string_view utf8_name);
// The name under which llvm-rc finds that file: on POSIX the same, on
// Windows (where llvm reads names as UTF-8) `utf8_name` itself.
std::string compiler_file_name(std::string_view utf8_name);

}  // namespace qb::tools

#endif  // QB_TOOLS_HOST_H
