// What gives a POSIX terminal back to the shell: the reset of attributes,
// cursor and autowrap, and the move to a fresh line below the 25 rows the
// program draws. The backend's orderly ways out and the crash handler both
// write these.
#ifndef QB_PLATFORM_POSIX_TERMINAL_RESET_H
#define QB_PLATFORM_POSIX_TERMINAL_RESET_H

#include <string_view>

namespace qb {

// Attributes reset, cursor shown, autowrap on.
inline constexpr std::string_view kNormalScreen = "\x1b[0m\x1b[?25h\x1b[?7h";
// The cursor on a fresh line below the 25 rows drawn.
inline constexpr std::string_view kFreshLine = "\x1b[25;1H\r\n";

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERMINAL_RESET_H
