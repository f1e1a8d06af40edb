// The script's page and the conversions between the console's page and the
// system's others, for given pages, by the system's own functions.
#include "platform/win32/console/console_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace qb {
namespace {

using Rows = std::vector<std::tuple<SystemPages, std::string, std::string>>;

// The script: OemToCharA where the console is in the OEM page (437 under
// wine's C.UTF-8), Unicode's way from any other; UTF-8 where either page is 65001.
TEST(Win32ConsoleText, TheFormsTextAndAToolsLogGoBetweenTheSystemsPages) {
  for (auto [pages, text, script] :
       Rows{{system_pages(GetOEMCP()), "M\x84rz", "M\xE4rz"},
            {{65001, 437, 1252}, "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
            {{850, 850, 65001}, "\x84\xAE", "\xC3\xA4\xC2\xAB"},
            {{1251, 866, 1251}, "\xCF\xF0 \xAB", "\xCF\xF0 \xAB"},
            {{866, 437, 1252}, "\xAF\xF8", "?\xB0"}}) {
    convert_to_script_page(pages, text);
    EXPECT_EQ(text, script) << pages.console << " " << pages.ansi;
  }
  EXPECT_TRUE(script_page_of({65001, 437, 1252}).is_utf8());
  EXPECT_TRUE(script_page_of({437, 437, 65001}).is_utf8());
  EXPECT_EQ(script_page_of({932, 932, 932}).number, 932);
  EXPECT_EQ(script_page_of({1251, 866, 1251}).number, 437);  // a one-byte stand-in
  // A tool's log under 65001: UTF-8 as it is, any other read in the ANSI
  // page, C1 controls as "?"; other pages keep the bytes.
  for (const auto& [pages, log, shown] : Rows{{{65001, 437, 1252}, "\xC3\xA9\r\n", "\xC3\xA9\r\n"},
                                              {{65001, 437, 1252}, "\xC2\x85", "?"},
                                              {{65001, 437, 1252}, "\xE9 \x81", "\xC3\xA9 ?"},
                                              {{437, 437, 1252}, "\xE9", "\xE9"}}) {
    EXPECT_EQ(console_text_of_log(pages, log), shown) << log;
  }
}

}  // namespace
}  // namespace qb
