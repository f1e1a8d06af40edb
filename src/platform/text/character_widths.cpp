// The lookups over the generated width ranges: a binary search for the
// range that would hold a code point.
#include "platform/text/character_widths.h"

#include <algorithm>

namespace qb {

namespace {

// True when one of `ranges` (ascending, apart) holds `code_point`.
bool held(std::span<const CodePointRange> ranges, char32_t code_point) {
  // The first range that ends at or after the code point is the only one
  // that can hold it.
  const auto* found = std::lower_bound(
      ranges.data(), ranges.data() + ranges.size(), code_point,
      [](const CodePointRange& range, char32_t wanted) { return range.last < wanted; });
  return found != ranges.data() + ranges.size() && found->first <= code_point;
}

}  // namespace

int character_cells(char32_t code_point) {
  return held(kWideCharacters, code_point) ? 2 : 1;
}

bool shows_nothing_alone(char32_t code_point) {
  return held(kZeroWidthCharacters, code_point);
}

}  // namespace qb
