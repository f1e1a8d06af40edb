// Starting a program and waiting for it, a Windows program through wine:
// the command interpreter's way of running a line's command.
#ifndef QB_PLATFORM_POSIX_PROGRAM_RUN_H
#define QB_PLATFORM_POSIX_PROGRAM_RUN_H

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qb {

// The status of a program found that the system would not start.
inline constexpr int kCannotRunStatus = 126;

// Runs the program at `path`, its name as the line has it and its arguments
// in `words`, with `out` (-1: this process's) as its standard output; waits
// for it and returns its exit status, or 128 plus the number of the signal
// that ended it. A Windows program runs through wine; without a wine for
// it, one line saying so goes where its output would.
int run_program(const std::filesystem::path& path, const std::vector<std::string>& words, int out);

// Wine: the program that WINE names (a path, or a name on PATH) when it is
// set; otherwise wine on PATH, or else where Debian's wine64 package alone
// puts it, with nothing on PATH; nullopt when there is none. The scripts'
// find-wine.sh follows the same rule.
std::optional<std::filesystem::path> find_wine();

// The environment a Windows program runs with under wine: `environment` (as
// environ has it), with wine's own diagnostics off unless WINEDEBUG asks
// for them (they would land on the screen), and `loader`, a loader of
// wine's started directly, as WINELOADER unless that is set, so that the
// program's own children start too.
std::vector<std::string> wine_environment(const char* const* environment,
                                          const std::optional<std::filesystem::path>& loader);

// True for a 32-bit x86 Windows program (its PE header names the i386 machine).
bool is_32_bit_windows_program(const std::filesystem::path& path);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_PROGRAM_RUN_H
