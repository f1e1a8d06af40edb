// Conversions by the system itself: OemToCharA, with the code pages of the
// user's locale; MultiByteToWideChar to UTF-16 and WideCharToMultiByte
// back.
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

unsigned console_text_page() {
  const UINT page = GetConsoleOutputCP();
  return page != 0 ? page : CP_OEMCP;
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

// UTF-8 takes no default character: the system refuses one for it, and
// every character has its UTF-8 form.
std::string page_from_wide(std::wstring_view wide, unsigned code_page) {
  if (wide.empty()) return {};
  const auto length = static_cast<int>(wide.size());
  const char* fallback = code_page == CP_UTF8 ? nullptr : "?";
  const int bytes =
      WideCharToMultiByte(code_page, 0, wide.data(), length, nullptr, 0, fallback, nullptr);
  std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : wide.size(), '?');
  if (bytes <= 0) return text;  // a page the system cannot write: a mark a unit
  WideCharToMultiByte(code_page, 0, wide.data(), length, text.data(), bytes, fallback, nullptr);
  return text;
}

}  // namespace qb
