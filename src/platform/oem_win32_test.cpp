// The system's OEM-to-ANSI conversion as the resource script writer uses it.
#include "platform/oem.h"

#include <gtest/gtest.h>

#include <string>

namespace qb {
namespace {

TEST(Win32Oem, ConvertsInPlaceAndKeepsTheLength) {
  std::string umlaut = "M\x84rz";
  oem_to_ansi(umlaut);
  EXPECT_EQ(umlaut, "M\xE4rz");
  std::string empty;
  oem_to_ansi(empty);
  EXPECT_EQ(empty, "");
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string before = all;
  oem_to_ansi(all);
  ASSERT_EQ(all.size(), before.size());
  EXPECT_EQ(all.substr(0x20, 0x5F), before.substr(0x20, 0x5F));  // ASCII unchanged
}

}  // namespace
}  // namespace qb
