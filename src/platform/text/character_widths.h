// How many cells a terminal gives a character, as glibc's wcwidth says: two
// for the wide and fullwidth characters (CJK ideographs, kana, Hangul,
// emoji), none for those it draws over the cell before (combining marks,
// variation selectors, the zero-width joiner and other format characters),
// else one, the characters of ambiguous width among them. The ranges
// (code_pages/character_widths.cpp) are made by scripts/make-width-table.sh.
#ifndef QB_PLATFORM_TEXT_CHARACTER_WIDTHS_H
#define QB_PLATFORM_TEXT_CHARACTER_WIDTHS_H

#include <span>

namespace qb {

// A run of code points, first and last both in it.
struct CodePointRange {
  char32_t first;
  char32_t last;
};

// The characters from U+00A0 that wcwidth gives two cells, and those it
// gives none; each ascending, the ranges apart.
extern const std::span<const CodePointRange> kWideCharacters;
extern const std::span<const CodePointRange> kZeroWidthCharacters;

// The cells `code_point` takes: 2 for a wide character, else 1.
int character_cells(char32_t code_point);
// True for a character that a terminal draws over the cell before it, so
// that the program puts it on a blank cell of its own.
bool shows_nothing_alone(char32_t code_point);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_CHARACTER_WIDTHS_H
