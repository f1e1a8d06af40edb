// The small services both stand-in tools share, alike on both systems:
// whole-file reading and writing, the environment's settings, printing to
// standard output byte for byte, and the test hooks that replace a tool's
// output or its exit status.
#ifndef QB_TOOLS_STANDIN_IO_H
#define QB_TOOLS_STANDIN_IO_H

#include <optional>
#include <string>
#include <string_view>

namespace qb::tools {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> read_file(const std::string& path);
// Writes `bytes` as the whole file; false when that fails.
bool write_file(const std::string& path, std::string_view bytes);
// True when `path` names an existing file that can be read, not a folder.
bool file_exists(const std::string& path);

// The value of the environment variable `name`, or "" when it is unset.
std::string environment(const char* name);

// Writes the bytes to standard output unchanged and flushes; false when
// standard output did not take them all.
bool emit(std::string_view bytes);

// What the tool prints on success: the bytes of the file named by the
// environment variable `hook` when it is set, else `normal`.
std::string success_output(const char* hook, std::string_view normal);
// The exit status: the number in the environment variable `hook` when it is
// set, else `normal`.
int exit_status(const char* hook, int normal);

}  // namespace qb::tools

#endif  // QB_TOOLS_STANDIN_IO_H
