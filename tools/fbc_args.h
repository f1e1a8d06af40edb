// The compiler stand-in's command line: source files, "-a" objects and the
// common options of the BASIC compiler it stands in for.
#ifndef QB_TOOLS_FBC_ARGS_H
#define QB_TOOLS_FBC_ARGS_H

#include <string>
#include <vector>

namespace qb::tools {

struct FbcRequest {
  std::vector<std::string> sources;  // in the order given
  std::vector<std::string> objects;  // every "-a" file
  std::string exe_name;              // from "-x", else empty
  bool gui = false;                  // "-s gui"
  std::string problem;               // empty, or the first fault in the arguments
};

// Reads the arguments (without the program's own name). Accepted options:
// -a FILE, -s console|gui, -x NAME, -g, -O LEVEL; anything else starting
// with "-" is a fault, and so is a command line without a source file.
FbcRequest parse_fbc_args(const std::vector<std::string>& args);

// The executable's name: -x NAME when given, else the first source's text
// before its first "." followed by ".exe"; empty when that text is empty.
std::string executable_name(const FbcRequest& request);

}  // namespace qb::tools

#endif  // QB_TOOLS_FBC_ARGS_H
