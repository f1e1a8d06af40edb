// Reading the locale's character set. A locale whose name says UTF-8, as
// nearly every one does today, is taken at its word: loading its tables
// would only cost memory. Otherwise the C library loads it, nl_langinfo
// names its set, and mbrtowc tells, byte by byte, what a single-byte set's
// upper half stands for. The OEM code page follows from the name alone.
#include "platform/posix/locale_charset.h"

#include <langinfo.h>

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>

namespace qb {

namespace {

// True for the names glibc, musl and the BSDs give UTF-8.
bool names_utf8(std::string_view codeset) {
  return codeset == "UTF-8" || codeset == "utf-8" || codeset == "UTF8" || codeset == "utf8";
}

// The locale the environment names for characters: LC_ALL, else LC_CTYPE,
// else LANG, the first that is set and not empty.
std::string_view locale_name() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

bool locale_name_says_utf8(std::string_view name) {
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return false;
  std::string_view codeset = name.substr(dot + 1);
  codeset = codeset.substr(0, codeset.find('@'));
  std::string folded;
  for (const char c : codeset) {
    if (c != '-') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded == "utf8";
}

int LocaleCharset::byte_of(char32_t code_point) const {
  if (code_point < 0x80) return static_cast<int>(code_point);
  for (std::size_t i = 0; i < high.size(); ++i) {
    if (high[i] == code_point) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::string LocaleCharset::oem_from_program_text(std::string_view text) const {
  if (utf8 || is_utf8(text)) return oem_from_utf8_text(*oem, text);
  std::string converted(text);
  for (char& c : converted) {
    const auto byte = static_cast<std::uint8_t>(c);
    const char32_t code_point = byte < 0x80 ? 0 : high[byte - 0x80];
    if (code_point != 0) c = static_cast<char>(oem->typed_byte(code_point));
  }
  return converted;
}

LocaleCharset adopt_user_locale() {
  LocaleCharset charset;
  charset.oem = &oem_code_page_of_locale(locale_name());
  if (locale_name_says_utf8(locale_name())) return charset;
  // A locale that is not installed leaves the C library's own: plain ASCII.
  if (std::setlocale(LC_CTYPE, "") == nullptr) {
    charset.utf8 = false;
    return charset;
  }
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
