// The long log's run: in a scratch folder, GORC.EXE is a script that leaves
// an object file and FBC.EXE one that prints 10 MB of 64-byte lines, so the
// compiler's box comes up with the whole log printed under it.
#include "long_log.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "program_screens.h"
#include "support/form_answers.h"
#include "support/scratch_folder.h"

namespace qb::test {
namespace {

namespace fs = std::filesystem;

constexpr int kLogLines = 10 * 1024 * 1024 / 64;

// Writes the executable shell script `path` that runs `body`.
void write_tool(const fs::path& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
}

}  // namespace

double long_log_seconds(const std::string& program) {
  const ScratchFolder scratch(ScratchFolder::Enter::kNo);
  const fs::path log = scratch.path() / "fbc.out";
  {
    std::ofstream out(log, std::ios::binary);
    const std::string line = std::string(62, '.') + "\r\n";
    for (int n = 0; n < kLogLines; ++n) out << line;
  }
  write_tool(scratch.path() / "GORC.EXE", ": >RESFILE.OBJ");
  write_tool(scratch.path() / "FBC.EXE", "cat '" + log.string() + "'");
  for (const char* name : {"hello.bas", "app.ico"}) std::ofstream(scratch.path() / name) << "x";
  PtyOptions options = launch_options(program);
  options.directory = scratch.path().string();
  PtySession session(options);
  for (const std::string_view answer : kFormAnswers) session.send(std::string(answer) + "\r");
  const bool shown = session.wait_until(
      [](const VtScreen& vt) { return vt.text_at(22, 4, 22) == "Press any key to quit."; },
      std::chrono::seconds(120));
  const double elapsed = std::chrono::duration<double>(Clock::now() - session.started()).count();
  session.signal(SIGTERM);
  session.wait_exit(std::chrono::seconds(5));
  return shown ? elapsed : NAN;
}

}  // namespace qb::test
