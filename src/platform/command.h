// Running one command line the way the command interpreter does. On Windows
// this is cmd.exe, handed the line as UTF-16 (platform/win32/commands/command.h adds
// the code page the line is read in); on POSIX a small interpreter gives the
// same effects for what this program hands it: programs found in the
// current directory first (Windows programs run through wine), "> file"
// redirection and DEL; platform/posix/commands/command_interpreter.h adds the
// locale's character set, into which it converts the line's words.
#ifndef QB_PLATFORM_COMMAND_H
#define QB_PLATFORM_COMMAND_H

#include <string_view>

namespace qb {

// Runs `command_line` to completion and returns its status; an empty line
// runs nothing and gives -1. The caller hands the display over first. On
// POSIX the words reach the system in UTF-8; on Windows the line is read in
// the system's OEM code page.
int run_command_line(std::string_view command_line);

// True when a file of that name (in the current directory or with its
// path; ASCII on POSIX, the OEM code page on Windows) stands where a command
// left it, as the interpreter finds files: on POSIX a name that differs only
// in the case of its letters counts too.
bool command_file_exists(std::string_view name);

}  // namespace qb

#endif  // QB_PLATFORM_COMMAND_H
