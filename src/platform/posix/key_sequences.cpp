// The escape sequences of xterm, VT220, rxvt and the Linux console, and the
// keys of the main block, as tables: a sequence is looked up by its
// introducer, first number and final byte; the xterm modifier parameter,
// the rxvt suffixes and an Esc in front add Shift, Ctrl or Alt, and the
// key's row of the PC BIOS table gives the code for that combination. Alt
// with a key that sends one byte is found by that key's place on the (US)
// keyboard, as the BIOS numbers it.
#include "platform/posix/key_sequences.h"

#include "platform/key_queue.h"

namespace qb {

namespace {

constexpr int kEsc = 27;

// The keys that escape sequences name.
enum KeyName : std::uint8_t {
  kUp,
  kDown,
  kRight,
  kLeft,
  kHome,
  kEnd,
  kInsert,
  kDelete,
  kPageUp,
  kPageDown,
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
  kBackTab,
};

// A key's PC BIOS scan codes: alone (or with Shift where the BIOS does not
// tell them apart), with Shift, with Ctrl and with Alt.
struct BiosKey {
  std::uint8_t normal, shift, ctrl, alt;
};

// Indexed by KeyName.
constexpr BiosKey kBiosKeys[] = {
    {0x48, 0x48, 0x8D, 0x98}, {0x50, 0x50, 0x91, 0xA0}, {0x4D, 0x4D, 0x74, 0x9D},
    {0x4B, 0x4B, 0x73, 0x9B}, {0x47, 0x47, 0x77, 0x97}, {0x4F, 0x4F, 0x75, 0x9F},
    {0x52, 0x52, 0x92, 0xA2}, {0x53, 0x53, 0x93, 0xA3}, {0x49, 0x49, 0x84, 0x99},
    {0x51, 0x51, 0x76, 0xA1}, {0x3B, 0x54, 0x5E, 0x68}, {0x3C, 0x55, 0x5F, 0x69},
    {0x3D, 0x56, 0x60, 0x6A}, {0x3E, 0x57, 0x61, 0x6B}, {0x3F, 0x58, 0x62, 0x6C},
    {0x40, 0x59, 0x63, 0x6D}, {0x41, 0x5A, 0x64, 0x6E}, {0x42, 0x5B, 0x65, 0x6F},
    {0x43, 0x5C, 0x66, 0x70}, {0x44, 0x5D, 0x67, 0x71}, {0x85, 0x87, 0x89, 0x8B},
    {0x86, 0x88, 0x8A, 0x8C}, {0x0F, 0x0F, 0x94, 0xA5},
};

// Modifier bits as xterm counts them; its parameter is 1 + these bits.
constexpr int kShift = 1;
constexpr int kAlt = 2;
constexpr int kCtrl = 4;
constexpr int kMeta = 8;

// One escape sequence: its introducer ('[' for CSI, 'O' for SS3, 'L' for
// the Linux console's CSI [), its first number (0 when it has none), its
// final byte, the key, and the modifiers the sequence itself stands for.
struct Sequence {
  char intro;
  int number;
  char final;
  KeyName key;
  int modifiers;
};

constexpr Sequence kSequences[] = {
    // xterm and VT220: CSI X and CSI 1;m X; SS3 X in application mode.
    {'[', 0, 'A', kUp, 0},
    {'[', 0, 'B', kDown, 0},
    {'[', 0, 'C', kRight, 0},
    {'[', 0, 'D', kLeft, 0},
    {'[', 0, 'H', kHome, 0},
    {'[', 0, 'F', kEnd, 0},
    {'[', 0, 'P', kF1, 0},
    {'[', 0, 'Q', kF2, 0},
    {'[', 0, 'R', kF3, 0},
    {'[', 0, 'S', kF4, 0},
    {'[', 0, 'Z', kBackTab, 0},
    {'O', 0, 'A', kUp, 0},
    {'O', 0, 'B', kDown, 0},
    {'O', 0, 'C', kRight, 0},
    {'O', 0, 'D', kLeft, 0},
    {'O', 0, 'H', kHome, 0},
    {'O', 0, 'F', kEnd, 0},
    {'O', 0, 'P', kF1, 0},
    {'O', 0, 'Q', kF2, 0},
    {'O', 0, 'R', kF3, 0},
    {'O', 0, 'S', kF4, 0},
    // CSI n ~ and CSI n;m ~ (rxvt: CSI n $, ^ and @).
    {'[', 1, '~', kHome, 0},
    {'[', 2, '~', kInsert, 0},
    {'[', 3, '~', kDelete, 0},
    {'[', 4, '~', kEnd, 0},
    {'[', 5, '~', kPageUp, 0},
    {'[', 6, '~', kPageDown, 0},
    {'[', 7, '~', kHome, 0},
    {'[', 8, '~', kEnd, 0},
    {'[', 11, '~', kF1, 0},
    {'[', 12, '~', kF2, 0},
    {'[', 13, '~', kF3, 0},
    {'[', 14, '~', kF4, 0},
    {'[', 15, '~', kF5, 0},
    {'[', 17, '~', kF6, 0},
    {'[', 18, '~', kF7, 0},
    {'[', 19, '~', kF8, 0},
    {'[', 20, '~', kF9, 0},
    {'[', 21, '~', kF10, 0},
    {'[', 23, '~', kF11, 0},
    {'[', 24, '~', kF12, 0},
    // rxvt and the Linux console send Shift+F3 to Shift+F10 as F13 to F20.
    {'[', 25, '~', kF3, kShift},
    {'[', 26, '~', kF4, kShift},
    {'[', 28, '~', kF5, kShift},
    {'[', 29, '~', kF6, kShift},
    {'[', 31, '~', kF7, kShift},
    {'[', 32, '~', kF8, kShift},
    {'[', 33, '~', kF9, kShift},
    {'[', 34, '~', kF10, kShift},
    // rxvt: Shift+arrows as CSI a-d, Ctrl+arrows as SS3 a-d.
    {'[', 0, 'a', kUp, kShift},
    {'[', 0, 'b', kDown, kShift},
    {'[', 0, 'c', kRight, kShift},
    {'[', 0, 'd', kLeft, kShift},
    {'O', 0, 'a', kUp, kCtrl},
    {'O', 0, 'b', kDown, kCtrl},
    {'O', 0, 'c', kRight, kCtrl},
    {'O', 0, 'd', kLeft, kCtrl},
    // The Linux console: F1 to F5 as CSI [ A to E.
    {'L', 0, 'A', kF1, 0},
    {'L', 0, 'B', kF2, 0},
    {'L', 0, 'C', kF3, 0},
    {'L', 0, 'D', kF4, 0},
    {'L', 0, 'E', kF5, 0},
};

// The final bytes of the CSI n ~ family and the modifiers rxvt means by them.
struct Suffix {
  char final;
  int modifiers;
};
constexpr Suffix kSuffixes[] = {{'~', 0}, {'$', kShift}, {'^', kCtrl}, {'@', kCtrl | kShift}};

// The application keypad's SS3 keys that type characters, those characters,
// and the keys' BIOS codes with Alt (0: none; Alt with a digit is the Alt +
// keypad entry, which gives nothing by itself).
constexpr std::string_view kKeypadFinals = "Mjklmnopqrstuvwxy";
constexpr std::string_view kKeypadChars = "\r*+,-./0123456789";
constexpr std::uint8_t kKeypadAltScans[] = {0xA6, 0x37, 0x4E, 0, 0x4A, 0, 0xA4, 0, 0,
                                            0,    0,    0,    0, 0,    0, 0,    0};

// The keys of the main block as the BIOS numbers them: each row from its
// first scan code, the characters of its keys alone and with Shift.
struct KeyRow {
  std::uint8_t first_scan;
  std::string_view plain;
  std::string_view shifted;
};
constexpr KeyRow kKeyRows[] = {
    {0x02, "1234567890-=", "!@#$%^&*()_+"},
    {0x10, "qwertyuiop[]", "QWERTYUIOP{}"},
    {0x1E, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
    {0x2B, "\\zxcvbnm,./", "|ZXCVBNM<>?"},
};
constexpr std::uint8_t kLastDigitRowScan = 0x0D;  // the = key
constexpr std::uint8_t kAltDigitOffset = 0x76;    // Alt+1 is 0x78, the 1 key's scan code 0x02

// The control keys that arrive as one byte, and their BIOS codes with Alt.
struct AltControl {
  std::uint8_t byte;
  std::uint8_t scan;
};
constexpr AltControl kAltControls[] = {
    {'\r', 0x1C}, {8, 0x0E}, {127, 0x0E}, {'\t', 0xA5}, {kEsc, 0x01},
};

// The code of `key` with `modifiers`: Alt wins over Ctrl, Ctrl over Shift.
int bios_code(KeyName key, int modifiers) {
  const BiosKey& codes = kBiosKeys[key];
  if ((modifiers & (kAlt | kMeta)) != 0) return key::extended(codes.alt);
  if ((modifiers & kCtrl) != 0) return key::extended(codes.ctrl);
  if ((modifiers & kShift) != 0) return key::extended(codes.shift);
  return key::extended(codes.normal);
}

// The key of the table's sequence, or -1 when the table has none.
int lookup(char intro, int number, char final, int modifiers) {
  for (const Sequence& s : kSequences) {
    if (s.intro == intro && s.number == number && s.final == final) {
      return bios_code(s.key, s.modifiers | modifiers);
    }
  }
  return -1;
}

// Modifier bits of an xterm modifier parameter (absent or 1: none).
int modifier_bits(int parameter) {
  return parameter >= 2 ? (parameter - 1) & 15 : 0;
}

// The up to two numbers between the introducer and the final byte; false
// when the parameters hold anything else.
bool parse_numbers(std::string_view parameters, int (&numbers)[2]) {
  int index = 0;
  for (const char c : parameters) {
    if (c == ';') {
      if (++index > 1) return false;
    } else if (c >= '0' && c <= '9') {
      numbers[index] = numbers[index] * 10 + (c - '0');
      if (numbers[index] > 1000) return false;
    } else {
      return false;
    }
  }
  return true;
}

// The key of an application keypad key, with Alt when `alt`.
int keypad_key(std::size_t index, bool alt) {
  if (!alt) return kKeypadChars[index];
  return kKeypadAltScans[index] != 0 ? key::extended(kKeypadAltScans[index]) : key::kAltOther;
}

}  // namespace

int decode_sequence(std::string_view s, bool alt) {
  const int modifiers = alt ? kAlt : 0;
  const char final = s.back();
  if (s[1] == '[' && s.size() == 4 && s[2] == '[') return lookup('L', 0, final, modifiers);
  int numbers[2] = {0, 0};
  if (!parse_numbers(s.substr(2, s.size() - 3), numbers)) return -1;
  if (s[1] == 'O') {
    const auto keypad = kKeypadFinals.find(final);
    if (keypad != std::string_view::npos && s.size() == 3)
      return keypad_key(keypad, modifiers != 0);
    return lookup('O', 0, final, modifiers | modifier_bits(numbers[0]));
  }
  for (const Suffix& suffix : kSuffixes) {
    if (suffix.final == final) {
      return lookup('[', numbers[0], '~', modifiers | suffix.modifiers | modifier_bits(numbers[1]));
    }
  }
  if (numbers[0] > 1) return -1;
  return lookup('[', 0, final, modifiers | modifier_bits(numbers[1]));
}

int alt_code(std::uint8_t byte) {
  for (const AltControl& control : kAltControls) {
    if (control.byte == byte) return key::extended(control.scan);
  }
  const char c = static_cast<char>(byte);
  for (const KeyRow& row : kKeyRows) {
    std::size_t at = row.plain.find(c);
    if (at == std::string_view::npos) at = row.shifted.find(c);
    if (at == std::string_view::npos) continue;
    const int scan = row.first_scan + static_cast<int>(at);
    return key::extended(scan <= kLastDigitRowScan ? scan + kAltDigitOffset : scan);
  }
  return key::kAltOther;
}

}  // namespace qb
