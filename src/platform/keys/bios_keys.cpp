// The main block's rows of keys, numbered from their first scan code, with
// the US legends that find a key by its character; the named keys' table
// stands in the header, where the key codes are computed from it.
#include "platform/keys/bios_keys.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace qb::bios {

namespace {

using enum Key;

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
      return extended(scan_code + row.alt_offset);
    }
  }
  return -1;
}

}  // namespace qb::bios
