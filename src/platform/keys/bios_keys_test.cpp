// The BIOS key table: codes by named key and column, the gaps where a key
// gives its character, and Alt with the main block's keys.
#include "platform/keys/bios_keys.h"

#include <gtest/gtest.h>

#include "platform/keys/key_queue.h"

namespace qb::bios {
namespace {

TEST(BiosKeys, NamedKeysGiveTheirCodeOrCharacterInEachColumn) {
  using enum Column;
  // Left with Shift, Ctrl and Alt as the BIOS gives it: Alt wins over Ctrl,
  // Ctrl over Shift, and Shift+Left is Left.
  const struct {
    bool shift, ctrl, alt;
    int code;
  } presses[] = {{false, false, false, 0x4BFF}, {true, false, false, 0x4BFF},
                 {true, true, false, 0x73FF},   {false, true, true, 0x9BFF},
                 {true, true, true, 0x9BFF}};
  for (const auto& p : presses)
    EXPECT_EQ(code(Key::kLeft, column_of(p.shift, p.ctrl, p.alt)), p.code) << p.code;
  // The codes the readers act on, as the BIOS numbers them.
  EXPECT_EQ(key::kF1, 0x3BFF);
  EXPECT_EQ(key::kAltF4, 0x6BFF);
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
