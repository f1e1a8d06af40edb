// For tests on the in-memory backend: reading text back from the screen model.
#ifndef QB_TESTS_SUPPORT_SCREEN_TEXT_H
#define QB_TESTS_SUPPORT_SCREEN_TEXT_H

#include <string>

#include "platform/screen/screen.h"

namespace qb {

// The bytes of `length` cells from row, column on the same row.
inline std::string text_at(const Screen& screen, int row, int column, int length) {
  std::string text;
  for (int c = column; c < column + length; ++c) text += static_cast<char>(screen.cell(row, c).ch);
  return text;
}

// The whole row, 80 bytes.
inline std::string row_text(const Screen& screen, int row) {
  return text_at(screen, row, 1, Screen::kColumns);
}

// True when every cell of `row` from `first` to `last` holds a space in `attr`.
inline bool blank_cells(const Screen& screen, int row, int first, int last, int attr) {
  for (int c = first; c <= last; ++c) {
    if (screen.cell(row, c).ch != ' ' || screen.cell(row, c).attr != attr) return false;
  }
  return true;
}

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_SCREEN_TEXT_H
