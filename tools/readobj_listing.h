// Reading back llvm-readobj's resource listing in tests: the bytes of the
// hex dumps under one resource type, and the text of the UTF-16 strings
// among them in UTF-8, so a test can look for the version strings it typed,
// or the UTF-16 units of a string, to look for them among the bytes.
#ifndef QB_TOOLS_READOBJ_LISTING_H
#define QB_TOOLS_READOBJ_LISTING_H

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/text/utf8.h"

namespace qb::tools {

// The bytes of every hex dump line ("0010: 52005300 ... |R.S.|") after the
// first occurrence of `type_line` in `listing`.
inline std::string dumped_bytes(const std::string& listing, const std::string& type_line) {
  std::string bytes;
  std::istringstream lines(listing.substr(std::min(listing.find(type_line), listing.size())));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(": ");
    const std::size_t bar = line.find('|');
    if (colon == std::string::npos || bar == std::string::npos || colon < 4) continue;
    std::istringstream words(line.substr(colon + 2, bar - colon - 2));
    for (std::string word; words >> word;) {
      for (std::size_t i = 0; i + 1 < word.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(word.substr(i, 2), nullptr, 16));
      }
    }
  }
  return bytes;
}

// UTF-16LE `bytes` in UTF-8, a surrogate pair as its one character.
inline std::string utf8_of_utf16(const std::string& bytes) {
  std::string text;
  char32_t high = 0;  // a high surrogate waiting for its low half
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const char32_t unit = low | static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1]))
                                    << 8;
    if (unit >= 0xD800 && unit < 0xDC00) {
      high = unit;
    } else if (unit >= 0xDC00 && unit < 0xE000 && high != 0) {
      append_utf8(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), text);
      high = 0;
    } else {
      append_utf8(unit, text);
      high = 0;
    }
  }
  return text;
}

// `units` as the UTF-16LE bytes a resource holds them in.
inline std::string utf16le_bytes(std::u16string_view units) {
  std::string bytes;
  for (const char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace qb::tools

#endif  // QB_TOOLS_READOBJ_LISTING_H
