// The PATH search. An empty entry in PATH is left out rather than taken as
// the current directory: the command runner looks there itself, first, and
// nothing else should.
#include "platform/posix/search_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace qb {

namespace fs = std::filesystem;

std::vector<fs::path> search_path() {
  std::vector<fs::path> dirs;
  const char* search = std::getenv("PATH");
  std::string_view rest = search ? search : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    if (colon != 0) dirs.emplace_back(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  return dirs;
}

bool is_executable(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::optional<fs::path> find_executable(std::string_view name) {
  if (name.find('/') != std::string_view::npos) {
    if (!is_executable(name)) return std::nullopt;
    return fs::absolute(name);
  }
  for (const fs::path& dir : search_path()) {
    if (is_executable(dir / name)) return fs::absolute(dir / name);
  }
  return std::nullopt;
}

}  // namespace qb
