// Taking the answer from a typed line: its first field. Leading spaces and
// tabs are skipped; a field that opens with a double quote runs to the next
// one, any other field to the first comma; every byte else counts as typed.
#include "form/answer.h"

#include <algorithm>

namespace qb {

namespace {
constexpr std::size_t kAnswerLimit = 4096;
}

std::string take_answer(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::string_view field = line.substr(first);
  if (field.front() == '"') {
    field.remove_prefix(1);
    field = field.substr(0, field.find('"'));
  } else {
    field = field.substr(0, field.find(','));
  }
  return std::string(field.substr(0, std::min(field.size(), kAnswerLimit)));
}

}  // namespace qb
