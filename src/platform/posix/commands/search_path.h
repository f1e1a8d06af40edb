// Finding a program, and a file, as the Windows command interpreter finds
// them, on a POSIX file system: by a name with a slash as it stands,
// otherwise in the directories searched in turn (the current one first
// when asked, then each on PATH); a name matches whatever the case of its
// letters, its exact spelling first. A program is an executable file, or a
// Windows program (wine runs it, executable or not, as unpacked from an
// archive). On POSIX the command interpreter, its choice of wine, the
// stand-in tools and the tests all look programs up through this one
// search; the Windows stand-ins search on their own, PATH split by the same
// rule (platform/files/path_entries.h).
#ifndef QB_PLATFORM_POSIX_SEARCH_PATH_H
#define QB_PLATFORM_POSIX_SEARCH_PATH_H

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// A test that a found entry is of the kind wanted.
using EntryFits = bool (*)(const std::filesystem::path&);

// The directories on PATH in order, empty entries left out.
std::vector<std::filesystem::path> search_path();
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
// True for a program this process can run: an executable regular file, or
// a Windows program.
bool is_program(const std::filesystem::path& path);

// Where find_program looks for a name without a slash.
enum class ProgramSearch : bool { kPath, kHereThenPath };
// The program `name`: a name with a slash as it stands, otherwise the first
// on the search; as an absolute path, or nullopt when there is none.
std::optional<std::filesystem::path> find_program(std::string_view name,
                                                  ProgramSearch where = ProgramSearch::kPath);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_SEARCH_PATH_H
