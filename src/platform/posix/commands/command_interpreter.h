// The POSIX command interpreter: programs found in the current directory
// first (Windows programs run through wine), "> file" redirection and DEL;
// the words of a command line reach the system in the locale's character
// set, where the form keeps them in the console's page.
#ifndef QB_PLATFORM_POSIX_COMMAND_INTERPRETER_H
#define QB_PLATFORM_POSIX_COMMAND_INTERPRETER_H

#include <string_view>

#include "platform/posix/locale_charset.h"

namespace qb {

// Runs `command_line` to completion, its words and file names converted
// from the console's page `charset.console_page()` to `charset`, and returns its
// status; an empty line runs nothing and gives -1.
int interpret_command_line(std::string_view command_line, const LocaleCharset& charset);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_COMMAND_INTERPRETER_H
