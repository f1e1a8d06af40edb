// The writer of the resource script: 35 CR LF lines declaring the icons and
// the version information, written byte for byte from the record.
#ifndef QB_RCSCRIPT_SCRIPT_WRITER_H
#define QB_RCSCRIPT_SCRIPT_WRITER_H

#include <string_view>

#include "driver/project_info.h"
#include "platform/file_table.h"
#include "rcscript/script_template.h"

namespace qb {

// Writes the script named `script_name` from `project`; silent on failure.
void write_resource_script(FileTable& files, const ScriptTemplate& script,
                           std::string_view script_name, const ProjectInfo& project);

}  // namespace qb

#endif  // QB_RCSCRIPT_SCRIPT_WRITER_H
