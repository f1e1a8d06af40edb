// A command line taken apart the way the command interpreter takes apart the
// lines this program hands it: words split on blanks, double quotes grouping
// a word, and ">" or ">>" sending standard output into a file. No other byte
// means anything: "&", "|", ";", "$" and the like stay part of their word.
#ifndef QB_PLATFORM_POSIX_COMMAND_WORDS_H
#define QB_PLATFORM_POSIX_COMMAND_WORDS_H

#include <string>
#include <string_view>
#include <vector>

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

// Splits `command_line` into words and output redirections.
CommandWords split_command_line(std::string_view command_line);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_COMMAND_WORDS_H
