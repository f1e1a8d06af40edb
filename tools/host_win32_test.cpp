// The Windows side of the stand-ins' system calls: the search of PATH with
// PATHEXT, empty entries passed over, and a child's arguments and output
// going through CreateProcess.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "host.h"
#include "standin_io.h"

namespace qb::tools {
namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST(Win32Host, FindsProgramsOnThePathWithTheirExtension) {
  const std::string cmd = lower(find_program("cmd"));
  ASSERT_GE(cmd.size(), 8u);
  EXPECT_EQ(cmd.substr(cmd.size() - 8), "\\cmd.exe");
  EXPECT_EQ(find_program("no-such-tool-anywhere"), "");

  // An empty entry is no current directory, on either system.
  std::ofstream("here-only.exe") << "MZ";
  const std::string path = environment("PATH");
  ASSERT_EQ(_putenv_s("PATH", (";" + path).c_str()), 0);
  EXPECT_EQ(find_program("here-only"), "");
  ASSERT_EQ(_putenv_s("PATH", path.c_str()), 0);
  std::remove("here-only.exe");
}

TEST(Win32Host, ArgumentsArriveWholeAndOutputAndStatusComeBack) {
  // The compiler stand-in names an unknown option exactly as it received it.
  for (const std::string option : {"-odd", "-with space", "-quote\"d", "-tail\\", "-both\\\" x"}) {
    const RunResult run = run_captured({QB_FBC_STANDIN, "hello.bas", option});
    EXPECT_EQ(run.output, "FBC.EXE error: unknown option " + option + "\r\n") << option;
    EXPECT_EQ(run.status, 1) << option;
  }
  EXPECT_EQ(run_captured({"C:\\no\\such\\program.exe"}).status, -1);
}

}  // namespace
}  // namespace qb::tools
