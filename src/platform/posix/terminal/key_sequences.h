// The tables behind the key decoder: the escape sequences that terminals
// send for the cursor keys, the editing block, the function keys and the
// keypad, and the keys that send one byte, for Alt with them: each mapped
// to the BIOS table's named keys and modifier columns. Pure lookups, no state.
#ifndef QB_PLATFORM_POSIX_KEY_SEQUENCES_H
#define QB_PLATFORM_POSIX_KEY_SEQUENCES_H

#include <cstdint>
#include <string_view>
#include "platform/keys/bios_keys.h"

namespace qb {

// The key of a complete escape sequence (Esc, introducer, parameters, final
// byte), with Alt when `alt` (an Esc came before it); -1 when no table has it.
int decode_sequence(std::string_view sequence, bool alt);
// The code of Alt with the key that sends `byte` (below 128): its BIOS code,
// or key::kAltOther when the BIOS table has none.
int alt_code(std::uint8_t byte);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_KEY_SEQUENCES_H
