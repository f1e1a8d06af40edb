// The program's entry: it takes no arguments, prepares the console or the
// terminal, and hands one Platform and one ProgramState to the run.
#include "driver/run_program.h"
#include "platform/backend.h"

int main() {
  static qb::ProgramState state;
  static const auto backend = qb::make_system_backend();
  static qb::Platform platform(*backend);
  qb::run_program(platform, state);
}
