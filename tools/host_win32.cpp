// The stand-in tools' system calls on Windows: a search of PATH (with the
// executable extensions of PATHEXT; both lists split as the POSIX search
// splits PATH, empty entries left out), CreateProcess with a pipe that
// collects the child's standard output and error, and the ANSI code page
// (CP_ACP).
//
// Under wine, a program found on PATH may be a Unix one: the machine's
// llvm-rc, say, once its folder (Z:\usr\bin) is on wine's search path.
// CreateProcess starts such a program apart and hands back no process, so
// nothing could wait for it or read its status, and its output never
// reaches the pipe. It runs through wine's own start of Unix programs
// (__wine_unix_spawnvp), which waits and returns the status; /bin/sh puts
// its output in a scratch file, and paths with a drive letter become their
// Unix names.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "host.h"
#include "platform/files/path_entries.h"
#include "standin_io.h"

namespace qb::tools {

namespace {

// The names to try for `name`: itself, then with each extension of PATHEXT
// when it has none of its own.
std::vector<std::string> candidate_names(std::string_view name) {
  std::vector<std::string> names = {std::string(name)};
  if (std::filesystem::path(name).has_extension()) return names;
  std::string extensions = environment("PATHEXT");
  if (extensions.empty()) extensions = ".COM;.EXE;.BAT;.CMD";
  for (const std::string_view extension : path_entries(extensions, ';'))
    names.push_back(std::string(name).append(extension));
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

// The command line of `argv`, each argument quoted for the C runtime.
std::string command_line_of(const std::vector<std::string>& argv) {
  std::string command_line;
  for (const std::string& argument : argv) {
    if (!command_line.empty()) command_line += ' ';
    command_line += quote_argument(argument);
  }
  return command_line;
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

// `text` in code page `page` as UTF-16; nothing when `flags` hold
// MB_ERR_INVALID_CHARS and a byte of it is no character there.
std::optional<std::wstring> to_wide(UINT page, DWORD flags, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(page, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(page, flags, text.data(), size, wide.data(), length);
  return wide;
}

// `wide` in code page `page`; a character the page lacks as its default.
std::string from_wide(UINT page, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(page, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

// Wine's start of a Unix program (which waits for it when `wait` is not 0
// and returns its exit status) and its Unix name for a Windows path (from
// the process heap); null where this is no wine.
struct WineCalls {
  LONG (*spawn)(char* const* argv, int wait) = nullptr;
  char* (*unix_name)(const wchar_t* path) = nullptr;
};

const WineCalls& wine_calls() {
  static const WineCalls calls = [] {
    // A FARPROC goes through the generic function pointer type to its own.
    using Generic = void (*)();
    WineCalls found;
    const FARPROC spawn = GetProcAddress(GetModuleHandleA("ntdll"), "__wine_unix_spawnvp");
    const FARPROC name = GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
    if (spawn == nullptr || name == nullptr) return found;
    found.spawn = reinterpret_cast<decltype(found.spawn)>(reinterpret_cast<Generic>(spawn));
    found.unix_name = reinterpret_cast<decltype(found.unix_name)>(reinterpret_cast<Generic>(name));
    return found;
  }();
  return calls;
}

// True under wine for a file that is a Unix program (an ELF file).
bool is_unix_program(const std::string& path) {
  if (wine_calls().spawn == nullptr) return false;
  std::ifstream in(path, std::ios::binary);
  std::array<char, 4> mark{};
  return in.read(mark.data(), mark.size()) && mark == std::array<char, 4>{'\x7F', 'E', 'L', 'F'};
}

// The Unix name of the Windows path `path`, or "" when wine has none.
std::string unix_path(const std::wstring& path) {
  char* name = wine_calls().unix_name(path.c_str());
  if (name == nullptr) return "";
  std::string unix(name);
  HeapFree(GetProcessHeap(), 0, name);
  return unix;
}

// An argument as a Unix program takes it: a path with a drive letter as its
// Unix name, anything else in UTF-8.
std::string unix_argument(const std::string& argument) {
  const std::wstring wide = to_wide(CP_ACP, 0, argument).value_or(L"");
  const bool drive =
      argument.size() > 2 && argument[1] == ':' && (argument[2] == '\\' || argument[2] == '/');
  const std::string unix = drive ? unix_path(wide) : "";
  return unix.empty() ? from_wide(CP_UTF8, wide) : unix;
}

// Runs the Unix program argv[0] through wine, waits for it and collects its
// output from a scratch file.
RunResult run_unix_program(const std::vector<std::string>& argv) {
  RunResult result;
  std::array<wchar_t, MAX_PATH + 1> folder{};
  std::array<wchar_t, MAX_PATH + 1> file{};
  if (GetTempPathW(MAX_PATH, folder.data()) == 0 ||
      GetTempFileNameW(folder.data(), L"qb", 0, file.data()) == 0)
    return result;
  std::vector<std::string> words = {"/bin/sh", "-c", R"(out=$1; shift; exec "$@" >"$out" 2>&1)",
                                    "sh", unix_path(file.data())};
  for (const std::string& argument : argv) words.push_back(unix_argument(argument));
  std::vector<char*> args;
  args.reserve(words.size() + 1);
  for (std::string& word : words) args.push_back(word.data());
  args.push_back(nullptr);
  const LONG status = wine_calls().spawn(args.data(), 1);
  result.status = status >= 0 ? static_cast<int>(status) : -1;  // else wine's failure to start
  std::ifstream in(std::filesystem::path(file.data()), std::ios::binary);
  std::ostringstream output;
  output << in.rdbuf();
  result.output = output.str();
  in.close();
  DeleteFileW(file.data());
  return result;
}

}  // namespace

std::string find_program(std::string_view name) {
  const std::string path = environment("PATH");
  for (const std::string_view dir : path_entries(path, ';')) {
    for (const std::string& candidate : candidate_names(name)) {
      const std::filesystem::path file = std::filesystem::path(dir) / candidate;
      std::error_code error;
      if (std::filesystem::is_regular_file(file, error)) return file.string();
    }
  }
  return "";
}

RunResult run_captured(const std::vector<std::string>& argv) {
  RunResult result;
  if (argv.empty()) return result;
  if (is_unix_program(argv[0])) return run_unix_program(argv);
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (CreatePipe(&read_end, &write_end, &inherit, 0) == FALSE) {
    result.output = "CreatePipe: error " + std::to_string(GetLastError());
    return result;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  std::string command_line = command_line_of(argv);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(argv[0].c_str(), command_line.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &process);
  const DWORD start_error = GetLastError();
  CloseHandle(write_end);
  if (started == FALSE) {
    result.output = "CreateProcess: error " + std::to_string(start_error);
  } else {
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

// The C runtime would write every LF as CR LF; the tools' output is exact.
void use_binary_stdout() {
  _setmode(_fileno(stdout), _O_BINARY);
}

int ansi_code_page() {
  return static_cast<int>(GetACP());
}

std::optional<std::string> ansi_to_utf8(std::string_view text) {
  const std::optional<std::wstring> wide = to_wide(CP_ACP, MB_ERR_INVALID_CHARS, text);
  if (!wide) return std::nullopt;
  return from_wide(CP_UTF8, *wide);
}

std::string native_file_name(std::string_view utf8_name) {
  return from_wide(CP_ACP, to_wide(CP_UTF8, 0, utf8_name).value_or(L""));
}

std::string compiler_file_name(std::string_view utf8_name) {
  return std::string(utf8_name);
}

}  // namespace qb::tools
