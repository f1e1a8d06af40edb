// Running llvm-rc, llvm-cvtres, clang and lld-link. Their output is captured
// and handed back only when they fail, so nothing of theirs reaches the
// terminal. The executable's entry is a C function that returns 0; it needs
// no C runtime and no import library, so /nodefaultlib links it alone.
#include "toolchain.h"

#include <filesystem>
#include <random>

#include "host.h"
#include "standin_io.h"

namespace qb::tools {
namespace {

constexpr const char* kEntrySource = "int qb_entry(void) { return 0; }\n";

// "" when the run succeeded, else the program's name and what it said.
std::string failure_of(const RunResult& run, const std::string& program) {
  if (run.status == 0) return "";
  if (run.status < 0) return program + " could not be started";
  return program + " failed (status " + std::to_string(run.status) + "):\r\n" + run.output;
}

// A new, empty folder for the link's scratch files.
std::filesystem::path make_scratch_folder() {
  std::random_device seed;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    auto folder = base / ("qb-fbc-" + std::to_string(seed()));
    if (std::filesystem::create_directory(folder)) return folder;
  }
}

// Compiles the entry function into a COFF object at `object`.
std::string compile_entry(const std::filesystem::path& folder, const std::string& object) {
  const std::string source = (folder / "entry.c").string();
  if (!write_file(source, kEntrySource)) return "cannot write " + source;
  return failure_of(
      run_captured({find_program("clang"), "--target=x86_64-pc-windows-msvc", "-ffreestanding",
                    "-fno-stack-protector", "-O1", "-c", source, "-o", object}),
      "clang");
}

}  // namespace

bool can_compile_resources() {
  return !find_program("llvm-rc").empty() && !find_program("llvm-cvtres").empty();
}

std::string compile_resources(const std::string& script, const std::string& res,
                              const std::string& object) {
  std::string failure = failure_of(
      run_captured({find_program("llvm-rc"), "/no-preprocess", "/C", "1252", "/FO", res, script}),
      "llvm-rc");
  if (!failure.empty()) return failure;
  return failure_of(
      run_captured({find_program("llvm-cvtres"), "/machine:x64", "/out:" + object, res}),
      "llvm-cvtres");
}

bool can_link_executables() {
  return !find_program("clang").empty() && !find_program("lld-link").empty();
}

std::string link_executable(const std::vector<std::string>& objects, const std::string& exe,
                            bool gui) {
  const std::filesystem::path folder = make_scratch_folder();
  const std::string entry = (folder / "entry.obj").string();
  std::string failure = compile_entry(folder, entry);
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
