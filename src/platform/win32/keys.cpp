// The PC BIOS keyboard table as data, and the rules that pick a code from
// it: which modifier column applies, which keys are modifiers alone, how an
// Alt + keypad entry builds its character, and when the console's own
// character is taken instead of an extended code.
#include "platform/win32/keys.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/key_queue.h"

namespace qb {

namespace {

// The BIOS scan codes of one key in its four columns; 0 means that the
// column gives the key's character (or nothing) rather than an extended code.
struct BiosKey {
  WORD virtual_key;
  std::uint8_t normal;
  std::uint8_t shift;
  std::uint8_t ctrl;
  std::uint8_t alt;
};

// Keys found by virtual-key code, the same on every keyboard layout.
constexpr BiosKey kBiosKeys[] = {
    {VK_F1, 0x3B, 0x54, 0x5E, 0x68},       {VK_F2, 0x3C, 0x55, 0x5F, 0x69},
    {VK_F3, 0x3D, 0x56, 0x60, 0x6A},       {VK_F4, 0x3E, 0x57, 0x61, 0x6B},
    {VK_F5, 0x3F, 0x58, 0x62, 0x6C},       {VK_F6, 0x40, 0x59, 0x63, 0x6D},
    {VK_F7, 0x41, 0x5A, 0x64, 0x6E},       {VK_F8, 0x42, 0x5B, 0x65, 0x6F},
    {VK_F9, 0x43, 0x5C, 0x66, 0x70},       {VK_F10, 0x44, 0x5D, 0x67, 0x71},
    {VK_F11, 0x85, 0x87, 0x89, 0x8B},      {VK_F12, 0x86, 0x88, 0x8A, 0x8C},
    {VK_HOME, 0x47, 0x47, 0x77, 0x97},     {VK_UP, 0x48, 0x48, 0x8D, 0x98},
    {VK_PRIOR, 0x49, 0x49, 0x84, 0x99},    {VK_LEFT, 0x4B, 0x4B, 0x73, 0x9B},
    {VK_CLEAR, 0x4C, 0x4C, 0x8F, 0x00},    {VK_RIGHT, 0x4D, 0x4D, 0x74, 0x9D},
    {VK_END, 0x4F, 0x4F, 0x75, 0x9F},      {VK_DOWN, 0x50, 0x50, 0x91, 0xA0},
    {VK_NEXT, 0x51, 0x51, 0x76, 0xA1},     {VK_INSERT, 0x52, 0x52, 0x92, 0xA2},
    {VK_DELETE, 0x53, 0x53, 0x93, 0xA3},   {VK_TAB, 0x00, 0x0F, 0x94, 0xA5},
    {VK_ESCAPE, 0x00, 0x00, 0x00, 0x01},   {VK_BACK, 0x00, 0x00, 0x00, 0x0E},
    {VK_RETURN, 0x00, 0x00, 0x00, 0x1C},   {VK_DIVIDE, 0x00, 0x00, 0x95, 0xA4},
    {VK_MULTIPLY, 0x00, 0x00, 0x96, 0x37}, {VK_SUBTRACT, 0x00, 0x00, 0x8E, 0x4A},
    {VK_ADD, 0x00, 0x00, 0x90, 0x4E},      {VK_NUMPAD7, 0x00, 0x00, 0x77, 0x00},
    {VK_NUMPAD8, 0x00, 0x00, 0x8D, 0x00},  {VK_NUMPAD9, 0x00, 0x00, 0x84, 0x00},
    {VK_NUMPAD4, 0x00, 0x00, 0x73, 0x00},  {VK_NUMPAD5, 0x00, 0x00, 0x8F, 0x00},
    {VK_NUMPAD6, 0x00, 0x00, 0x74, 0x00},  {VK_NUMPAD1, 0x00, 0x00, 0x75, 0x00},
    {VK_NUMPAD2, 0x00, 0x00, 0x91, 0x00},  {VK_NUMPAD3, 0x00, 0x00, 0x76, 0x00},
    {VK_NUMPAD0, 0x00, 0x00, 0x92, 0x00},  {VK_DECIMAL, 0x00, 0x00, 0x93, 0x00},
    {'2', 0x00, 0x00, 0x03, 0x00},  // Ctrl+2 is the BIOS's NUL key
};

constexpr std::uint8_t kAltKeypadEnter = 0xA6;

// The characters the BIOS gives for keys that every console should deliver
// with a character, in the normal, Shift and Ctrl columns (0: none); used
// only when the console delivers none (wine's console gives Esc without).
struct BiosCharacter {
  WORD virtual_key;
  std::uint8_t normal;
  std::uint8_t shift;
  std::uint8_t ctrl;
};
constexpr BiosCharacter kBiosCharacters[] = {
    {VK_ESCAPE, 27, 27, 27}, {VK_RETURN, 13, 13, 10}, {VK_BACK, 8, 8, 127},
    {VK_TAB, 9, 0, 0},       {VK_SPACE, 32, 32, 32},
};

// Keys that only modify others and give nothing when pressed alone.
constexpr WORD kModifierKeys[] = {VK_SHIFT,    VK_CONTROL,  VK_MENU,  VK_LSHIFT, VK_RSHIFT,
                                  VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU,  VK_CAPITAL,
                                  VK_NUMLOCK,  VK_SCROLL,   VK_LWIN,  VK_RWIN};

// The keypad's keys with Num Lock off, in the order of their digits 0 to 9.
constexpr WORD kKeypadCursorKeys[] = {VK_INSERT, VK_END,   VK_DOWN, VK_NEXT, VK_LEFT,
                                      VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR};

bool is_modifier(WORD vk) {
  return std::find(std::begin(kModifierKeys), std::end(kModifierKeys), vk) !=
         std::end(kModifierKeys);
}

// The digit of a keypad key, whichever state Num Lock is in; -1 for others.
int keypad_digit(WORD vk, bool enhanced) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return vk - VK_NUMPAD0;
  if (enhanced) return -1;  // the grey cursor block is not the keypad
  const auto* found = std::find(std::begin(kKeypadCursorKeys), std::end(kKeypadCursorKeys), vk);
  return found == std::end(kKeypadCursorKeys)
             ? -1
             : static_cast<int>(found - std::begin(kKeypadCursorKeys));
}

// The BIOS code of Alt with a key of the main block, found by its scan code
// (the key's place on the keyboard, as the BIOS knows it); 0 when none.
std::uint8_t alt_code_by_scan(WORD scan) {
  if (scan >= 0x02 && scan <= 0x0D) return static_cast<std::uint8_t>(scan + 0x76);  // 1..0 - =
  const bool letters_and_marks = (scan >= 0x10 && scan <= 0x1B) || (scan >= 0x1E && scan <= 0x29) ||
                                 scan == 0x2B || (scan >= 0x2C && scan <= 0x35);
  return letters_and_marks ? static_cast<std::uint8_t>(scan) : 0;
}

const BiosKey* find_bios_key(WORD vk) {
  for (const BiosKey& key : kBiosKeys) {
    if (key.virtual_key == vk) return &key;
  }
  return nullptr;
}

enum class Column { kNormal, kShift, kCtrl, kAlt };

// The BIOS character of a key in a column (not Alt); -1 when it has none.
int bios_character(WORD vk, Column column) {
  for (const BiosCharacter& key : kBiosCharacters) {
    if (key.virtual_key != vk) continue;
    const std::uint8_t ch = column == Column::kCtrl    ? key.ctrl
                            : column == Column::kShift ? key.shift
                                                       : key.normal;
    return ch != 0 ? ch : -1;
  }
  return -1;
}

// The extended scan code of a key in a column, 0 when the column has none.
std::uint8_t bios_code(const BiosKey& key, Column column, bool enhanced) {
  switch (column) {
    case Column::kNormal:
      return key.normal;
    case Column::kShift:
      return key.shift;
    case Column::kCtrl:
      return key.ctrl;
    case Column::kAlt:
      if (key.virtual_key == VK_RETURN && enhanced) return kAltKeypadEnter;
      return key.alt;
  }
  return 0;
}

// A key press (not a modifier, not part of an Alt + keypad entry) as a code.
int translate_press(const KEY_EVENT_RECORD& event, int byte, Column column, bool enhanced) {
  if (const BiosKey* key = find_bios_key(event.wVirtualKeyCode)) {
    if (const std::uint8_t scan = bios_code(*key, column, enhanced)) return key::extended(scan);
  }
  if (column == Column::kAlt && !enhanced) {
    if (const std::uint8_t scan = alt_code_by_scan(event.wVirtualScanCode)) {
      return key::extended(scan);
    }
  }
  if (byte >= 0 || column == Column::kAlt) return byte;
  return bios_character(event.wVirtualKeyCode, column);
}

}  // namespace

int translate_key_event(const KEY_EVENT_RECORD& event, int byte, AltKeypadEntry& entry) {
  const DWORD state = event.dwControlKeyState;
  const bool alt = (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
  const bool ctrl = (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
  const bool shift = (state & SHIFT_PRESSED) != 0;
  const bool enhanced = (state & ENHANCED_KEY) != 0;
  const WORD vk = event.wVirtualKeyCode;

  if (!event.bKeyDown) {
    if (vk != VK_MENU || !entry.active) return -1;
    const int code = entry.value;
    entry = AltKeypadEntry{};
    return code;
  }
  if (is_modifier(vk)) return -1;
  const int digit = keypad_digit(vk, enhanced);
  if (alt && !ctrl && !shift && digit >= 0) {
    entry.active = true;
    entry.value = (entry.value * 10 + digit) % 256;
    return -1;
  }
  entry = AltKeypadEntry{};
  // Ctrl with Alt is AltGr on many layouts: its character comes first.
  if (alt && ctrl && byte >= 0) return byte;
  const Column column = (alt && !ctrl) ? Column::kAlt
                        : ctrl         ? Column::kCtrl
                        : shift        ? Column::kShift
                                       : Column::kNormal;
  return translate_press(event, byte, column, enhanced);
}

}  // namespace qb
