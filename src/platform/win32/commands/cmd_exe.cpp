// Command lines on Windows go to the command interpreter through the C
// runtime's _wsystem(), which runs them with cmd.exe and waits: as UTF-16,
// so that no character is lost to the ANSI code page on the way. The file
// system's own lookup ignores case, as the interpreter does.
#include "platform/win32/commands/cmd_exe.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/command.h"
#include "platform/win32/oem.h"

namespace qb {

int run_command_line_in_page(std::string_view command_line, unsigned code_page) {
  if (command_line.empty()) return -1;
  const std::wstring line = wide_from_page(command_line, code_page);
  return _wsystem(line.c_str());  // NOLINT(cert-env33-c): cmd.exe is meant to run the line
}

bool command_file_exists(std::string_view name) {
  std::error_code ignored;
  const std::filesystem::path path(wide_from_page(name, console_text_page()));
  return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace qb
