// Fuzzes the screen model with any mix of cursor moves, prints, clears and
// colours, in code page 437, a double-byte page or UTF-8 as the first byte
// says: the cursor must always stay on the screen, a wrap may only be
// pending at row 25, column 80, and a character of two cells keeps both its
// halves side by side on one row.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/screen/screen.h"

namespace {

// Aborts unless the cursor and a pending wrap are where they may be.
void check(const qb::Screen& s) {
  const bool inside = s.row() >= 1 && s.row() <= qb::Screen::kRows && s.column() >= 1 &&
                      s.column() <= qb::Screen::kColumns;
  const bool pending_ok =
      !s.pending_line_end() || (s.row() == qb::Screen::kRows && s.column() == qb::Screen::kColumns);
  if (!inside || !pending_ok) std::abort();
  for (int row = 1; row <= qb::Screen::kRows; ++row) {
    for (int column = 1; column <= qb::Screen::kColumns; ++column) {
      const bool lead = s.cell(row, column).part == qb::CellPart::kLead;
      if (lead != (s.cell(row, column + 1).part == qb::CellPart::kTrail)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qb::Screen screen;
  std::size_t i = 0;
  if (size > 0) screen.set_page(qb::code_page_numbered(std::array{437, 936, 65001}[data[i++] % 3]));
  while (i < size) {
    const std::uint8_t op = data[i++];
    const std::size_t left = size - i;
    switch (op % 4) {
      case 0:  // locate: row and column from the next two bytes, any value
        if (left >= 2) screen.move_to(static_cast<std::int8_t>(data[i]), data[i + 1] - 40);
        i += left >= 2 ? 2 : left;
        break;
      case 1: {  // print: the length from the op's high bits, capped by what is left
        const std::size_t length = op / 4 < left ? op / 4 : left;
        screen.print(std::string_view(reinterpret_cast<const char*>(data + i), length));
        i += length;
        break;
      }
      case 2:
        screen.clear();
        break;
      default:
        screen.set_attribute(static_cast<std::uint8_t>(op));
        break;
    }
    check(screen);
  }
  return 0;
}
