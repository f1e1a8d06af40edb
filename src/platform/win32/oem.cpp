// Conversions by the system itself: OemToCharA, in place, with the code
// pages of the user's locale; MultiByteToWideChar to UTF-16.
#include <windows.h>

#include "platform/win32/oem.h"

namespace qb {

// The text is handed to OemToCharA as source and destination at once; the
// program's texts hold no zero byte, so the whole text is converted.
void oem_to_ansi(std::string& text) {
  if (text.empty()) return;
  OemToCharA(text.data(), text.data());
}

// A byte that the page leaves undefined becomes the system's stand-in for
// it; a page the system does not know keeps each byte's own value, so ASCII
// stays as it is.
std::wstring wide_from_page(std::string_view text, unsigned code_page) {
  std::wstring wide;
  const auto length = static_cast<int>(text.size());
  const int units =
      text.empty() ? 0 : MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (units <= 0) {
    for (const char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
  }
  wide.resize(static_cast<std::size_t>(units));
  MultiByteToWideChar(code_page, 0, text.data(), length, wide.data(), units);
  return wide;
}

}  // namespace qb
