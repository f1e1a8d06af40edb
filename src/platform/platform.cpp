// The way out of the program: files first, then the display.
#include "platform/platform.h"

#include <cstdlib>

namespace qb {

void end_program(Platform& platform, int exit_code) {
  platform.files.close_all();
  platform.console.flush();
  platform.backend.end_program(exit_code, {});
  std::abort();  // a backend's end_program never comes back
}

}  // namespace qb
