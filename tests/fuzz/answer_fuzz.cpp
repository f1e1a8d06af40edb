// Fuzzes taking the answer from a typed line: whatever the line, the answer
// is a piece of it, at most 4096 bytes long, and never starts with a blank
// unless the line opened with a double quote.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "form/answer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::string answer = qb::take_answer(line);
  if (answer.size() > 4096) std::abort();
  if (!answer.empty() && line.find(answer) == std::string_view::npos) std::abort();
  const std::size_t first = line.find_first_not_of(" \t");
  const bool quoted = first != std::string_view::npos && line[first] == '"';
  if (!quoted && answer.find(',') != std::string::npos) std::abort();
  if (quoted && answer.find('"') != std::string::npos) std::abort();
  return 0;
}
