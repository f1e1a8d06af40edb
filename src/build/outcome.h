// Judging the build from the two logs and showing the result box, the
// failing log and the closing prompt; then the program ends.
#ifndef QB_BUILD_OUTCOME_H
#define QB_BUILD_OUTCOME_H

#include "driver/shared/program_state.h"
#include "platform/platform.h"

namespace qb {

// Judges the logs, shows the outcome, waits for a key and quits. Never returns.
[[noreturn]] void show_outcome(Platform& platform, ProgramState& state);

}  // namespace qb

#endif  // QB_BUILD_OUTCOME_H
