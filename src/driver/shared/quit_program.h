// The one way a normal run ends: light grey on black, a cleared screen, and
// the run's exit status (0 for a built executable, 1 for a failed build).
#ifndef QB_DRIVER_SHARED_QUIT_PROGRAM_H
#define QB_DRIVER_SHARED_QUIT_PROGRAM_H

#include "platform/platform.h"

namespace qb {

// Sets colours 7 on 0, clears the screen and ends the process with `exit_code`.
[[noreturn]] void quit_program(Platform& platform, int exit_code);

}  // namespace qb

#endif  // QB_DRIVER_SHARED_QUIT_PROGRAM_H
