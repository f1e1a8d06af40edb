// Finding what a command line names the way the Windows command interpreter
// finds it, on a POSIX file system: a name matches whatever the case of its
// letters, a program is looked for in the current directory first and then
// on PATH, and a Windows program is known by its "MZ" mark.
#ifndef QB_PLATFORM_POSIX_COMMAND_LOOKUP_H
#define QB_PLATFORM_POSIX_COMMAND_LOOKUP_H

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// A test that a found entry is of the kind wanted.
using EntryFits = bool (*)(const std::filesystem::path&);

// True when the two names are equal with ASCII letters compared without case.
bool same_name_any_case(std::string_view a, std::string_view b);
// The entry of `dir` called `name` that passes `fits`: the exact spelling
// first, else the first in sorted order whose name differs only in case.
std::optional<std::filesystem::path> find_in_dir(const std::filesystem::path& dir,
                                                 const std::string& name, EntryFits fits);
// The entry that `name` (a path, or a name in the current directory) names,
// found as find_in_dir finds it in its folder.
std::optional<std::filesystem::path> find_named(const std::string& name, EntryFits fits);

// True when the file starts with "MZ", the mark of a DOS or Windows program.
bool is_windows_program(const std::filesystem::path& path);
// True for a 32-bit x86 Windows program (its PE header names the i386 machine).
bool is_32_bit_windows_program(const std::filesystem::path& path);
// True for anything that exists under that name, a dangling link included.
bool exists_at_all(const std::filesystem::path& path);
// The program named `name`: a name with a slash as it stands, otherwise the
// current directory first, then each directory on PATH.
std::optional<std::filesystem::path> find_program(const std::string& name);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_COMMAND_LOOKUP_H
