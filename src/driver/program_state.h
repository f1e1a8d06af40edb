// The program-wide state of one run: the record, the form's answers, the
// compiler parameters, the box counters, the outcome's log values and the
// script template. main owns the one instance and passes it down.
#ifndef QB_DRIVER_PROGRAM_STATE_H
#define QB_DRIVER_PROGRAM_STATE_H

#include <cstdint>
#include <string>

#include "driver/project_info.h"
#include "rcscript/script_template.h"

namespace qb {

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
  int compiler_status = 0;  // what running the compiler's command line gave
};

}  // namespace qb

#endif  // QB_DRIVER_PROGRAM_STATE_H
