// The Windows command runner: a command line whose bytes are characters of
// a given code page (the console's, in which the form keeps its text)
// reaches cmd.exe as those characters, so a name beyond ASCII names the
// file the user sees.
#ifndef QB_PLATFORM_WIN32_COMMANDS_CMD_EXE_H
#define QB_PLATFORM_WIN32_COMMANDS_CMD_EXE_H

#include <string_view>

namespace qb {

// Runs `command_line`, read in `code_page`, to completion through the
// command interpreter and returns its status; an empty line runs nothing
// and gives -1.
int run_command_line_in_page(std::string_view command_line, unsigned code_page);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_COMMANDS_CMD_EXE_H
