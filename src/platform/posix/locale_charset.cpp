// Reading the locale's character set: nl_langinfo names it, and mbrtowc
// tells, byte by byte, what a single-byte set's upper half stands for.
#include "platform/posix/locale_charset.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <cwchar>
#include <string_view>

namespace qb {

namespace {

// True for the names glibc, musl and the BSDs give UTF-8.
bool names_utf8(std::string_view codeset) {
  return codeset == "UTF-8" || codeset == "utf-8" || codeset == "UTF8" || codeset == "utf8";
}

}  // namespace

int LocaleCharset::byte_of(char32_t code_point) const {
  if (code_point < 0x80) return static_cast<int>(code_point);
  for (std::size_t i = 0; i < high.size(); ++i) {
    if (high[i] == code_point) return static_cast<int>(0x80 + i);
  }
  return -1;
}

LocaleCharset adopt_user_locale() {
  std::setlocale(LC_CTYPE, "");
  LocaleCharset charset;
  const char* codeset = nl_langinfo(CODESET);
  charset.utf8 = codeset != nullptr && names_utf8(codeset);
  if (charset.utf8) return charset;
  for (std::size_t i = 0; i < charset.high.size(); ++i) {
    const char byte = static_cast<char>(0x80 + i);
    std::mbstate_t state{};
    wchar_t wide = 0;
    const std::size_t used = std::mbrtowc(&wide, &byte, 1, &state);
    charset.high[i] = used == 1 && wide >= 0x80 ? static_cast<char32_t>(wide) : 0;
  }
  return charset;
}

}  // namespace qb
