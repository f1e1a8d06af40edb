// quit_program: the closing sequence of every normal run.
#include "driver/shared/quit_program.h"

namespace qb {

void quit_program(Platform& platform, int exit_code) {
  platform.console.set_color(7, 0);
  platform.console.clear_screen();
  end_program(platform, exit_code);
}

}  // namespace qb
