// The cells a character takes and whether it shows alone, at both ends of
// the ranges the lookup searches, so that a wrong table or a search that
// misses a range's first or last code point fails.
#include "platform/text/character_widths.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(CharacterWidths, WideAndZeroWidthCharactersAsWcwidthGivesThem) {
  struct Case {
    char32_t code_point;
    int cells;
    bool nothing_alone;
  };
  for (const Case& c : {
           Case{U'a', 1, false},    Case{0x00A0, 1, false},  Case{0x00E9, 1, false},
           Case{0x00A9, 1, false},  Case{0x20AC, 1, false},  Case{0x00AD, 1, false},
           Case{0x02FF, 1, false},  Case{0x0300, 1, true},   Case{0x0301, 1, true},
           Case{0x036F, 1, true},   Case{0x0370, 1, false},  Case{0x10FF, 1, false},
           Case{0x1100, 2, false},  Case{0x115F, 2, false},  Case{0x1160, 1, true},
           Case{0x200D, 1, true},   Case{0xFE0F, 1, true},   Case{0xE0100, 1, true},
           Case{0xE01EF, 1, true},  Case{0xE01F0, 1, false}, Case{0x3000, 2, false},
           Case{0x3029, 2, false},  Case{0x302A, 1, true},   Case{0x65E5, 2, false},
           Case{0xFF01, 2, false},  Case{0xFF60, 2, false},  Case{0xFF61, 1, false},
           Case{0x1F600, 2, false}, Case{0x20000, 2, false}, Case{0x10FFFF, 1, false},
       }) {
    EXPECT_EQ(character_cells(c.code_point), c.cells)
        << std::hex << static_cast<unsigned>(c.code_point);
    EXPECT_EQ(shows_nothing_alone(c.code_point), c.nothing_alone)
        << std::hex << static_cast<unsigned>(c.code_point);
  }
  ASSERT_FALSE(kWideCharacters.empty());
  ASSERT_FALSE(kZeroWidthCharacters.empty());
  EXPECT_EQ(character_cells(kWideCharacters.back().last), 2);  // the search's last range
  EXPECT_EQ(character_cells(kWideCharacters.back().last + 1), 1);
}

}  // namespace
}  // namespace qb
