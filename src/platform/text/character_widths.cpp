// Placeholder lookups until the generated width table lands.
#include "platform/text/character_widths.h"

namespace qb {

int character_cells(char32_t code_point) {
  const bool wide = (code_point >= 0x1100 && code_point <= 0x115F) ||
                    (code_point >= 0x2E80 && code_point <= 0xA4CF) ||
                    (code_point >= 0xAC00 && code_point <= 0xD7A3) ||
                    (code_point >= 0xF900 && code_point <= 0xFAFF) ||
                    (code_point >= 0xFF01 && code_point <= 0xFF60) ||
                    (code_point >= 0x1F300 && code_point <= 0x1F64F) ||
                    (code_point >= 0x20000 && code_point <= 0x3FFFD);
  return wide ? 2 : 1;
}

bool shows_nothing_alone(char32_t code_point) {
  return (code_point >= 0x0300 && code_point <= 0x036F) || code_point == 0x200D ||
         (code_point >= 0xFE00 && code_point <= 0xFE0F);
}

}  // namespace qb
