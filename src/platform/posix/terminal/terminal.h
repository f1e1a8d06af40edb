// The backend on a POSIX terminal: the screen model shown in the terminal's
// top-left 80 x 25 cells, keys read raw from its input, and the terminal put
// back the way it was on every way out.
#ifndef QB_PLATFORM_POSIX_TERMINAL_H
#define QB_PLATFORM_POSIX_TERMINAL_H

#include <memory>

#include "platform/backend.h"
#include "platform/posix/locale_charset.h"
#include "platform/posix/terminal/terminal_input.h"

namespace qb {

// The backend over `input_fd` (keys) and `output_fd` (the screen). A
// terminal on either is prepared (raw input, autowrap off) and the signal
// handlers are installed; plain pipes and files are used as they are.
// The terminal speaks `charset`, the locale's character set. Every reading
// of time (the timer, the pauses, the waits for keys and the escape window)
// comes from `clock`.
std::unique_ptr<Backend> make_terminal_backend(int input_fd, int output_fd,
                                               const LocaleCharset& charset = {},
                                               TerminalClock clock = system_clock());

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERMINAL_H
