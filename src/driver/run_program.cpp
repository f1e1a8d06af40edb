// The program's spine. The driver makes no decision of its own: each phase
// runs once, what the writer and the tools met is kept in the state for the
// outcome phase to judge, and the outcome phase ends the process. Input that
// runs dry before the form's last answer ends the run as a failure.
#include "driver/run_program.h"

#include <string>
#include <string_view>

#include "build/outcome.h"
#include "build/tool_invocation.h"
#include "driver/screens.h"
#include "form/form.h"
#include "rcscript/script_writer.h"

namespace qb {

namespace {

constexpr std::string_view kInputEndedEarly =
    "quillbarrow: input ended before the form was complete";

}  // namespace

void run_program(Platform& platform, ProgramState& state) {
  Console& con = platform.console;
  con.set_unfinished_input_line(std::string(kInputEndedEarly));
  show_splash(con);
  state.script_template = build_script_template();
  show_title_box(con, state);
  con.set_color(0, 7);
  run_form(con, state);
  con.set_unfinished_input_line({});
  state.script_failure =
      write_resource_script(platform, state.script_template, kScriptName, state.project);
  run_build_tools(platform, kScriptName, state);
  show_outcome(platform, state);
}

}  // namespace qb
