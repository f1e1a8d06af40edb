// Command lines on Windows go to the command interpreter through the C
// runtime's system(), which runs them with cmd.exe and waits. The file
// system's own lookup ignores case, as the interpreter does.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/command.h"

namespace qb {

int run_command_line(std::string_view command_line) {
  if (command_line.empty()) return -1;
  const std::string line(command_line);
  return std::system(line.c_str());  // NOLINT(cert-env33-c): cmd.exe is meant to run the line
}

bool command_file_exists(std::string_view name) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(std::string(name), ignored);
}

}  // namespace qb
