// The version-information form: up to fifteen prompts on rows 12 to 21 that
// fill the project record and the extra compiler parameters.
#ifndef QB_FORM_FORM_H
#define QB_FORM_FORM_H

#include "driver/shared/program_state.h"
#include "platform/console.h"

namespace qb {

// Asks every prompt in order and fills state.project and state.fbc_params.
void run_form(Console& con, ProgramState& state);

}  // namespace qb

#endif  // QB_FORM_FORM_H
