// Running one command line the way the command interpreter does. On Windows
// this is the C runtime's system(); on POSIX a small interpreter gives the
// same effects for what this program hands it: GORC.EXE and FBC.EXE found in
// the current directory first, "> file" redirection and DEL.
#ifndef QB_PLATFORM_COMMAND_H
#define QB_PLATFORM_COMMAND_H

#include <string_view>

namespace qb {

// Runs `command_line` to completion and returns its status; an empty line
// runs nothing and gives -1. The caller hands the display over first.
int run_command_line(std::string_view command_line);

}  // namespace qb

#endif  // QB_PLATFORM_COMMAND_H
