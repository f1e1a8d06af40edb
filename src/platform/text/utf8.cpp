// The UTF-8 codec.
#include "platform/text/utf8.h"

#include <array>

namespace qb {

bool is_utf8(std::string_view text) {
  Utf8Decoder decoder;
  for (const char c : text) {
    const Utf8Decoder::Step step = decoder.feed(static_cast<std::uint8_t>(c));
    if (step == Utf8Decoder::Step::kInvalid || step == Utf8Decoder::Step::kBrokenOff) return false;
  }
  return !decoder.open();
}

std::size_t utf8_length_at(std::string_view text, std::size_t at) {
  Utf8Decoder decoder;
  for (std::size_t i = at; i < text.size() && i < at + 4; ++i) {
    switch (decoder.feed(static_cast<std::uint8_t>(text[i]))) {
      case Utf8Decoder::Step::kMore:
        break;
      case Utf8Decoder::Step::kDone:
        return i - at + 1;
      case Utf8Decoder::Step::kInvalid:
      case Utf8Decoder::Step::kBrokenOff:
        return 0;
    }
  }
  return 0;
}

char32_t utf8_code_point_at(std::string_view text, std::size_t at) {
  Utf8Decoder decoder;
  for (std::size_t i = at; i < text.size(); ++i) {
    if (decoder.feed(static_cast<std::uint8_t>(text[i])) != Utf8Decoder::Step::kMore) break;
  }
  return decoder.character();
}

void append_utf8(char32_t code_point, std::string& out) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// A lead byte opens a character of two to four bytes; continuation bytes
// fill it; a finished character that is overlong, a surrogate or beyond
// U+10FFFF is invalid.
Utf8Decoder::Step Utf8Decoder::feed(std::uint8_t byte) {
  if (continuation_ > 0) {
    if ((byte & 0xC0) != 0x80) {
      continuation_ = 0;
      return Step::kBrokenOff;
    }
    code_point_ = (code_point_ << 6) | (byte & 0x3F);
    if (--continuation_ > 0) return Step::kMore;
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code_point_ >= kSmallest[static_cast<std::size_t>(length_)] &&
                       code_point_ <= 0x10FFFF && (code_point_ < 0xD800 || code_point_ > 0xDFFF);
    return valid ? Step::kDone : Step::kInvalid;
  }
  if (byte < 0x80) {
    code_point_ = byte;
    return Step::kDone;
  }
  if ((byte & 0xE0) == 0xC0) {
    length_ = 2;
  } else if ((byte & 0xF0) == 0xE0) {
    length_ = 3;
  } else if ((byte & 0xF8) == 0xF0) {
    length_ = 4;
  } else {
    return Step::kInvalid;  // a stray continuation byte, or no UTF-8 at all
  }
  code_point_ = byte & (0x7F >> length_);
  continuation_ = length_ - 1;
  return Step::kMore;
}

}  // namespace qb
