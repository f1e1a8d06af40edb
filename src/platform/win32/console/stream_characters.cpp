// A redirected input's characters, from the input page to the text page:
// where a character ends is the input page's to say (its pairs in the
// tables, UTF-8's own lengths), what it is the system's
// (MultiByteToWideChar), and its bytes in the text page are what a typed
// character would become there.
#include "platform/win32/console/stream_characters.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/text/code_page.h"
#include "platform/text/utf8.h"
#include "platform/win32/oem.h"

namespace qb {

namespace {

// The bytes a UTF-8 character opened by `first` takes; 1 for a byte that
// opens none.
std::size_t utf8_bytes_due(std::uint8_t first) {
  if (first >= 0xC2 && first <= 0xDF) return 2;
  if (first >= 0xE0 && first <= 0xEF) return 3;
  if (first >= 0xF0 && first <= 0xF4) return 4;
  return 1;
}

// The code point of `bytes`, one character of `page`; U+FFFD where the
// system reads none.
char32_t system_code_point(unsigned page, std::string_view bytes) {
  std::array<wchar_t, 4> units{};
  const int got = MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      units.data(), static_cast<int>(units.size()));
  const bool pair = got == 2 && is_high_surrogate(units[0]) && is_low_surrogate(units[1]);
  if (pair) return joined_surrogates(units[0], units[1]);
  return got == 1 ? static_cast<char32_t>(units[0]) : U'\xFFFD';
}

}  // namespace

std::size_t character_bytes_due(const StreamPages& pages, std::uint8_t first) {
  const CodePage& input = code_page_numbered(static_cast<int>(pages.input_page));
  if (input.is_utf8()) return utf8_bytes_due(first);
  return input.is_lead(first) ? 2 : 1;
}

StreamCharacter read_stream_character(const StreamPages& pages, std::string_view bytes) {
  const auto first = static_cast<std::uint8_t>(bytes[0]);
  if (first < 0x80) return {first, 1};
  const CodePage& input = code_page_numbered(static_cast<int>(pages.input_page));
  std::size_t size = std::min(character_bytes_due(pages, first), bytes.size());
  if (input.is_utf8()) size = std::max<std::size_t>(utf8_length_at(bytes, 0), 1);
  const std::string_view character = bytes.substr(0, size);
  if (pages.input_page == pages.text->code_page && !input.is_utf8()) {
    return {size == 1 ? Keystroke(first) : Keystroke::character(character), size};
  }
  const Keystroke key = typed_key(*pages.text, system_code_point(pages.input_page, character));
  return {key.empty() ? Keystroke('?') : key, size};
}

}  // namespace qb
