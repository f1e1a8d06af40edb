// The run, phase by phase, in its fixed order: splash, script template,
// title, form, script, build, outcome.
#ifndef QB_DRIVER_RUN_PROGRAM_H
#define QB_DRIVER_RUN_PROGRAM_H

#include "driver/shared/program_state.h"
#include "platform/platform.h"

namespace qb {

// Runs every phase once, in order; ends the process and never returns.
[[noreturn]] void run_program(Platform& platform, ProgramState& state);

}  // namespace qb

#endif  // QB_DRIVER_RUN_PROGRAM_H
