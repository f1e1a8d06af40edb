// The PC BIOS keyboard table: one row of scan codes a named key, in the
// columns alone, Shift, Ctrl and Alt (0 where the BIOS gives the key's
// character or nothing instead); the control characters that some keys
// type; and the main block's rows of keys, numbered from their first scan
// code, with the US legends that find a key by its character.
#include "platform/bios_keys.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "platform/key_queue.h"

namespace qb::bios {

namespace {

using enum Key;

// A key's value in each column, indexed by Column.
struct Row {
  Key key;
  std::array<std::uint8_t, 4> columns;
};

// The scan codes, indexed by Key.
constexpr auto kScanCodes = std::to_array<Row>({
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

// True when every key has its row, in the order of Key.
constexpr bool in_key_order() {
  std::size_t index = 0;
  for (const Row& row : kScanCodes) {
    if (static_cast<std::size_t>(row.key) != index++) return false;
  }
  return index == static_cast<std::size_t>(kCount);
}
static_assert(in_key_order(), "kScanCodes needs one row a key, in the order of Key");

// The scan code of `key` in `column`; 0 where the table has none.
constexpr std::uint8_t scan_code(Key key, Column column) {
  return kScanCodes[static_cast<std::size_t>(key)].columns[static_cast<std::size_t>(column)];
}

// True when the codes that key_queue.h names for the program's readers are the table's.
constexpr bool names_agree() {
  struct Named {
    int code;
    Key key;
    Column column;
  };
  constexpr auto kNamed = std::to_array<Named>({
      {key::kHome, kHome, Column::kNormal},
      {key::kUp, kUp, Column::kNormal},
      {key::kPageUp, kPageUp, Column::kNormal},
      {key::kLeft, kLeft, Column::kNormal},
      {key::kRight, kRight, Column::kNormal},
      {key::kEnd, kEnd, Column::kNormal},
      {key::kDown, kDown, Column::kNormal},
      {key::kPageDown, kPageDown, Column::kNormal},
      {key::kInsert, kInsert, Column::kNormal},
      {key::kDelete, kDelete, Column::kNormal},
      {key::kF1, kF1, Column::kNormal},
      {key::kAltF4, kF4, Column::kAlt},
  });
  return std::ranges::all_of(kNamed, [](const Named& named) {
    return key::extended(scan_code(named.key, named.column)) == named.code;
  });
}
static_assert(names_agree(), "key_queue.h's key codes must be the BIOS table's");

// The characters of the keys that type a control character (or the space)
// whatever the keyboard's layout; other keys are not in this table.
constexpr auto kCharacters = std::to_array<Row>({
    {kEsc, {27, 27, 27, 0}},
    {kEnter, {13, 13, 10, 0}},
    {kPadEnter, {13, 13, 10, 0}},
    {kBackspace, {8, 8, 127, 0}},
    {kTab, {9, 0, 0, 0}},
    {kSpace, {32, 32, 32, 0}},
});

// Alt with a digit row key is its scan code plus this: Alt+1 is 0x78, the 1
// key's scan code 0x02; the other rows' Alt codes are their scan codes.
constexpr std::uint8_t kAltDigitOffset = 0x76;

// A row of the main block: its first scan code, what Alt adds to a scan
// code, and the US legends of its keys alone and with Shift.
struct MainBlockRow {
  std::uint8_t first_scan;
  std::uint8_t alt_offset;
  std::string_view plain;
  std::string_view shifted;
};
constexpr auto kMainBlock = std::to_array<MainBlockRow>({
    {0x02, kAltDigitOffset, "1234567890-=", "!@#$%^&*()_+"},
    {0x10, 0, "qwertyuiop[]", "QWERTYUIOP{}"},
    {0x1E, 0, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
    {0x2B, 0, "\\zxcvbnm,./", "|ZXCVBNM<>?"},
});

}  // namespace

Column column_of(bool shift, bool ctrl, bool alt) {
  if (alt) return Column::kAlt;
  if (ctrl) return Column::kCtrl;
  return shift ? Column::kShift : Column::kNormal;
}

int code(Key key, Column column) {
  const std::uint8_t scan = scan_code(key, column);
  return scan != 0 ? key::extended(scan) : -1;
}

int character(Key key, Column column) {
  for (const Row& row : kCharacters) {
    if (row.key != key) continue;
    const std::uint8_t ch = row.columns[static_cast<std::size_t>(column)];
    return ch != 0 ? ch : -1;
  }
  return -1;
}

int us_scan_code(char c) {
  for (const MainBlockRow& row : kMainBlock) {
    std::size_t at = row.plain.find(c);
    if (at == std::string_view::npos) at = row.shifted.find(c);
    if (at != std::string_view::npos) return row.first_scan + static_cast<int>(at);
  }
  return 0;
}

int alt_code(int scan_code) {
  for (const MainBlockRow& row : kMainBlock) {
    const int last = row.first_scan + static_cast<int>(row.plain.size()) - 1;
    if (scan_code >= row.first_scan && scan_code <= last) {
      return key::extended(scan_code + row.alt_offset);
    }
  }
  return -1;
}

}  // namespace qb::bios
