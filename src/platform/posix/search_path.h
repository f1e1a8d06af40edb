// Finding an executable file the way a POSIX shell does: by a name with a
// slash as it stands, otherwise in each directory on PATH in turn. The
// command runner, the stand-in tools and the tests all look programs up
// through this.
#ifndef QB_PLATFORM_POSIX_SEARCH_PATH_H
#define QB_PLATFORM_POSIX_SEARCH_PATH_H

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace qb {

// The directories on PATH in order, empty entries left out.
std::vector<std::filesystem::path> search_path();
// True for a regular file that this process may execute.
bool is_executable(const std::filesystem::path& path);
// The executable file `name`: as it stands when it holds a slash, else the
// first of that name on PATH; as an absolute path, or nullopt when there is none.
std::optional<std::filesystem::path> find_executable(std::string_view name);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_SEARCH_PATH_H
