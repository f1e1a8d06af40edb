// The real compilers behind the stand-ins, where the machine has them:
// llvm-rc and llvm-cvtres turn a resource script into a COFF object, and
// lld-link makes a small Windows executable that carries it. Every call
// of an outside program is in toolchain.cpp.
#ifndef QB_TOOLS_TOOLCHAIN_H
#define QB_TOOLS_TOOLCHAIN_H

#include <string>
#include <string_view>
#include <vector>

namespace qb::tools {

// True when llvm-rc and llvm-cvtres are on the search path.
bool can_compile_resources();
// Compiles the script text `utf8_script` (UTF-8, its icon files named as
// llvm-rc finds them from the current folder) into `res` and converts that
// into the x64 COFF object `object`; returns "" or the tools' own error
// message.
std::string compile_resources(std::string_view utf8_script, const std::string& res,
                              const std::string& object);

// True when lld-link is on the search path.
bool can_link_executables();
// Links a console (or, with gui, windowed) x64 executable `exe` whose entry
// just returns, adding `objects`; returns "" or the tools' error message.
std::string link_executable(const std::vector<std::string>& objects, const std::string& exe,
                            bool gui);

}  // namespace qb::tools

#endif  // QB_TOOLS_TOOLCHAIN_H
