// Which command lines ask for a text instead of a run, and the pages the
// usage names (the texts themselves are checked on the real program,
// tests/e2e/startup_e2e_test.cpp).
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/code_page_choice.h"

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

// The usage names every page that QB_CODE_PAGE may choose, so that a page
// added to the tables is not left out of it.
TEST(CommandLine, TheUsageNamesEveryPageQbCodePageMayChoose) {
  const std::string usage = command_line_text(CommandLineRequest::kHelp);
  std::istringstream pages(choosable_code_pages());
  for (std::string page; pages >> page;) {
    std::string word(1, ' ');  // the page as a word, without a comma after it
    word += page.substr(0, page.find(','));
    if (page != "and") {
      EXPECT_NE(usage.find(word), usage.npos) << page;
    }
  }
}

}  // namespace
}  // namespace qb
