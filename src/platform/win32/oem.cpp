// Conversions by the system itself: OemToCharA, with the code pages of the
// user's locale; MultiByteToWideChar to UTF-16.
#include <windows.h>

#include <utility>

#include "platform/win32/oem.h"

namespace qb {

// OemToCharA writes into a buffer of its own, twice the text and its zero:
// in a double-byte page the text may grow (a lone lead byte at the end
// becomes the page's default pair) or shrink (an undefined pair becomes
// one "?"). The program's texts hold no zero byte, so the whole text is
// converted and the result ends at its zero.
void oem_to_ansi(std::string& text) {
  if (text.empty()) return;
  std::string ansi(2 * text.size() + 1, '\0');
  OemToCharA(text.c_str(), ansi.data());
  ansi.resize(ansi.find('\0'));
  text = std::move(ansi);
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
