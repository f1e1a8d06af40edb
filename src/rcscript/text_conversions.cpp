// The five byte-wise text conversions of the answers. Each takes a text and
// returns a new one; the only bytes looked at are ".", the space and NUL.
#include "rcscript/text_conversions.h"

#include <algorithm>

namespace qb {

std::string trim_right(std::string_view text) {
  const std::size_t last = text.find_last_not_of(std::string_view(" \0", 2));
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(0, last + 1));
}

std::string dots_to_commas(std::string_view text) {
  std::string result(text);
  std::replace(result.begin(), result.end(), '.', ',');
  return result;
}

std::string version_to_numeric(std::string_view version) {
  return dots_to_commas(version) + ",0";
}

std::string version_to_short(std::string_view version) {
  if (version.empty()) return {};
  std::string result(version.substr(0, 3));
  result += version.back();
  return result;
}

std::string base_name(std::string_view file_name) {
  const std::size_t dot = file_name.find('.');
  if (dot == std::string_view::npos) return {};
  return std::string(file_name.substr(0, dot));
}

}  // namespace qb
