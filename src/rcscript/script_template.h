// The three fixed texts of the resource script, composed once at start-up
// and written whole by the script writer.
#ifndef QB_RCSCRIPT_SCRIPT_TEMPLATE_H
#define QB_RCSCRIPT_SCRIPT_TEMPLATE_H

#include "driver/shared/program_state.h"

namespace qb {

// Composes the three fixed texts, every line ended by CR LF.
ScriptTemplate build_script_template();

}  // namespace qb

#endif  // QB_RCSCRIPT_SCRIPT_TEMPLATE_H
