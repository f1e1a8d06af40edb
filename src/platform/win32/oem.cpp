// OEM-to-ANSI conversion by the system itself: OemToCharA, in place, with
// the code pages of the user's locale.
#include <windows.h>

#include "platform/win32/oem.h"

namespace qb {

// The text is handed to OemToCharA as source and destination at once; the
// program's texts hold no zero byte, so the whole text is converted.
void oem_to_ansi(std::string& text) {
  if (text.empty()) return;
  OemToCharA(text.data(), text.data());
}

}  // namespace qb
