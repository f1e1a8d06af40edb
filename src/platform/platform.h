// Everything the program asks of its system, in one place: the backend, the
// console over it and the file table. main owns one Platform and passes it
// down by reference to each phase.
#ifndef QB_PLATFORM_PLATFORM_H
#define QB_PLATFORM_PLATFORM_H

#include <string_view>

#include "platform/backend.h"
#include "platform/console.h"
#include "platform/files/file_table.h"

namespace qb {

struct Platform {
  explicit Platform(Backend& system) : backend(system), console(system) {}
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  Backend& backend;
  Console console;
  FileTable files;
};

// Closes every open file, shows the last frame and ends the process with
// exit_code. Nothing on the screen is changed or cleared.
[[noreturn]] void end_program(Platform& platform, int exit_code);

// Writes `text` to standard output as it is, before any console is made
// (the command line's texts); true once all of it is written.
bool write_standard_output(std::string_view text);

}  // namespace qb

#endif  // QB_PLATFORM_PLATFORM_H
