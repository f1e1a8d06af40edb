// The entries of a search path such as PATH, the one rule both systems'
// searches split it by: an empty entry is left out rather than taken as the
// current directory, since the command interpreter looks there itself,
// first, and nothing else should. Portable, and header-only, so that the
// stand-in tools share it on either system.
#ifndef QB_PLATFORM_FILES_PATH_ENTRIES_H
#define QB_PLATFORM_FILES_PATH_ENTRIES_H

#include <string_view>
#include <vector>

namespace qb {

// The entries of `list`, separated by `separator` (':' on POSIX, ';' on
// Windows), in order, the empty ones left out.
inline std::vector<std::string_view> path_entries(std::string_view list, char separator) {
  std::vector<std::string_view> entries;
  while (!list.empty()) {
    const std::size_t end = list.find(separator);
    if (end != 0) entries.push_back(list.substr(0, end));
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
  }
  return entries;
}

}  // namespace qb

#endif  // QB_PLATFORM_FILES_PATH_ENTRIES_H
