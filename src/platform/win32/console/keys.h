// Key events of the Windows console turned into the program's key codes: a
// character as the console delivers it, or 255 + 256 x the PC BIOS scan
// code for the keys and combinations that the BIOS reports as extended
// (function keys, cursor block, Shift+Tab, Alt with a letter ...), and the
// character typed as Alt + keypad digits, given when Alt is released.
// The translation is a pure function of the event and the Alt entry so far.
// In a double-byte page a typed character may be a pair of bytes: it is
// carried as one code until it goes into the key queue, both bytes at once.
#ifndef QB_PLATFORM_WIN32_KEYS_H
#define QB_PLATFORM_WIN32_KEYS_H

#include <windows.h>

#include <string_view>

#include "platform/keys/key_queue.h"

namespace qb {

// A pair's code: above every key code, the lead byte and the trail byte
// below it.
inline constexpr int kPairCode = 0x10000;

// The code of typed bytes, one (its own code) or a pair.
int typed_code(std::string_view bytes);
// Adds a key code to `keys`, a pair's two bytes together; returns how many
// keys it added, 0 when there is no room for them all.
int push_code(KeyQueue& keys, int code);

// Digits typed on the keypad while Alt is held, not yet given as a character.
struct AltKeypadEntry {
  bool active = false;
  int value = 0;  // the decimal code so far, kept modulo 256
};

// The key code of one console key event, or -1 when it gives none. `byte` is
// the event's character in the console's code page, a byte or a pair's code
// (-1 when it has none); `entry` carries an Alt + keypad entry from one
// event to the next.
int translate_key_event(const KEY_EVENT_RECORD& event, int byte, AltKeypadEntry& entry);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_KEYS_H
