// GORC.EXE stand-in: "GORC.EXE NAME" compiles the resource script NAME.RC
// into the object file NAME.OBJ. It reads the script as GoRC does: one that
// opens with the UTF-8 byte-order mark in UTF-8, any other in the system's
// ANSI code page (on POSIX the one Windows gives the user's locale). It
// checks the script's shape and its icon files itself, then compiles with
// llvm-rc and llvm-cvtres where they are installed, or writes a placeholder
// object where they are not.
//
// What it prints is its log, and its length is its verdict: on success a
// banner whose length tells of success (build/tool_logs.h), on failure an
// error message whose length never does.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/tool_logs.h"
#include "host.h"
#include "ico_format.h"
#include "platform/text/utf8.h"
#include "rc_shape.h"
#include "standin_io.h"
#include "toolchain.h"

namespace {

using namespace qb::tools;

// The lengths of a successful resource compiler's log, as the program judges it.
constexpr auto kSuccessMin = static_cast<std::size_t>(qb::kResourceLogMin);
constexpr auto kSuccessMax = static_cast<std::size_t>(qb::kResourceLogMax);

constexpr std::string_view kBanner =
    "Quillbarrow GORC stand-in 1.0 - resource script compiler\r\n"
    "A free test tool for Quillbarrow builds\r\n"
    "Resource object file written.\r\n";
static_assert(kBanner.size() >= kSuccessMin && kBanner.size() <= kSuccessMax);

constexpr std::string_view kPlaceholderObject =
    "QBSTANDIN placeholder resource object (no llvm-rc on this machine)\r\n";

// The error as GORC prints it: one message, CR LF ended, padded with spaces
// before its end when its length would fall into the success range.
std::string error_log(const std::string& message) {
  std::string log = "GORC.EXE error: " + message;
  while (!log.empty() && (log.back() == '\n' || log.back() == '\r')) log.pop_back();
  if (log.size() + 2 >= kSuccessMin && log.size() + 2 <= kSuccessMax) {
    log.append(kSuccessMax + 1 - 2 - log.size(), ' ');
  }
  return log + "\r\n";
}

// The icon file's fault, or "" when it is a readable icon file.
std::string icon_problem(const std::string& path) {
  const std::optional<std::string> bytes = read_file(path);
  if (!bytes) return "cannot open icon file " + path;
  const std::string problem = icon_file_problem(*bytes);
  return problem.empty() ? "" : path + ": " + problem;
}

// The byte-order mark that makes GoRC read a script as UTF-8.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr int kUtf8Page = 65001;

// A line of a UTF-8 script as it is; nothing when it is not valid UTF-8.
std::optional<std::string> utf8_line(std::string_view line) {
  if (!qb::is_utf8(line)) return std::nullopt;
  return std::string(line);
}

// The script `bytes` read line by line, each turned into UTF-8 by
// `read_line`, into `text`; returns "" or the fault that names the first
// line that is no text in code page `page`.
std::string read_lines(const std::string& script_name, std::string_view bytes, int page,
                       std::optional<std::string> (*read_line)(std::string_view),
                       std::string& text) {
  for (int number = 1; !bytes.empty(); ++number) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
    const std::optional<std::string> line = read_line(bytes.substr(0, end));
    if (!line) {
      return script_name + ", line " + std::to_string(number) + ": not text in code page " +
             std::to_string(page);
    }
    text += *line;
    bytes.remove_prefix(end);
  }
  return "";
}

// The script `bytes` as UTF-8 into `text`, without its byte-order mark:
// one that opens with the mark is UTF-8 already, any other is in the ANSI
// page; returns "" or the fault that names the first line that is no text.
std::string read_script_text(const std::string& script_name, std::string_view bytes,
                             std::string& text) {
  if (!bytes.starts_with(kUtf8Mark)) {
    return read_lines(script_name, bytes, ansi_code_page(), ansi_to_utf8, text);
  }
  bytes.remove_prefix(kUtf8Mark.size());
  return read_lines(script_name, bytes, kUtf8Page, utf8_line, text);
}

// Checks and compiles `base`.RC into `base`.OBJ; returns "" or the fault.
std::string compile(const std::string& base) {
  const std::string script_name = base + ".RC";
  std::error_code ignored;
  std::filesystem::remove(base + ".OBJ", ignored);  // a failed run leaves no stale object
  const std::optional<std::string> script = read_file(script_name);
  if (!script) return "cannot open resource script " + script_name;
  if (const char* keep = std::getenv("QB_STANDIN_GORC_KEEP"); keep != nullptr)
    write_file(keep, *script);  // the test's copy; the program deletes the script
  std::string text;
  std::string problem = read_script_text(script_name, *script, text);
  if (!problem.empty()) return problem;
  const ScriptShape shape = read_script_shape(text);
  if (!shape.problem.empty()) return script_name + ", " + shape.problem;
  std::vector<std::string> compiler_names;
  for (const std::string& icon : shape.icon_files) {
    problem = icon_problem(native_file_name(icon));
    if (!problem.empty()) return problem;
    compiler_names.push_back(compiler_file_name(icon));
  }
  if (can_compile_resources()) {
    // llvm-rc reads UTF-8 whether or not the mark opens it; a UTF-8 script
    // goes to it as it came, the mark included.
    const std::string_view mark = script->starts_with(kUtf8Mark) ? kUtf8Mark : "";
    return compile_resources(std::string(mark) + with_icon_files(text, compiler_names),
                             base + ".RES", base + ".OBJ");
  }
  return write_file(base + ".OBJ", kPlaceholderObject) ? "" : "cannot write " + base + ".OBJ";
}

// NAME with a trailing ".RC" (any case) taken off.
std::string script_base(std::string name) {
  const std::size_t n = name.size();
  if (n > 3 && name[n - 3] == '.' && (name[n - 2] | 0x20) == 'r' && (name[n - 1] | 0x20) == 'c') {
    name.resize(n - 3);
  }
  return name;
}

}  // namespace

// Compiles the script named by the one argument; the log goes to standard output.
int main(int argc, char** argv) {
  use_binary_stdout();
  const std::string fault =
      argc == 2 ? compile(script_base(argv[1])) : "usage: GORC.EXE NAME (compiles NAME.RC)";
  if (!fault.empty()) {
    emit(error_log(fault));  // the run fails either way
    return exit_status("QB_STANDIN_GORC_STATUS", 1);
  }
  // A log that cannot be written fails the run like any other fault.
  const bool logged = emit(success_output("QB_STANDIN_GORC_OUTPUT", kBanner));
  return exit_status("QB_STANDIN_GORC_STATUS", logged ? 0 : 1);
}
