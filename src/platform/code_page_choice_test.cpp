// QB_CODE_PAGE's values: the pages the program knows, in decimal digits
// alone, are chosen; anything else is refused with the one line that names
// the value and every page the program knows.
#include "platform/code_page_choice.h"

#include <gtest/gtest.h>

#include <string>

namespace qb {
namespace {

TEST(CodePageChoice, DigitsOfAKnownPageChooseItAndAnyOtherValueIsRefused) {
  const struct {
    const char* value;
    int number;  // 0: none chosen
    bool refused;
  } cases[] = {
      {"", 0, false},
      {"65001", 65001, false},
      {"850", 850, false},
      {"866", 866, false},
      {"437", 437, false},
      {"1258", 1258, false},
      {"950", 950, false},
      {"0850", 850, false},
      {"1234", 0, true},
      {"+850", 0, true},
      {" 850", 0, true},
      {"850 ", 0, true},
      {"-850", 0, true},
      {"1252", 0, true},
      {"0", 0, true},
      {"utf8", 0, true},
      {"850x", 0, true},
      {"4294968146", 0, true},
      {"99999999999999999999999", 0, true},
  };
  const std::string knows =
      " is not a code page this program knows; it knows 65001 and 437, 720, 737, 775, 850, 852, "
      "855, 857, 862, 866, 874, 1258, 932, 936, 949, 950";
  for (const auto& c : cases) {
    const CodePageChoice choice = read_code_page_choice(c.value);
    EXPECT_EQ(choice.number, c.number) << c.value;
    EXPECT_EQ(choice.refusal,
              c.refused ? std::string("quillbarrow: QB_CODE_PAGE=") + c.value + knows : "")
        << c.value;
  }
}

}  // namespace
}  // namespace qb
