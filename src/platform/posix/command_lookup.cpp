// The command runner's lookups on a POSIX file system, matched as the
// Windows command interpreter matches names: without regard to case.
#include "platform/posix/command_lookup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "platform/command.h"
#include "platform/posix/search_path.h"

namespace qb {

namespace fs = std::filesystem;

namespace {

// True for a program this process can run: an executable file, or a Windows
// program (wine runs it, executable or not, as unpacked from an archive).
bool is_program(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return ::access(path.c_str(), X_OK) == 0 || is_windows_program(path);
}

// True for a regular file, as DEL and the tools leave them.
bool is_file(const fs::path& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

}  // namespace

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

// The PE header, where the DOS header's last field points, names the machine.
bool is_32_bit_windows_program(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<unsigned char, 64> dos{};
  if (!in.read(reinterpret_cast<char*>(dos.data()), dos.size())) return false;
  const std::uint32_t pe = dos[60] | dos[61] << 8 | dos[62] << 16 | std::uint32_t{dos[63]} << 24;
  std::array<unsigned char, 6> header{};
  if (!in.seekg(pe) || !in.read(reinterpret_cast<char*>(header.data()), header.size()))
    return false;
  return std::memcmp(header.data(), "PE\0\0", 4) == 0 && header[4] == 0x4C && header[5] == 0x01;
}

bool exists_at_all(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

std::optional<fs::path> find_named(const std::string& name, EntryFits fits) {
  const fs::path path(name);
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  return find_in_dir(dir, path.filename().string(), fits);
}

std::optional<fs::path> find_program(const std::string& name) {
  if (name.find('/') != std::string::npos) return find_named(name, is_program);
  if (auto here = find_in_dir(".", name, is_program)) return here;
  for (const fs::path& dir : search_path()) {
    if (auto there = find_in_dir(dir, name, is_program)) return there;
  }
  return std::nullopt;
}

bool command_file_exists(std::string_view name) {
  return find_named(std::string(name), is_file).has_value();
}

}  // namespace qb
