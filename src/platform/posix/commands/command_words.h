// A command line taken apart the way the command interpreter takes apart the
// lines this program hands it: words split on blanks, double quotes grouping
// a word, and ">" or ">>" sending standard output into a file. No other byte
// means anything: "&", "|", ";", "$" and the like stay part of their word.
// The words come as bytes of the console's page, as typed on the form, and
// are given to the system in the locale's character set. A pair of a
// double-byte page is one character, whatever its second byte (page_text.h).
#ifndef QB_PLATFORM_POSIX_COMMAND_WORDS_H
#define QB_PLATFORM_POSIX_COMMAND_WORDS_H

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/locale_charset.h"

namespace qb {

struct Redirection {
  std::string file;
  bool append = false;  // ">>" rather than ">"
};

struct CommandWords {
  std::vector<std::string> words;  // the command's name, then its arguments
  // In the order written; the last one wins. A file name is empty when no
  // word followed the ">".
  std::vector<Redirection> redirections;
};

// Splits `command_line`, text of `page`, into words and output redirections.
CommandWords split_command_line(std::string_view command_line, const CodePage& page = kCodePage437);

// `text`, bytes of the console's page `charset.console_page()`, in the character set
// `charset`: UTF-8, a single-byte set's bytes or a multi-byte set's. ASCII
// stays as it is; a pair goes as its one character; a character the set
// lacks becomes "?", as it does when Windows converts between code pages.
std::string oem_to_locale(std::string_view text, const LocaleCharset& charset);

// Every word and redirection file of `line` in the character set `charset`.
void words_to_locale(CommandWords& line, const LocaleCharset& charset);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_COMMAND_WORDS_H
