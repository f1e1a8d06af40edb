// Running the resource compiler and the compiler with their logs, then
// deleting the build's temporary files.
#ifndef QB_BUILD_TOOL_INVOCATION_H
#define QB_BUILD_TOOL_INVOCATION_H

#include <string_view>

#include "driver/shared/program_state.h"
#include "platform/platform.h"

namespace qb {

// Runs the five command lines in order for the script, the compiler
// parameters and the record in `state`; records there what the build met:
// the logs that could not be created, each tool line's status and whether
// the resource compiler left its object file.
void run_build_tools(Platform& platform, std::string_view script_name, ProgramState& state);

}  // namespace qb

#endif  // QB_BUILD_TOOL_INVOCATION_H
