// The stand-in tools' system calls on Windows: a search of PATH (with the
// executable extensions of PATHEXT), and CreateProcess with a pipe that
// collects the child's standard output and error.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host.h"

namespace qb::tools {

namespace {

// The names to try for `name`: itself, then with each extension of PATHEXT
// when it has none of its own.
std::vector<std::string> candidate_names(std::string_view name) {
  std::vector<std::string> names = {std::string(name)};
  if (std::filesystem::path(name).has_extension()) return names;
  std::string extensions = environment("PATHEXT");
  if (extensions.empty()) extensions = ".COM;.EXE;.BAT;.CMD";
  std::size_t start = 0;
  while (start < extensions.size()) {
    std::size_t end = extensions.find(';', start);
    if (end == std::string::npos) end = extensions.size();
    if (end > start) names.push_back(std::string(name) + extensions.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// One argument quoted for the command line that the C runtime splits again:
// backslashes are doubled only before a double quote or the closing quote.
std::string quote_argument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::string read_all(HANDLE pipe) {
  std::string text;
  std::array<char, 4096> buffer{};
  DWORD got = 0;
  while (ReadFile(pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) != FALSE &&
         got > 0) {
    text.append(buffer.data(), got);
  }
  return text;
}

}  // namespace

std::string find_program(std::string_view name) {
  const std::string path = environment("PATH");
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(';', start);
    if (end == std::string::npos) end = path.size();
    const std::string dir = end > start ? path.substr(start, end - start) : ".";
    for (const std::string& candidate : candidate_names(name)) {
      const std::filesystem::path file = std::filesystem::path(dir) / candidate;
      std::error_code error;
      if (std::filesystem::is_regular_file(file, error)) return file.string();
    }
    start = end + 1;
  }
  return "";
}

RunResult run_captured(const std::vector<std::string>& argv) {
  RunResult result;
  if (argv.empty()) return result;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (CreatePipe(&read_end, &write_end, &inherit, 0) == FALSE) return result;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  std::string command_line;
  for (const std::string& argument : argv) {
    if (!command_line.empty()) command_line += ' ';
    command_line += quote_argument(argument);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(argv[0].c_str(), command_line.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &process);
  CloseHandle(write_end);
  if (started != FALSE) {
    result.output = read_all(read_end);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    result.status = static_cast<int>(status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read_end);
  return result;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

// The C runtime would write every LF as CR LF; the tools' output is exact.
void use_binary_stdout() {
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace qb::tools
