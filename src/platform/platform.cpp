// The way out of the program: files first, then the display; and the one
// write to standard output that comes before the console.
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace qb {

void end_program(Platform& platform, int exit_code) {
  platform.files.close_all();
  platform.console.flush();
  platform.backend.end_program(exit_code, {});
  std::abort();  // a backend's end_program never comes back
}

bool write_standard_output(std::string_view text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return std::fflush(stdout) == 0 && written;
}

}  // namespace qb
