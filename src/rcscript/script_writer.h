// The writer of the resource script: 35 CR LF lines declaring the icons and
// the version information, written byte for byte from the record.
#ifndef QB_RCSCRIPT_SCRIPT_WRITER_H
#define QB_RCSCRIPT_SCRIPT_WRITER_H

#include <string>
#include <string_view>

#include "driver/shared/project_info.h"
#include "platform/platform.h"
#include "rcscript/script_template.h"

namespace qb {

// Writes the script named `script_name` from `project` through the
// platform's files, its strings converted to the script's page by the platform.
// Returns "" when the whole script was written, else the system's words
// for why it was not; nothing is shown either way.
std::string write_resource_script(Platform& platform, const ScriptTemplate& script,
                                  std::string_view script_name, const ProjectInfo& project);

}  // namespace qb

#endif  // QB_RCSCRIPT_SCRIPT_WRITER_H
