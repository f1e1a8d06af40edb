// The program-wide state of one run: the record, the form's answers, the
// compiler parameters, the box counters, the outcome's log values, the
// script template and what the build met. main owns the one instance and
// passes it down.
#ifndef QB_DRIVER_SHARED_PROGRAM_STATE_H
#define QB_DRIVER_SHARED_PROGRAM_STATE_H

#include <cstdint>
#include <string>

#include "driver/shared/project_info.h"

namespace qb {

// The three fixed texts of the resource script (rcscript/script_template.h
// composes them).
struct ScriptTemplate {
  std::string versioninfo_head;    // the VERSIONINFO line
  std::string string_table_head;   // FILEOS to the string block's opening brace
  std::string version_block_tail;  // the string block's closing brace to the end
};

// The name of the resource script, in the current directory.
inline constexpr const char* kScriptName = "RESFILE.RC";

struct ProgramState {
  ProjectInfo project;
  std::string answer;        // the answer last read at a form prompt
  std::string another_icon;  // the answer to "Add another icon?"
  std::string fbc_params;    // extra compiler parameters, stored whole
  std::int32_t box_row = 0;
  std::int32_t box_col = 0;
  std::int32_t log_size = 0;
  std::string log_text;
  ScriptTemplate script_template;
  // What the build met, for the outcome phase to judge: the system's words
  // for why the script could not be written or a log could not be created
  // ("" when it was), the status each tool's command line gave, and whether
  // the resource compiler left its object file.
  std::string script_failure;
  std::string resource_log_failure;
  std::string compiler_log_failure;
  int resource_status = 0;
  int compiler_status = 0;
  bool object_file_made = true;
};

}  // namespace qb

#endif  // QB_DRIVER_SHARED_PROGRAM_STATE_H
