// What the program asks of the command interpreter beside running its
// lines, which Backend::run_command does (on Windows cmd.exe, handed the
// line as UTF-16 by win32/commands/cmd_exe.h; on POSIX a small interpreter
// with the same effects for what this program hands it, in
// posix/commands/command_interpreter.h): whether a file stands where a
// command left it, found as the interpreter finds files.
#ifndef QB_PLATFORM_COMMAND_H
#define QB_PLATFORM_COMMAND_H

#include <string_view>

namespace qb {

// True when a file of that name (in the current directory or with its
// path; ASCII on POSIX, the OEM code page on Windows) stands where a command
// left it, as the interpreter finds files: on POSIX a name that differs only
// in the case of its letters counts too.
bool command_file_exists(std::string_view name);

}  // namespace qb

#endif  // QB_PLATFORM_COMMAND_H
