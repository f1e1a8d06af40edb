// The characters that show nothing by themselves in a cell of their own:
// the combining marks of the scripts the code pages hold (Latin and
// Vietnamese, Cyrillic, Hebrew, Arabic, Thai), which terminals draw over the
// cell before them, and the zero-width format characters. The terminal's
// glyphs put such a character on a blank, and the table maker shows it as a
// dot in the tables' comments. Portable and header-only, so that the table
// maker, which is built apart, includes it too.
#ifndef QB_PLATFORM_TEXT_COMBINING_MARKS_H
#define QB_PLATFORM_TEXT_COMBINING_MARKS_H

#include <algorithm>
#include <array>
#include <utility>

namespace qb {

// The ranges of those characters, first and last of each.
inline constexpr auto kCombiningMarks = std::to_array<std::pair<char32_t, char32_t>>({
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0E31, 0x0E31},
    {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2064},
    {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
});

// True for a character of those ranges.
inline bool is_combining_mark(char32_t code_point) {
  return std::any_of(kCombiningMarks.begin(), kCombiningMarks.end(),
                     [code_point](const auto& range) {
                       return code_point >= range.first && code_point <= range.second;
                     });
}

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_COMBINING_MARKS_H
