// The character set of the user's locale, as the terminal backend, the key
// decoder and the command runner need it: either UTF-8, or a single-byte set
// (Latin-1, KOI8-R, plain ASCII under LANG=C...) given as the character each
// byte from 128 to 255 stands for. Read once, when the program starts.
#ifndef QB_PLATFORM_POSIX_LOCALE_CHARSET_H
#define QB_PLATFORM_POSIX_LOCALE_CHARSET_H

#include <array>

namespace qb {

struct LocaleCharset {
  bool utf8 = true;
  // Outside UTF-8: the Unicode character of each byte 128 to 255 (index
  // byte - 128), 0 where the set has none. Bytes 0 to 127 are ASCII.
  std::array<char32_t, 128> high{};

  // The byte that stands for `code_point` in a single-byte set, or -1.
  int byte_of(char32_t code_point) const;
};

// Takes the user's locale for character handling (setlocale LC_CTYPE) and
// reads its character set.
LocaleCharset adopt_user_locale();

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_LOCALE_CHARSET_H
