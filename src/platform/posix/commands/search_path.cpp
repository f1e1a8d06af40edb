// The search, PATH split into its entries by the rule both systems share.
#include "platform/posix/commands/search_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>

#include "platform/files/path_entries.h"

namespace qb {

namespace fs = std::filesystem;

std::vector<fs::path> search_path() {
  std::vector<fs::path> dirs;
  const char* search = std::getenv("PATH");
  for (const std::string_view entry : path_entries(search ? search : "", ':'))
    dirs.emplace_back(entry);
  return dirs;
}

bool same_name_any_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::optional<fs::path> find_in_dir(const fs::path& dir, const std::string& name, EntryFits fits) {
  const fs::path exact = dir / name;
  if (fits(exact)) return exact;
  std::error_code ec;
  std::optional<fs::path> found;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path candidate = it->path();
    if (!same_name_any_case(candidate.filename().string(), name) || !fits(candidate)) continue;
    if (!found || candidate < *found) found = candidate;
  }
  return found;
}

std::optional<fs::path> find_named(const std::string& name, EntryFits fits) {
  const fs::path path(name);
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  return find_in_dir(dir, path.filename().string(), fits);
}

bool is_windows_program(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::array<char, 2> mark{};
  ssize_t got = 0;
  do {
    got = ::read(fd, mark.data(), mark.size());
  } while (got < 0 && errno == EINTR);
  ::close(fd);
  return got == 2 && mark[0] == 'M' && mark[1] == 'Z';
}

bool is_program(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return ::access(path.c_str(), X_OK) == 0 || is_windows_program(path);
}

std::optional<fs::path> find_program(std::string_view name, ProgramSearch where) {
  const std::string wanted(name);
  std::optional<fs::path> found;
  if (wanted.find('/') != std::string::npos) {
    found = find_named(wanted, is_program);
  } else {
    std::vector<fs::path> dirs = search_path();
    if (where == ProgramSearch::kHereThenPath) dirs.insert(dirs.begin(), ".");
    for (const fs::path& dir : dirs) {
      found = find_in_dir(dir, wanted, is_program);
      if (found) break;
    }
  }
  if (!found) return std::nullopt;
  return fs::absolute(*found).lexically_normal();
}

}  // namespace qb
