// Command lines through the command interpreter: status, redirection, DEL,
// names beyond ASCII.
#include "platform/command.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "platform/win32/commands/cmd_exe.h"
#include "support/scratch_folder.h"

namespace qb {
namespace {

TEST(Win32Command, EmptyLineRunsNothing) {
  EXPECT_EQ(run_command_line_in_page("", CP_OEMCP), -1);
}

TEST(Win32Command, RunsThroughTheInterpreterWithRedirectionAndDel) {
  const ScratchFolder folder(ScratchFolder::Enter::kNo);
  const auto file = folder.path() / "OUT.LOG";
  const std::string redirect = "echo made>\"" + file.string() + "\"";
  EXPECT_EQ(run_command_line_in_page(redirect, CP_OEMCP), 0);
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  in.close();
  EXPECT_EQ(text, "made\r\n");
  run_command_line_in_page("DEL \"" + file.string() + "\"", CP_OEMCP);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(run_command_line_in_page("exit 7", CP_OEMCP), 7);
}

// A name reaches the system as the characters its bytes stand for in the
// line's code page; names are looked for in the system's OEM page.
TEST(Win32Command, NamesAreReadInTheLinesCodePage) {
  const ScratchFolder folder;
  for (const auto& [page, name, wide] :
       {std::tuple<unsigned, std::string, std::wstring>{437, "M\x94WE.LOG", L"M\u00F6WE.LOG"},
        {866, "\xAF\xE0\xA8\xA2\xA5\xE2.LOG", L"\u043F\u0440\u0438\u0432\u0435\u0442.LOG"}}) {
    EXPECT_EQ(run_command_line_in_page("echo made>" + name, page), 0);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(wide))) << name;
    EXPECT_EQ(command_file_exists(name), page == GetOEMCP()) << name;  // names in the OEM page
    run_command_line_in_page("DEL " + name, page);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(wide))) << name;
  }
}

}  // namespace
}  // namespace qb
