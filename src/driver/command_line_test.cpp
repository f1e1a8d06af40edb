// Which command lines ask for a text instead of a run (the texts themselves
// are checked on the real program, tests/e2e/startup_e2e_test.cpp).
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace qb {
namespace {

TEST(CommandLine, OnlyALoneHelpOrVersionAsksForAText) {
  using enum CommandLineRequest;
  const struct {
    std::vector<const char*> argv;
    CommandLineRequest request;
  } cases[] = {
      {{"quillbarrow", "--help"}, kHelp},
      {{"quillbarrow", "--version"}, kVersion},
      {{"quillbarrow"}, kRun},
      {{}, kRun},
      {{"quillbarrow", "--help", "--version"}, kRun},
      {{"quillbarrow", "hello.bas", "--help"}, kRun},
      {{"quillbarrow", "-h"}, kRun},
      {{"quillbarrow", "--HELP"}, kRun},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_command_line(c.argv), c.request) << c.argv.size();
  }
}

}  // namespace
}  // namespace qb
