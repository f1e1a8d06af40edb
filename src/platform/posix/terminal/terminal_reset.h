// What gives a POSIX terminal back to the shell: the reset of attributes,
// cursor and autowrap, the bidirectional text where the program turned it
// off, and the move to a fresh line below the 25 rows the program draws.
// The backend's orderly ways out and the crash handler both write what
// screen_restore() gives, so that the list of what is put back is one.
#ifndef QB_PLATFORM_POSIX_TERMINAL_RESET_H
#define QB_PLATFORM_POSIX_TERMINAL_RESET_H

#include <string>
#include <string_view>

namespace qb {

// Attributes reset, cursor shown, autowrap on.
inline constexpr std::string_view kNormalScreen = "\x1b[0m\x1b[?25h\x1b[?7h";
// The cursor on a fresh line below the 25 rows drawn.
inline constexpr std::string_view kFreshLine = "\x1b[25;1H\r\n";
// Bidirectional text off (explicit mode: each character in the cell it is
// written to, as the console shows right-to-left letters) and back on
// (implicit mode, the default of the terminals that have it).
inline constexpr std::string_view kBidiExplicit = "\x1b[8l";
inline constexpr std::string_view kBidiImplicit = "\x1b[8h";

// What puts the screen back on every way out, orderly or a crash: the normal
// screen, and the bidirectional text on again when `right_to_left` turned it off.
inline std::string screen_restore(bool right_to_left) {
  return std::string(kNormalScreen) + std::string(right_to_left ? kBidiImplicit : "");
}

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERMINAL_RESET_H
