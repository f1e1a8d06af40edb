// The one way a normal run ends: light grey on black, a cleared screen, and
// exit status 0.
#ifndef QB_DRIVER_QUIT_PROGRAM_H
#define QB_DRIVER_QUIT_PROGRAM_H

#include "platform/platform.h"

namespace qb {

// Sets colours 7 on 0, clears the screen and ends the process with status 0.
[[noreturn]] void quit_program(Platform& platform);

}  // namespace qb

#endif  // QB_DRIVER_QUIT_PROGRAM_H
