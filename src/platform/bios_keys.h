// The PC BIOS keyboard as data, for every system alike: the keys it gives
// extended codes for, by name, with their scan codes alone and with Shift,
// Ctrl and Alt; the characters of the keys that type a control character;
// and the keys of the main block, whose place on the keyboard gives the
// code of Alt with them. Each system's side only maps its own input
// (terminal sequences, virtual keys) to a named key and a modifier column.
#ifndef QB_PLATFORM_BIOS_KEYS_H
#define QB_PLATFORM_BIOS_KEYS_H

#include <cstdint>

namespace qb::bios {

// The keys of the table by name. The keypad's keys are named apart from the
// cursor block's and the main block's, since the BIOS tells them apart.
enum class Key : std::uint8_t {
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kF9,
  kF10,
  kF11,
  kF12,
  kHome,
  kUp,
  kPageUp,
  kLeft,
  kCenter,  // the keypad's 5 with Num Lock off
  kRight,
  kEnd,
  kDown,
  kPageDown,
  kInsert,
  kDelete,
  kTab,
  kEnter,
  kBackspace,
  kEsc,
  kSpace,
  kDigit2,  // the main block's 2: Ctrl+2 is the BIOS's NUL key
  kPadEnter,
  kPadSlash,
  kPadStar,
  kPadMinus,
  kPadPlus,
  kPadPeriod,
  kPadSeparator,  // the comma of a VT220 keypad, which the PC keypad lacks
  kPad0,
  kPad1,
  kPad2,
  kPad3,
  kPad4,
  kPad5,
  kPad6,
  kPad7,
  kPad8,
  kPad9,
  kCount,
};

// The table's modifier columns; a key press reads exactly one.
enum class Column : std::uint8_t { kNormal, kShift, kCtrl, kAlt };

// The column of a press with these modifiers: Alt wins over Ctrl, Ctrl over Shift.
Column column_of(bool shift, bool ctrl, bool alt);

// The code (255 + 256 x scan code) of `key` in `column`; -1 where the BIOS
// gives none (the key gives its character there, or nothing).
int code(Key key, Column column);

// The character the BIOS gives for `key` in `column`; -1 when none.
int character(Key key, Column column);

// The scan code of the main block's key that types `c` on a US keyboard,
// alone or with Shift; 0 when no key does.
int us_scan_code(char c);

// The code of Alt with the main block's key at `scan_code`; -1 when that
// is no key of the main block.
int alt_code(int scan_code);

}  // namespace qb::bios

#endif  // QB_PLATFORM_BIOS_KEYS_H
