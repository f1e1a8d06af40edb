// Key events of the Windows console turned into the program's key codes: a
// character as the console delivers it, or 255 + 256 x the PC BIOS scan
// code for the keys and combinations that the BIOS reports as extended
// (function keys, cursor block, Shift+Tab, Alt with a letter ...), and the
// character typed as Alt + keypad digits, given when Alt is released.
// The translation is a pure function of the event and the Alt entry so far.
// In a double-byte page a typed character may be a pair of bytes, in UTF-8
// up to four bytes, one keystroke. The console gives characters as UTF-16
// units; one beyond U+FFFF comes as two key presses, which are joined.
#ifndef QB_PLATFORM_WIN32_KEYS_H
#define QB_PLATFORM_WIN32_KEYS_H

#include <windows.h>

#include <optional>

#include "platform/keys/keystroke.h"

namespace qb {

// Digits typed on the keypad while Alt is held, not yet given as a character.
struct AltKeypadEntry {
  bool active = false;
  int value = 0;  // the decimal code so far, kept modulo 256
};

// The high surrogate of a character beyond U+FFFF, held until its low
// surrogate comes (key releases, and other reads of the input, between).
struct SurrogateHalf {
  wchar_t high = 0;
};

// The character a console key event types, whole: its UTF-16 unit (0 for
// none, and for a release); for a low surrogate after a held high one, the
// character the two make. Nothing, no key at all, for a high surrogate, now
// held, and for a low one with none held. Any other key's press drops a
// held high surrogate; a modifier's alone does not.
std::optional<char32_t> typed_code_point(const KEY_EVENT_RECORD& event, SurrogateHalf& half);

// The key of one console key event, or none. `typed` is the event's
// character in the console's code page, a byte or a pair (none when it has
// none); `entry` carries an Alt + keypad entry from one event to the next.
Keystroke translate_key_event(const KEY_EVENT_RECORD& event, const Keystroke& typed,
                              AltKeypadEntry& entry);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_KEYS_H
