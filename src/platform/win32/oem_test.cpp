// The system's OEM-to-ANSI conversion as the resource script writer uses it.
#include "platform/oem.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp437_to_1252.h"

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

// The table that other systems use keeps every character that code page 1252
// has, as the system does; only its plain look-alikes for the box, block
// and a few mathematical signs may differ (the system picks "¦" for "│").
TEST(Win32Oem, AgreesWithTheTableOfOtherSystemsOnEveryKeptCharacter) {
  for (int byte = 1; byte < 256; ++byte) {
    const unsigned char table = cp437_to_1252(static_cast<unsigned char>(byte));
    if (byte >= 0x80 && table < 0x80) continue;  // a look-alike, not the character
    std::string text(1, static_cast<char>(byte));
    oem_to_ansi(text);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), table) << "byte " << byte;
  }
}

}  // namespace
}  // namespace qb
