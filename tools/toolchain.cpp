// Running llvm-rc, llvm-cvtres and lld-link. Their output is captured and
// handed back only when they fail, so nothing of theirs reaches the
// terminal. llvm-rc reads the script as UTF-8 (code page 65001), written to
// a scratch folder, the one page it reads every character of. The executable's entry is a function
// that returns 0, written here as a COFF object of a few bytes; it needs no C runtime and no import
// library, so /nodefaultlib links it alone.
#include "toolchain.h"

#include <filesystem>
#include <random>

#include "host.h"
#include "ico_format.h"
#include "standin_io.h"

namespace qb::tools {
namespace {

// "" when the run succeeded, else the program's name and what it said.
std::string failure_of(const RunResult& run, const std::string& program) {
  if (run.status == 0) return "";
  if (run.status < 0)
    return program + " could not be started" + (run.output.empty() ? "" : " (" + run.output + ")");
  return program + " failed (status " + std::to_string(run.status) + "):\r\n" + run.output;
}

// A new, empty folder for a tool's scratch files, named after `tool`.
std::filesystem::path make_scratch_folder(const std::string& tool) {
  std::random_device seed;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    auto folder = base / ("qb-" + tool + "-" + std::to_string(seed()));
    if (std::filesystem::create_directory(folder)) return folder;
  }
}

// An x64 COFF object whose one function, qb_entry, returns 0 (xor eax,
// eax; ret): the file header, one .text section, its four bytes of code
// and a symbol table of one external function with an empty string table.
std::string entry_object() {
  constexpr std::uint32_t kCodeAt = 20 + 40;  // after the file and section headers
  const std::string code("\x31\xC0\xC3\xCC", 4);
  std::string out;
  put_le(out, 0x8664, 2);                                             // machine: x64
  put_le(out, 1, 2);                                                  // sections
  put_le(out, 0, 4);                                                  // time stamp
  put_le(out, kCodeAt + static_cast<std::uint32_t>(code.size()), 4);  // symbol table
  put_le(out, 1, 4);                                                  // symbols
  put_le(out, 0, 4);  // no optional header, no characteristics
  out += std::string(".text\0\0\0", 8);
  for (const std::uint32_t field :
       {0U, 0U, static_cast<std::uint32_t>(code.size()), kCodeAt, 0U, 0U})
    put_le(out, field, 4);     // sizes and places of the data, no relocations
  put_le(out, 0, 4);           // no relocation or line-number entries
  put_le(out, 0x60500020, 4);  // code, 16-byte aligned, readable and executable
  out += code;
  out += "qb_entry";     // a name of eight bytes fills its field without a NUL
  put_le(out, 0, 4);     // at offset 0 of
  put_le(out, 1, 2);     // section 1,
  put_le(out, 0x20, 2);  // a function,
  put_le(out, 2, 2);     // external, with no auxiliary records
  put_le(out, 4, 4);     // the string table: its own length alone
  return out;
}

}  // namespace

bool can_compile_resources() {
  return !find_program("llvm-rc").empty() && !find_program("llvm-cvtres").empty();
}

std::string compile_resources(std::string_view utf8_script, const std::string& res,
                              const std::string& object) {
  const std::filesystem::path folder = make_scratch_folder("gorc");
  const std::string script = (folder / "script.rc").string();
  std::string failure = write_file(script, utf8_script) ? "" : "cannot write " + script;
  if (failure.empty()) {
    failure = failure_of(run_captured({find_program("llvm-rc"), "/no-preprocess", "/C", "65001",
                                       "/FO", res, script}),
                         "llvm-rc");
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  if (!failure.empty()) return failure;
  return failure_of(
      run_captured({find_program("llvm-cvtres"), "/machine:x64", "/out:" + object, res}),
      "llvm-cvtres");
}

bool can_link_executables() {
  return !find_program("lld-link").empty();
}

std::string link_executable(const std::vector<std::string>& objects, const std::string& exe,
                            bool gui) {
  const std::filesystem::path folder = make_scratch_folder("fbc");
  const std::string entry = (folder / "entry.obj").string();
  std::string failure = write_file(entry, entry_object()) ? "" : "cannot write " + entry;
  if (failure.empty()) {
    std::vector<std::string> argv = {find_program("lld-link"),
                                     "/nologo",
                                     gui ? "/subsystem:windows" : "/subsystem:console",
                                     "/entry:qb_entry",
                                     "/nodefaultlib",
                                     "/out:" + exe,
                                     entry};
    argv.insert(argv.end(), objects.begin(), objects.end());
    failure = failure_of(run_captured(argv), "lld-link");
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return failure;
}

}  // namespace qb::tools
