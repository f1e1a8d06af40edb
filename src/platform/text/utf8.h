// UTF-8 as RFC 3629 has it: the form of a code point, a decoder that reads
// one byte at a time (no overlong forms, no surrogates, nothing beyond
// U+10FFFF), and the test of a whole text.
#ifndef QB_PLATFORM_TEXT_UTF8_H
#define QB_PLATFORM_TEXT_UTF8_H

#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// True when `text` is valid UTF-8 throughout.
bool is_utf8(std::string_view text);

// The bytes of the valid UTF-8 character that starts at `at` of `text`
// (below text.size()), or 0 where none starts there.
std::size_t utf8_length_at(std::string_view text, std::size_t at);
// The code point of that character; only where utf8_length_at is not 0.
char32_t utf8_code_point_at(std::string_view text, std::size_t at);

// Appends the UTF-8 form of `code_point` (below 0x110000) to `out`.
void append_utf8(char32_t code_point, std::string& out);

// Reads UTF-8 one byte at a time.
class Utf8Decoder {
 public:
  enum class Step : std::uint8_t {
    kMore,      // a character has begun; more bytes are due
    kDone,      // character() is complete
    kInvalid,   // the byte is no part of a valid character (dropped)
    kBrokenOff  // the byte broke off a begun character: that one is dropped
                // and this byte belongs to whatever comes next
  };
  Step feed(std::uint8_t byte);
  char32_t character() const { return code_point_; }
  // True while a character has begun and not ended.
  bool open() const { return continuation_ > 0; }
  void reset() { continuation_ = 0; }

 private:
  char32_t code_point_ = 0;
  int continuation_ = 0;  // continuation bytes still due
  int length_ = 0;        // bytes of the character being read
};

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_UTF8_H
