// The console's key events mapped to the BIOS table's named keys, and the
// rules that pick a code: which modifier column applies, which keys are
// modifiers alone, how an Alt + keypad entry builds its character, and when
// the console's own character is taken instead of an extended code.
#include "platform/win32/console/keys.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/keys/bios_keys.h"
#include "platform/win32/oem.h"

namespace qb {

namespace {

using enum bios::Key;

// The named key of each virtual key that the BIOS table has, the same on
// every keyboard layout.
struct VirtualKey {
  WORD virtual_key;
  bios::Key key;
};
constexpr auto kVirtualKeys = std::to_array<VirtualKey>({
    {VK_F1, kF1},
    {VK_F2, kF2},
    {VK_F3, kF3},
    {VK_F4, kF4},
    {VK_F5, kF5},
    {VK_F6, kF6},
    {VK_F7, kF7},
    {VK_F8, kF8},
    {VK_F9, kF9},
    {VK_F10, kF10},
    {VK_F11, kF11},
    {VK_F12, kF12},
    {VK_HOME, kHome},
    {VK_UP, kUp},
    {VK_PRIOR, kPageUp},
    {VK_LEFT, kLeft},
    {VK_CLEAR, kCenter},
    {VK_RIGHT, kRight},
    {VK_END, kEnd},
    {VK_DOWN, kDown},
    {VK_NEXT, kPageDown},
    {VK_INSERT, kInsert},
    {VK_DELETE, kDelete},
    {VK_TAB, kTab},
    {VK_ESCAPE, kEsc},
    {VK_BACK, kBackspace},
    {VK_RETURN, kEnter},
    {VK_SPACE, kSpace},
    {'2', kDigit2},
    {VK_DIVIDE, kPadSlash},
    {VK_MULTIPLY, kPadStar},
    {VK_SUBTRACT, kPadMinus},
    {VK_ADD, kPadPlus},
    {VK_DECIMAL, kPadPeriod},
    {VK_NUMPAD0, kPad0},
    {VK_NUMPAD1, kPad1},
    {VK_NUMPAD2, kPad2},
    {VK_NUMPAD3, kPad3},
    {VK_NUMPAD4, kPad4},
    {VK_NUMPAD5, kPad5},
    {VK_NUMPAD6, kPad6},
    {VK_NUMPAD7, kPad7},
    {VK_NUMPAD8, kPad8},
    {VK_NUMPAD9, kPad9},
});

// Keys that only modify others and give nothing when pressed alone.
constexpr auto kModifierKeys = std::to_array<WORD>(
    {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU,
     VK_RMENU, VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_LWIN, VK_RWIN});

// The keypad's keys with Num Lock off, in the order of their digits 0 to 9.
constexpr auto kKeypadCursorKeys = std::to_array<WORD>(
    {VK_INSERT, VK_END, VK_DOWN, VK_NEXT, VK_LEFT, VK_CLEAR, VK_RIGHT, VK_HOME, VK_UP, VK_PRIOR});

bool is_modifier(WORD vk) {
  return std::ranges::find(kModifierKeys, vk) != kModifierKeys.end();
}

// The digit of a keypad key, whichever state Num Lock is in; -1 for others.
int keypad_digit(WORD vk, bool enhanced) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return vk - VK_NUMPAD0;
  if (enhanced) return -1;  // the grey cursor block is not the keypad
  const auto* found = std::ranges::find(kKeypadCursorKeys, vk);
  return found == kKeypadCursorKeys.end() ? -1
                                          : static_cast<int>(found - kKeypadCursorKeys.begin());
}

// The named key of a virtual key; the keypad's Enter is Return with the
// enhanced flag.
std::optional<bios::Key> named_key(WORD vk, bool enhanced) {
  if (vk == VK_RETURN && enhanced) return kPadEnter;
  for (const VirtualKey& key : kVirtualKeys) {
    if (key.virtual_key == vk) return key.key;
  }
  return std::nullopt;
}

// A key press (not a modifier, not part of an Alt + keypad entry) as a key:
// the table's code for its named key, else Alt's code for its place in the
// main block, else its character.
Keystroke translate_press(const KEY_EVENT_RECORD& event, const Keystroke& typed,
                          bios::Column column, bool enhanced) {
  const std::optional<bios::Key> key = named_key(event.wVirtualKeyCode, enhanced);
  const int code = key ? bios::code(*key, column) : -1;
  if (code >= 0) return code;
  const bool alt = column == bios::Column::kAlt;
  if (alt && !enhanced) {
    const int main_block = bios::alt_code(event.wVirtualScanCode);
    if (main_block >= 0) return main_block;
  }
  if (!typed.empty() || alt) return typed;
  const int character = key ? bios::character(*key, column) : -1;
  return character >= 0 ? Keystroke(character) : Keystroke();
}

}  // namespace

std::optional<char32_t> typed_code_point(const KEY_EVENT_RECORD& event, SurrogateHalf& half) {
  if (event.bKeyDown == FALSE) return 0;
  const wchar_t unit = event.uChar.UnicodeChar;
  if (unit == 0 && is_modifier(event.wVirtualKeyCode)) return 0;
  const bool high = is_high_surrogate(unit);
  const bool low = is_low_surrogate(unit);
  const wchar_t held = std::exchange(half.high, high ? unit : L'\0');
  if (high || (low && held == 0)) return std::nullopt;
  return low ? joined_surrogates(held, unit) : unit;
}

Keystroke translate_key_event(const KEY_EVENT_RECORD& event, const Keystroke& typed,
                              AltKeypadEntry& entry) {
  const DWORD state = event.dwControlKeyState;
  const bool alt = (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
  const bool ctrl = (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
  const bool shift = (state & SHIFT_PRESSED) != 0;
  const bool enhanced = (state & ENHANCED_KEY) != 0;
  const WORD vk = event.wVirtualKeyCode;

  if (event.bKeyDown == FALSE) {
    if (vk != VK_MENU || !entry.active) return {};
    const int code = entry.value;
    entry = AltKeypadEntry{};
    return code;
  }
  if (is_modifier(vk)) return {};
  const int digit = keypad_digit(vk, enhanced);
  if (alt && !ctrl && !shift && digit >= 0) {
    entry.active = true;
    entry.value = (entry.value * 10 + digit) % 256;
    return {};
  }
  entry = AltKeypadEntry{};
  // Ctrl with Alt is AltGr on many layouts: its character comes first.
  if (alt && ctrl && !typed.empty()) return typed;
  return translate_press(event, typed, bios::column_of(shift, ctrl, alt && !ctrl), enhanced);
}

}  // namespace qb
