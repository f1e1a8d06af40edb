// Command lines through the command interpreter: status, redirection, DEL.
#include "platform/command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/scratch_folder.h"

namespace qb {
namespace {

TEST(Win32Command, EmptyLineRunsNothing) {
  EXPECT_EQ(run_command_line(""), -1);
}

TEST(Win32Command, RunsThroughTheInterpreterWithRedirectionAndDel) {
  const ScratchFolder folder(ScratchFolder::Enter::kNo);
  const auto file = folder.path() / "OUT.LOG";
  const std::string redirect = "echo made>\"" + file.string() + "\"";
  EXPECT_EQ(run_command_line(redirect), 0);
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  in.close();
  EXPECT_EQ(text, "made\r\n");
  run_command_line("DEL \"" + file.string() + "\"");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(run_command_line("exit 7"), 7);
}

}  // namespace
}  // namespace qb
