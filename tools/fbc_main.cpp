// FBC.EXE stand-in: "FBC.EXE SOURCE -a OBJECT [options]" checks that the
// source files and objects exist and makes the executable named after the
// first source (or -x NAME). With lld-link installed it is a real
// x64 Windows program carrying the objects' resources; without them, a
// placeholder file. Silent on success; on failure it prints the error.
#include <string>
#include <vector>

#include "fbc_args.h"
#include "host.h"
#include "standin_io.h"
#include "toolchain.h"

namespace {

using namespace qb::tools;

// True when the file starts with the x64 COFF machine number.
bool is_x64_coff(const std::string& path) {
  const std::optional<std::string> bytes = read_file(path);
  return bytes && bytes->size() >= 20 && (*bytes)[0] == '\x64' && (*bytes)[1] == '\x86';
}

// Makes the executable; returns "" or the fault.
std::string build(const FbcRequest& request) {
  for (const std::string& source : request.sources) {
    if (!file_exists(source)) return "cannot open source file " + source;
  }
  bool all_coff = true;
  for (const std::string& object : request.objects) {
    if (!file_exists(object)) return "cannot open object file " + object;
    all_coff = all_coff && is_x64_coff(object);
  }
  const std::string exe = executable_name(request);
  if (exe.empty()) return "cannot name the executable after " + request.sources.front();
  if (all_coff && can_link_executables()) return link_executable(request.objects, exe, request.gui);
  const std::string placeholder =
      "QBSTANDIN placeholder executable built from " + request.sources.front() + "\r\n";
  return write_file(exe, placeholder) ? "" : "cannot write " + exe;
}

}  // namespace

// Compiles (in name) and links (for real, where it can) the given sources.
int main(int argc, char** argv) {
  use_binary_stdout();
  const FbcRequest request = parse_fbc_args(std::vector<std::string>(argv + 1, argv + argc));
  const std::string fault = request.problem.empty() ? build(request) : request.problem;
  if (!fault.empty()) {
    emit("FBC.EXE error: " + fault + "\r\n");  // the run fails either way
    return exit_status("QB_STANDIN_FBC_STATUS", 1);
  }
  // A log that cannot be written fails the run like any other fault.
  const bool logged = emit(success_output("QB_STANDIN_FBC_OUTPUT", ""));
  return exit_status("QB_STANDIN_FBC_STATUS", logged ? 0 : 1);
}
