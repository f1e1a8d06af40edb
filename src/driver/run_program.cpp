// The program's spine. The driver makes no decision of its own: each phase
// runs once, what the writer and the tools met is kept in the state for the
// outcome phase to judge, and the outcome phase ends the process.
#include "driver/run_program.h"

#include "build/outcome.h"
#include "build/tool_invocation.h"
#include "driver/screens.h"
#include "form/form.h"
#include "rcscript/script_writer.h"

namespace qb {

void run_program(Platform& platform, ProgramState& state) {
  Console& con = platform.console;
  show_splash(con);
  state.script_template = build_script_template();
  show_title_box(con, state);
  con.set_color(0, 7);
  run_form(con, state);
  state.script_failure =
      write_resource_script(platform, state.script_template, kScriptName, state.project);
  run_build_tools(platform, kScriptName, state);
  show_outcome(platform, state);
}

}  // namespace qb
