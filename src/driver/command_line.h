// The command line: `--help` and `--version`, given alone, print a text and
// end the program before the console is touched; any other command line
// starts the run just as no arguments do.
#ifndef QB_DRIVER_COMMAND_LINE_H
#define QB_DRIVER_COMMAND_LINE_H

#include <span>
#include <string>

namespace qb {

enum class CommandLineRequest { kRun, kHelp, kVersion };

// What the command line asks for, given as main's argv: the program's name
// first, then its arguments.
CommandLineRequest read_command_line(std::span<const char* const> argv);

// The text that `request` prints, ending in a line end; empty for kRun.
std::string command_line_text(CommandLineRequest request);

// Writes the text of `request` to standard output; the exit status: 0 once
// it is written, 1 when it could not be.
int print_command_line_text(CommandLineRequest request);

}  // namespace qb

#endif  // QB_DRIVER_COMMAND_LINE_H
