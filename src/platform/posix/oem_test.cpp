// OEM-to-ANSI conversion of whole texts, in place.
#include "platform/oem.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(OemToAnsi, ConvertsEachByteAndKeepsTheLength) {
  std::string text("M\x84rz \x9C\x33 \xC9\xCD\xBB \xF8");
  oem_to_ansi(text);
  EXPECT_EQ(text, std::string("M\xE4rz \xA3\x33 +-+ \xB0"));
  std::string empty;
  oem_to_ansi(empty);
  EXPECT_EQ(empty, "");
}

}  // namespace
}  // namespace qb
