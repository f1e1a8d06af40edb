// The program's entry: `--help` and `--version` print their text and end at
// once; otherwise it prepares the console or the terminal and hands one
// Platform and one ProgramState to the run, whatever the arguments.
#include "driver/command_line.h"
#include "driver/run_program.h"
#include "platform/backend.h"

int main(int argc, char** argv) {
  const auto request = qb::read_command_line({argv, static_cast<std::size_t>(argc)});
  if (request != qb::CommandLineRequest::kRun) return qb::print_command_line_text(request);
  static qb::ProgramState state;
  static const auto backend = qb::make_system_backend();
  static qb::Platform platform(*backend);
  qb::run_program(platform, state);
}
