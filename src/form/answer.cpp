// Taking the answer from a typed line: its first field. Leading spaces and
// tabs are skipped; a field that opens with a double quote runs to the next
// one, any other field to the first comma; every byte else counts as typed.
// The quote and the comma are characters of their own, never a pair's
// second byte (page_text.h).
#include "form/answer.h"

#include "platform/text/page_text.h"

namespace qb {

namespace {
constexpr std::size_t kAnswerLimit = 4096;
}

std::string take_answer(std::string_view line, const CodePage& page) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::string_view field = line.substr(first);
  if (field.front() == '"') {
    field.remove_prefix(1);
    field = field.substr(0, find_character(page, field, '"'));
  } else {
    field = field.substr(0, find_character(page, field, ','));
  }
  return std::string(field.substr(0, whole_characters(page, field, kAnswerLimit)));
}

}  // namespace qb
