// Running the resource compiler and the compiler with their logs, then
// deleting the build's temporary files.
#ifndef QB_BUILD_TOOL_INVOCATION_H
#define QB_BUILD_TOOL_INVOCATION_H

#include <string>
#include <string_view>

#include "driver/project_info.h"
#include "platform/console.h"

namespace qb {

// Runs the five command lines in order; returns the status of the compiler's line.
int run_build_tools(Console& con, std::string_view script_name, const std::string& fbc_params,
                    const ProjectInfo& project);

}  // namespace qb

#endif  // QB_BUILD_TOOL_INVOCATION_H
