// How many cells a character takes, as glibc's wcwidth has it: 2 for the
// East Asian wide and full-width characters and the emoji, else 1; and which
// characters show nothing by themselves (wcwidth 0: combining marks,
// variation selectors, the zero-width joiner), which the program puts on a
// blank cell of their own.
#ifndef QB_PLATFORM_TEXT_CHARACTER_WIDTHS_H
#define QB_PLATFORM_TEXT_CHARACTER_WIDTHS_H

namespace qb {

// 2 where wcwidth gives 2, else 1; ambiguous-width characters count 1.
int character_cells(char32_t code_point);
// True where wcwidth gives 0 for a character that is no control.
bool shows_nothing_alone(char32_t code_point);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_CHARACTER_WIDTHS_H
