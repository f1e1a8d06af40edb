// The BIOS key table: codes by named key and column, the gaps where a key
// gives its character, and Alt with the main block's keys.
#include "platform/keys/bios_keys.h"

#include <gtest/gtest.h>

#include "platform/keys/key_queue.h"

namespace qb::bios {
namespace {

TEST(BiosKeys, NamedKeysGiveTheirCodeOrCharacterInEachColumn) {
  using enum Column;
  EXPECT_EQ(column_of(true, true, true), kAlt);
  EXPECT_EQ(column_of(true, true, false), kCtrl);
  EXPECT_EQ(column_of(true, false, false), kShift);
  // An extended code is 255 + 256 x the scan code: F1's is 0x3B, Alt+F4's 0x6B.
  EXPECT_EQ(code(Key::kF1, kNormal), 255 + 256 * 0x3B);
  EXPECT_EQ(key::kF1, 255 + 256 * 0x3B);
  EXPECT_EQ(code(Key::kF4, kAlt), 255 + 256 * 0x6B);
  EXPECT_EQ(key::kAltF4, 255 + 256 * 0x6B);
  EXPECT_EQ(code(Key::kTab, kNormal), -1);
  EXPECT_EQ(code(Key::kPadEnter, kAlt), key::extended(0xA6));
  EXPECT_EQ(code(Key::kDigit2, kCtrl), key::extended(0x03));
  EXPECT_EQ(character(Key::kEnter, kCtrl), 10);
  EXPECT_EQ(character(Key::kTab, kShift), -1);
  EXPECT_EQ(character(Key::kF1, kNormal), -1);
}

TEST(BiosKeys, AltWithTheMainBlockGoesByTheKeysPlace) {
  EXPECT_EQ(alt_code(us_scan_code('1')), key::extended(0x78));
  EXPECT_EQ(alt_code(us_scan_code('+')), key::extended(0x83));
  EXPECT_EQ(alt_code(us_scan_code('Q')), key::extended(0x10));
  EXPECT_EQ(alt_code(us_scan_code('?')), key::extended(0x35));
  EXPECT_EQ(us_scan_code(' '), 0);
  EXPECT_EQ(alt_code(0), -1);
  EXPECT_EQ(alt_code(0x0E), -1);  // Backspace sits between the rows
  EXPECT_EQ(alt_code(0x36), -1);
}

}  // namespace
}  // namespace qb::bios
