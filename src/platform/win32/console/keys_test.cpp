// Key events of the Windows console against the codes the program expects.
#include "platform/win32/console/keys.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "platform/keys/bios_keys.h"
#include "platform/keys/key_queue.h"

namespace qb {
namespace {

constexpr DWORD kAlt = LEFT_ALT_PRESSED;
constexpr DWORD kCtrl = LEFT_CTRL_PRESSED;
constexpr DWORD kShift = SHIFT_PRESSED;
constexpr DWORD kGrey = ENHANCED_KEY;

KEY_EVENT_RECORD press(WORD vk, WORD scan, wchar_t ch = 0, DWORD state = 0, bool down = true) {
  KEY_EVENT_RECORD event{};
  event.bKeyDown = down ? TRUE : FALSE;
  event.wRepeatCount = 1;
  event.wVirtualKeyCode = vk;
  event.wVirtualScanCode = scan;
  event.uChar.UnicodeChar = ch;
  event.dwControlKeyState = state;
  return event;
}

// The character of an event as its own byte, or none.
Keystroke typed_of(const KEY_EVENT_RECORD& event) {
  return event.uChar.UnicodeChar == 0 ? Keystroke() : Keystroke(event.uChar.UnicodeChar);
}

// Translates one event with a fresh Alt entry; -1 for none.
int code_of(const KEY_EVENT_RECORD& event) {
  AltKeypadEntry entry;
  const Keystroke key = translate_key_event(event, typed_of(event), entry);
  return key.empty() ? -1 : key.code();
}

TEST(Win32Keys, CharactersComeAsTheConsoleDeliversThem) {
  EXPECT_EQ(code_of(press('A', 0x1E, L'a')), 'a');
  EXPECT_EQ(code_of(press('A', 0x1E, L'A', kShift)), 'A');
  EXPECT_EQ(code_of(press('A', 0x1E, 1, kCtrl)), 1);
  EXPECT_EQ(code_of(press(VK_RETURN, 0x1C, L'\r')), 13);
  EXPECT_EQ(code_of(press(VK_RETURN, 0x1C, L'\r', kGrey)), 13);
  EXPECT_EQ(code_of(press(VK_BACK, 0x0E, 8)), 8);
  EXPECT_EQ(code_of(press(VK_TAB, 0x0F, L'\t')), 9);
  EXPECT_EQ(code_of(press(VK_ESCAPE, 0x01, 27)), 27);
  EXPECT_EQ(code_of(press(VK_NUMPAD7, 0x47, L'7', NUMLOCK_ON)), '7');
  // AltGr is Ctrl with right Alt: its character wins over any Alt code.
  EXPECT_EQ(code_of(press('Q', 0x10, L'@', RIGHT_ALT_PRESSED | kCtrl)), '@');
  EXPECT_EQ(code_of(press(VK_SPACE, 0x39, L' ', kAlt)), ' ');
  // Keys that a console may deliver without their character give the BIOS's.
  EXPECT_EQ(code_of(press(VK_ESCAPE, 0x01)), 27);
  EXPECT_EQ(code_of(press(VK_RETURN, 0x1C)), 13);
  EXPECT_EQ(code_of(press(VK_RETURN, 0x1C, 0, kCtrl)), 10);
  EXPECT_EQ(code_of(press(VK_BACK, 0x0E, 0, kCtrl)), 127);
}

TEST(Win32Keys, ExtendedKeysGiveTheBiosScanCodeOnEitherBlock) {
  EXPECT_EQ(code_of(press(VK_LEFT, 0x4B, 0, kGrey)), key::kLeft);
  EXPECT_EQ(code_of(press(VK_LEFT, 0x4B)), key::kLeft);  // keypad 4, Num Lock off
  EXPECT_EQ(code_of(press(VK_RIGHT, 0x4D, 0, kGrey)), key::kRight);
  EXPECT_EQ(code_of(press(VK_UP, 0x48, 0, kGrey)), key::kUp);
  EXPECT_EQ(code_of(press(VK_DOWN, 0x50, 0, kGrey)), key::kDown);
  EXPECT_EQ(code_of(press(VK_HOME, 0x47)), key::kHome);
  EXPECT_EQ(code_of(press(VK_END, 0x4F, 0, kGrey)), key::kEnd);
  EXPECT_EQ(code_of(press(VK_PRIOR, 0x49, 0, kGrey)), key::kPageUp);
  EXPECT_EQ(code_of(press(VK_NEXT, 0x51)), key::kPageDown);
  EXPECT_EQ(code_of(press(VK_INSERT, 0x52, 0, kGrey)), key::kInsert);
  EXPECT_EQ(code_of(press(VK_DELETE, 0x53, 0, kGrey)), key::kDelete);
  EXPECT_EQ(code_of(press(VK_DELETE, 0x53)), key::kDelete);
  EXPECT_EQ(code_of(press(VK_F1, 0x3B)), key::kF1);
  EXPECT_EQ(code_of(press(VK_F10, 0x44)), key::extended(0x44));
  EXPECT_EQ(code_of(press(VK_F12, 0x58)), key::extended(0x86));
}

TEST(Win32Keys, ShiftCtrlAndAltVariantsFollowTheBiosTable) {
  EXPECT_EQ(code_of(press(VK_F1, 0x3B, 0, kShift)), key::extended(0x54));
  EXPECT_EQ(code_of(press(VK_F1, 0x3B, 0, kCtrl)), key::extended(0x5E));
  EXPECT_EQ(code_of(press(VK_F4, 0x3E, 0, kAlt)), key::kAltF4);
  EXPECT_EQ(code_of(press(VK_F11, 0x57, 0, kAlt)), key::extended(0x8B));
  EXPECT_EQ(code_of(press(VK_LEFT, 0x4B, 0, kGrey | kShift)), key::kLeft);
  EXPECT_EQ(code_of(press(VK_LEFT, 0x4B, 0, kGrey | kCtrl)), key::extended(0x73));
  EXPECT_EQ(code_of(press(VK_HOME, 0x47, 0, kGrey | kCtrl)), key::extended(0x77));
  EXPECT_EQ(code_of(press(VK_UP, 0x48, 0, kGrey | kAlt)), key::extended(0x98));
  EXPECT_EQ(code_of(press(VK_DELETE, 0x53, 0, kGrey | kAlt)), key::extended(0xA3));
  EXPECT_EQ(code_of(press(VK_TAB, 0x0F, L'\t', kShift)), key::extended(0x0F));
  EXPECT_EQ(code_of(press(VK_TAB, 0x0F, 0, kCtrl)), key::extended(0x94));
  EXPECT_EQ(code_of(press('2', 0x03, 0, kCtrl)), key::extended(0x03));
  EXPECT_EQ(code_of(press(VK_RETURN, 0x1C, L'\r', kAlt)), key::extended(0x1C));
  EXPECT_EQ(code_of(press(VK_RETURN, 0x1C, L'\r', kAlt | kGrey)), key::extended(0xA6));
  EXPECT_EQ(code_of(press(VK_DIVIDE, 0x35, L'/', kAlt | kGrey)), key::extended(0xA4));
}

TEST(Win32Keys, AltWithLettersDigitsAndMarksGivesTheKeysPlace) {
  EXPECT_EQ(code_of(press('A', 0x1E, L'a', kAlt)), key::extended(0x1E));
  EXPECT_EQ(code_of(press('X', 0x2D, L'x', RIGHT_ALT_PRESSED)), key::extended(0x2D));
  EXPECT_EQ(code_of(press('Q', 0x10, 0, kAlt | kShift)), key::extended(0x10));
  EXPECT_EQ(code_of(press('1', 0x02, L'1', kAlt)), key::extended(0x78));
  EXPECT_EQ(code_of(press('0', 0x0B, L'0', kAlt)), key::extended(0x81));
  EXPECT_EQ(code_of(press(VK_OEM_PLUS, 0x0D, L'=', kAlt)), key::extended(0x83));
  EXPECT_EQ(code_of(press(VK_OEM_2, 0x35, L'/', kAlt)), key::extended(0x35));
  EXPECT_EQ(code_of(press(VK_ESCAPE, 0x01, 27, kAlt)), key::extended(0x01));
  EXPECT_EQ(code_of(press(VK_BACK, 0x0E, 8, kAlt)), key::extended(0x0E));
}

TEST(Win32Keys, ModifiersAloneReleasesAndCharlessKeysGiveNothing) {
  for (const WORD vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_CAPITAL, VK_NUMLOCK, VK_LWIN}) {
    EXPECT_EQ(code_of(press(vk, 0x2A, 0, kShift | kCtrl | kAlt)), -1) << vk;
  }
  EXPECT_EQ(code_of(press('A', 0x1E, L'a', 0, false)), -1);
  EXPECT_EQ(code_of(press(VK_LEFT, 0x4B, 0, kGrey, false)), -1);
  EXPECT_EQ(code_of(press(VK_MENU, 0x38, 0, 0, false)), -1);
  EXPECT_EQ(code_of(press(VK_F13, 0x64)), -1);
  // A character that the console's code page lacks arrives as none.
  AltKeypadEntry entry;
  EXPECT_TRUE(
      translate_key_event(press('E', 0x12, 0x20AC, RIGHT_ALT_PRESSED | kCtrl), {}, entry).empty());
}

// Feeds a sequence of events through one entry; returns the codes given.
std::vector<int> codes_of(std::initializer_list<KEY_EVENT_RECORD> events) {
  AltKeypadEntry entry;
  std::vector<int> codes;
  for (const KEY_EVENT_RECORD& event : events) {
    const Keystroke key = translate_key_event(event, typed_of(event), entry);
    if (!key.empty()) codes.push_back(key.code());
  }
  return codes;
}

TEST(Win32Keys, AltKeypadDigitsGiveTheirCharacterWhenAltIsReleased) {
  const KEY_EVENT_RECORD alt_down = press(VK_MENU, 0x38, 0, kAlt);
  const KEY_EVENT_RECORD alt_up = press(VK_MENU, 0x38, 0, 0, false);
  // Num Lock off: the keypad reports its cursor keys.
  EXPECT_EQ(codes_of({alt_down, press(VK_END, 0x4F, 0, kAlt), press(VK_NEXT, 0x51, 0, kAlt),
                      press(VK_INSERT, 0x52, 0, kAlt), alt_up}),
            std::vector<int>{130});
  // Num Lock on, the console's own character on the release ignored.
  KEY_EVENT_RECORD up_with_char = alt_up;
  up_with_char.uChar.UnicodeChar = L'A';
  EXPECT_EQ(codes_of({alt_down, press(VK_NUMPAD6, 0x4D, 0, kAlt | NUMLOCK_ON),
                      press(VK_NUMPAD5, 0x4C, 0, kAlt | NUMLOCK_ON), up_with_char}),
            std::vector<int>{65});
  // Codes past 255 wrap, as the keyboard's byte does.
  EXPECT_EQ(codes_of({alt_down, press(VK_NUMPAD3, 0x51, 0, kAlt), press(VK_NUMPAD0, 0x52, 0, kAlt),
                      press(VK_NUMPAD0, 0x52, 0, kAlt), alt_up}),
            std::vector<int>{300 % 256});
  // The grey cursor keys are not the keypad; another key ends the entry.
  EXPECT_EQ(codes_of({alt_down, press(VK_HOME, 0x47, 0, kAlt | kGrey), alt_up}),
            std::vector<int>{key::extended(0x97)});
  EXPECT_EQ(
      codes_of({alt_down, press(VK_NUMPAD1, 0x4F, 0, kAlt), press('A', 0x1E, L'a', kAlt), alt_up}),
      std::vector<int>{key::extended(0x1E)});
  // Alt pressed and released alone gives nothing.
  EXPECT_EQ(codes_of({alt_down, alt_up}), std::vector<int>{});
}

}  // namespace
}  // namespace qb
