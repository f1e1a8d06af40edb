// The escape sequences of xterm, VT220, rxvt and the Linux console as
// tables: a sequence is looked up by its introducer, first number and final
// byte and names a key; the xterm modifier parameter, the rxvt suffixes and
// an Esc in front add Shift, Ctrl or Alt, and the BIOS table gives the code
// of that key in that modifier column. Alt with a key that sends one byte
// is found by that key's place on the (US) keyboard, as the BIOS numbers it.
#include "platform/posix/terminal/key_sequences.h"

#include <array>
#include <cstddef>

#include "platform/keys/bios_keys.h"
#include "platform/keys/key_queue.h"

namespace qb {

namespace {

using enum bios::Key;

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
  bios::Key key;
  int modifiers;
};

constexpr auto kSequences = std::to_array<Sequence>({
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
    // Shift+Tab, the back tab.
    {'[', 0, 'Z', kTab, kShift},
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
});

// The final bytes of the CSI n ~ family and the modifiers rxvt means by them.
struct Suffix {
  char final;
  int modifiers;
};
constexpr auto kSuffixes =
    std::to_array<Suffix>({{'~', 0}, {'$', kShift}, {'^', kCtrl}, {'@', kCtrl | kShift}});

// The application keypad's SS3 keys that type characters: the final byte,
// the character and the key, whose Alt column gives Alt with it (none for
// a digit: Alt with a digit is the Alt + keypad entry, nothing by itself).
struct KeypadKey {
  char final;
  char character;
  bios::Key key;
};
constexpr auto kKeypad = std::to_array<KeypadKey>({
    {'M', '\r', kPadEnter},
    {'j', '*', kPadStar},
    {'k', '+', kPadPlus},
    {'l', ',', kPadSeparator},
    {'m', '-', kPadMinus},
    {'n', '.', kPadPeriod},
    {'o', '/', kPadSlash},
    {'p', '0', kPad0},
    {'q', '1', kPad1},
    {'r', '2', kPad2},
    {'s', '3', kPad3},
    {'t', '4', kPad4},
    {'u', '5', kPad5},
    {'v', '6', kPad6},
    {'w', '7', kPad7},
    {'x', '8', kPad8},
    {'y', '9', kPad9},
});

// The control keys that arrive as one byte, by name for their Alt codes.
struct AltControl {
  std::uint8_t byte;
  bios::Key key;
};
constexpr auto kAltControls = std::to_array<AltControl>({
    {'\r', kEnter},
    {8, kBackspace},
    {127, kBackspace},
    {'\t', kTab},
    {'\x1b', kEsc},
});

// The code of `key` with the xterm `modifiers` (Meta counts as Alt).
int bios_code(bios::Key key, int modifiers) {
  const bool alt = (modifiers & (kAlt | kMeta)) != 0;
  return bios::code(key, bios::column_of((modifiers & kShift) != 0, (modifiers & kCtrl) != 0, alt));
}

// What a sequence is looked up by: its introducer, first number and final byte.
struct SequenceForm {
  char intro;
  int number;
  char final;
};

// The key of the table's sequence of that form, or -1 when the table has none.
int lookup(SequenceForm form, int modifiers) {
  for (const Sequence& s : kSequences) {
    if (s.intro == form.intro && s.number == form.number && s.final == form.final) {
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
bool parse_numbers(std::string_view parameters, std::array<int, 2>& numbers) {
  std::size_t index = 0;
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

// The key of the application keypad's SS3 `final`, with Alt when `alt`;
// -1 when `final` is no keypad key.
int keypad_key(char final, bool alt) {
  for (const KeypadKey& pad : kKeypad) {
    if (pad.final != final) continue;
    if (!alt) return pad.character;
    const int code = bios::code(pad.key, bios::Column::kAlt);
    return code >= 0 ? code : key::kAltOther;
  }
  return -1;
}

}  // namespace

int decode_sequence(std::string_view s, bool alt) {
  const int modifiers = alt ? kAlt : 0;
  const char final = s.back();
  if (s[1] == '[' && s.size() == 4 && s[2] == '[') return lookup({'L', 0, final}, modifiers);
  std::array<int, 2> numbers = {0, 0};
  if (!parse_numbers(s.substr(2, s.size() - 3), numbers)) return -1;
  if (s[1] == 'O') {
    const int keypad = s.size() == 3 ? keypad_key(final, alt) : -1;
    if (keypad >= 0) return keypad;
    return lookup({'O', 0, final}, modifiers | modifier_bits(numbers[0]));
  }
  for (const Suffix& suffix : kSuffixes) {
    if (suffix.final == final) {
      return lookup({'[', numbers[0], '~'},
                    modifiers | suffix.modifiers | modifier_bits(numbers[1]));
    }
  }
  if (numbers[0] > 1) return -1;
  return lookup({'[', 0, final}, modifiers | modifier_bits(numbers[1]));
}

int alt_code(std::uint8_t byte) {
  for (const AltControl& control : kAltControls) {
    if (control.byte == byte) return bios::code(control.key, bios::Column::kAlt);
  }
  const int code = bios::alt_code(bios::us_scan_code(static_cast<char>(byte)));
  return code >= 0 ? code : key::kAltOther;
}

}  // namespace qb
