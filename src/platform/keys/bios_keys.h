// The PC BIOS keyboard as data, for every system alike: the keys it gives
// extended codes for, by name, with their scan codes alone and with Shift,
// Ctrl and Alt; the characters of the keys that type a control character;
// and the keys of the main block, whose place on the keyboard gives the
// code of Alt with them; and the key codes the program's readers act on,
// computed from the table. Each system's side only maps its own input
// (terminal sequences, virtual keys) to a named key and a modifier column.
#ifndef QB_PLATFORM_KEYS_BIOS_KEYS_H
#define QB_PLATFORM_KEYS_BIOS_KEYS_H

#include <array>
#include <cstddef>
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

// The code of an extended key (255 + 256 x its scan code).
constexpr int extended(int scan_code) {
  return 255 + 256 * scan_code;
}

// A key's value in each column, indexed by Column.
struct Row {
  Key key;
  std::array<std::uint8_t, 4> columns;
};

// The scan codes, indexed by Key: one row a named key, in the columns
// alone, Shift, Ctrl and Alt (0 where the BIOS gives the key's character
// or nothing instead).
inline constexpr auto kScanCodes = [] {
  using enum Key;
  return std::to_array<Row>({
      {kF1, {0x3B, 0x54, 0x5E, 0x68}},        {kF2, {0x3C, 0x55, 0x5F, 0x69}},
      {kF3, {0x3D, 0x56, 0x60, 0x6A}},        {kF4, {0x3E, 0x57, 0x61, 0x6B}},
      {kF5, {0x3F, 0x58, 0x62, 0x6C}},        {kF6, {0x40, 0x59, 0x63, 0x6D}},
      {kF7, {0x41, 0x5A, 0x64, 0x6E}},        {kF8, {0x42, 0x5B, 0x65, 0x6F}},
      {kF9, {0x43, 0x5C, 0x66, 0x70}},        {kF10, {0x44, 0x5D, 0x67, 0x71}},
      {kF11, {0x85, 0x87, 0x89, 0x8B}},       {kF12, {0x86, 0x88, 0x8A, 0x8C}},
      {kHome, {0x47, 0x47, 0x77, 0x97}},      {kUp, {0x48, 0x48, 0x8D, 0x98}},
      {kPageUp, {0x49, 0x49, 0x84, 0x99}},    {kLeft, {0x4B, 0x4B, 0x73, 0x9B}},
      {kCenter, {0x4C, 0x4C, 0x8F, 0x00}},    {kRight, {0x4D, 0x4D, 0x74, 0x9D}},
      {kEnd, {0x4F, 0x4F, 0x75, 0x9F}},       {kDown, {0x50, 0x50, 0x91, 0xA0}},
      {kPageDown, {0x51, 0x51, 0x76, 0xA1}},  {kInsert, {0x52, 0x52, 0x92, 0xA2}},
      {kDelete, {0x53, 0x53, 0x93, 0xA3}},    {kTab, {0x00, 0x0F, 0x94, 0xA5}},
      {kEnter, {0x00, 0x00, 0x00, 0x1C}},     {kBackspace, {0x00, 0x00, 0x00, 0x0E}},
      {kEsc, {0x00, 0x00, 0x00, 0x01}},       {kSpace, {0x00, 0x00, 0x00, 0x00}},
      {kDigit2, {0x00, 0x00, 0x03, 0x00}},    {kPadEnter, {0x00, 0x00, 0x00, 0xA6}},
      {kPadSlash, {0x00, 0x00, 0x95, 0xA4}},  {kPadStar, {0x00, 0x00, 0x96, 0x37}},
      {kPadMinus, {0x00, 0x00, 0x8E, 0x4A}},  {kPadPlus, {0x00, 0x00, 0x90, 0x4E}},
      {kPadPeriod, {0x00, 0x00, 0x93, 0x00}}, {kPadSeparator, {0x00, 0x00, 0x00, 0x00}},
      {kPad0, {0x00, 0x00, 0x92, 0x00}},      {kPad1, {0x00, 0x00, 0x75, 0x00}},
      {kPad2, {0x00, 0x00, 0x91, 0x00}},      {kPad3, {0x00, 0x00, 0x76, 0x00}},
      {kPad4, {0x00, 0x00, 0x73, 0x00}},      {kPad5, {0x00, 0x00, 0x8F, 0x00}},
      {kPad6, {0x00, 0x00, 0x74, 0x00}},      {kPad7, {0x00, 0x00, 0x77, 0x00}},
      {kPad8, {0x00, 0x00, 0x8D, 0x00}},      {kPad9, {0x00, 0x00, 0x84, 0x00}},
  });
}();

// True when every key has its row, in the order of Key.
constexpr bool in_key_order() {
  std::size_t index = 0;
  for (const Row& row : kScanCodes) {
    if (static_cast<std::size_t>(row.key) != index++) return false;
  }
  return index == static_cast<std::size_t>(Key::kCount);
}
static_assert(in_key_order(), "kScanCodes needs one row a key, in the order of Key");

// The characters of the keys that type a control character (or the space)
// whatever the keyboard's layout; other keys are not in this table.
inline constexpr auto kCharacters = [] {
  using enum Key;
  return std::to_array<Row>({
      {kEsc, {27, 27, 27, 0}},
      {kEnter, {13, 13, 10, 0}},
      {kPadEnter, {13, 13, 10, 0}},
      {kBackspace, {8, 8, 127, 0}},
      {kTab, {9, 0, 0, 0}},
      {kSpace, {32, 32, 32, 0}},
  });
}();

// The code (255 + 256 x scan code) of `key` in `column`; -1 where the BIOS
// gives none (the key gives its character there, or nothing).
constexpr int code(Key key, Column column) {
  const std::uint8_t scan =
      kScanCodes[static_cast<std::size_t>(key)].columns[static_cast<std::size_t>(column)];
  return scan != 0 ? extended(scan) : -1;
}

// The character the BIOS gives for `key` in `column`; -1 when none.
constexpr int character(Key key, Column column) {
  for (const Row& row : kCharacters) {
    if (row.key != key) continue;
    const std::uint8_t ch = row.columns[static_cast<std::size_t>(column)];
    return ch != 0 ? ch : -1;
  }
  return -1;
}

// The scan code of the main block's key that types `c` on a US keyboard,
// alone or with Shift; 0 when no key does.
int us_scan_code(char c);

// The code of Alt with the main block's key at `scan_code`; -1 when that
// is no key of the main block.
int alt_code(int scan_code);

}  // namespace qb::bios

// The key codes the program's readers act on, by name, from the table.
namespace qb::key {
// Keys that give a control character as their code.
inline constexpr int kBackspace = bios::character(bios::Key::kBackspace, bios::Column::kNormal);
inline constexpr int kTab = bios::character(bios::Key::kTab, bios::Column::kNormal);
inline constexpr int kLineFeed = bios::character(bios::Key::kEnter, bios::Column::kCtrl);
inline constexpr int kEnter = bios::character(bios::Key::kEnter, bios::Column::kNormal);
inline constexpr int kEscape = bios::character(bios::Key::kEsc, bios::Column::kNormal);
// Extended keys.
inline constexpr int kHome = bios::code(bios::Key::kHome, bios::Column::kNormal);
inline constexpr int kUp = bios::code(bios::Key::kUp, bios::Column::kNormal);
inline constexpr int kPageUp = bios::code(bios::Key::kPageUp, bios::Column::kNormal);
inline constexpr int kLeft = bios::code(bios::Key::kLeft, bios::Column::kNormal);
inline constexpr int kRight = bios::code(bios::Key::kRight, bios::Column::kNormal);
inline constexpr int kEnd = bios::code(bios::Key::kEnd, bios::Column::kNormal);
inline constexpr int kDown = bios::code(bios::Key::kDown, bios::Column::kNormal);
inline constexpr int kPageDown = bios::code(bios::Key::kPageDown, bios::Column::kNormal);
inline constexpr int kInsert = bios::code(bios::Key::kInsert, bios::Column::kNormal);
inline constexpr int kDelete = bios::code(bios::Key::kDelete, bios::Column::kNormal);
inline constexpr int kF1 = bios::code(bios::Key::kF1, bios::Column::kNormal);
inline constexpr int kAltF4 = bios::code(bios::Key::kF4, bios::Column::kAlt);
// Alt with a key that the PC BIOS table has no code for (Alt+Space, Alt
// with a character beyond ASCII): a code that no reader acts on.
inline constexpr int kAltOther = 0xFFFF;
using bios::extended;
// True for a code that reading a key may give: a character 0 to 255, or an
// extended code with a scan code 1 to 255.
constexpr bool valid(int code) {
  return (code >= 0 && code <= 255) ||
         (code > 255 && (code & 0xFF) == 0xFF && code <= extended(0xFF));
}
}  // namespace qb::key

#endif  // QB_PLATFORM_KEYS_BIOS_KEYS_H
