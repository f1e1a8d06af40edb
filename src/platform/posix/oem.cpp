// OEM-to-ANSI conversion where the system has no code pages of its own: the
// console's characters are taken as code page 437 and the ANSI ones as 1252.
#include "platform/oem.h"

#include <algorithm>

#include "platform/cp437_to_1252.h"

namespace qb {

void oem_to_ansi(std::string& text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return static_cast<char>(cp437_to_1252(static_cast<unsigned char>(c)));
  });
}

}  // namespace qb
