// The characters of a redirected input: its bytes are read in the console's
// input page (GetConsoleCP) and each character goes into the key queue as
// typed into the console's text page, its output page, through UTF-16, so
// that a file saved in UTF-8 gives the same answers on a console in 65001
// as one in the page itself gives elsewhere. Where both pages are one and
// the same legacy page, the bytes go in as they are, a pair whole.
#ifndef QB_PLATFORM_WIN32_CONSOLE_STREAM_CHARACTERS_H
#define QB_PLATFORM_WIN32_CONSOLE_STREAM_CHARACTERS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/keys/keystroke.h"
#include "platform/win32/console/glyphs.h"

namespace qb {

// The pages a redirected input's bytes go between.
struct StreamPages {
  unsigned input_page = 437;  // the console's input page; without a console, the OEM page
  const CodePageGlyphs* text = nullptr;  // the console's text page, never null in use
};

// How many bytes the character that `first` opens takes in the input page:
// 2 for a pair's lead byte, up to 4 for UTF-8's, else 1.
std::size_t character_bytes_due(const StreamPages& pages, std::uint8_t first);

// The key of the character that opens `bytes` and how many of its bytes it
// took: `bytes` holds at least as many as are due, unless the input ended
// before them. A byte below 0x80 is its own key; a character the text page
// lacks is its best fit or "?"; a byte that opens no character of the
// input page is the replacement character as typed.
struct StreamCharacter {
  Keystroke key;
  std::size_t size = 1;
};
StreamCharacter read_stream_character(const StreamPages& pages, std::string_view bytes);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_STREAM_CHARACTERS_H
