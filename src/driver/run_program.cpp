// The program's spine. The driver makes no decision of its own: each phase
// runs once, none returns a status, and the outcome phase ends the process.
#include "driver/run_program.h"

#include "driver/quit_program.h"
#include "driver/screens.h"
#include "form/form.h"

namespace qb {

void run_program(Platform& platform, ProgramState& state) {
  Console& con = platform.console;
  show_splash(con);
  state.script_template = build_script_template();
  show_title_box(con, state);
  con.set_color(0, 7);
  run_form(con, state);
  con.wait_for_key();
  quit_program(platform);
}

}  // namespace qb
