// The two texts of the command line, the usage and the version; QB_VERSION
// is the project's version, handed in by the build.
#include "driver/command_line.h"

#include <string_view>

#include "platform/platform.h"

namespace qb {

namespace {

constexpr const char* kUsage =
    "Usage: quillbarrow [--help | --version]\n"
    "\n"
    "Asks on an 80 x 25 text screen for a FreeBASIC program's version\n"
    "information and one to three icons, writes the resource script RESFILE.RC\n"
    "in the current directory, runs GORC.EXE and FBC.EXE there with their logs\n"
    "GORC.LOG and FBC.LOG, and shows in a framed box whether the executable was\n"
    "made. Start it in the directory that holds the source and the icons, with\n"
    "GORC.EXE and FBC.EXE in it or on the search path.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "  QB_CODE_PAGE  (POSIX) the console's code page, as chcp sets it on Windows:\n"
    "      65001 (UTF-8), 437, 720, 737, 775, 850, 852, 855, 857, 862, 866, 874,\n"
    "      1258, 932, 936, 949 or 950; unset, the locale's OEM page. RESFILE.RC\n"
    "      stays in the locale's ANSI page (in UTF-8 under 65001).\n"
    "\n"
    "Exit status: 0 after \"EXE file created !\", 1 after a failed build (and\n"
    "when this text cannot be written), 1 when the answers end before the\n"
    "form is complete, with nothing built, and 2 when QB_CODE_PAGE names no\n"
    "page this program knows. Answers may come from a pipe or a file, one a\n"
    "line; output that is no terminal gets the screens as text:\n"
    "\n"
    "  printf '%s\\n' hello.bas Me '' Demo 1.2.3 Hello 1.2.0 '' '' app.ico n '' |\n"
    "    quillbarrow >build.txt && echo built || echo \"failed: see build.txt\"\n";

}  // namespace

CommandLineRequest read_command_line(std::span<const char* const> argv) {
  if (argv.size() != 2) return CommandLineRequest::kRun;
  const std::string_view word = argv[1];
  if (word == "--help") return CommandLineRequest::kHelp;
  if (word == "--version") return CommandLineRequest::kVersion;
  return CommandLineRequest::kRun;
}

std::string command_line_text(CommandLineRequest request) {
  switch (request) {
    case CommandLineRequest::kHelp:
      return kUsage;
    case CommandLineRequest::kVersion:
      return "Quillbarrowmintstamperwright " QB_VERSION "\n";
    case CommandLineRequest::kRun:
      break;
  }
  return "";
}

int print_command_line_text(CommandLineRequest request) {
  return write_standard_output(command_line_text(request)) ? 0 : 1;
}

}  // namespace qb
