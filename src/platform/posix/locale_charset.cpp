// Reading the locale's character set. A locale whose name says UTF-8, as
// nearly every one does today, is taken at its word: loading its tables
// would only cost memory. Otherwise the C library loads it, nl_langinfo
// names its set, and mbrtowc tells, byte by byte, what a single-byte set's
// upper half stands for; a set of several bytes a character stays with the
// C library, which reads (mbrtowc) and writes (wcrtomb) it. The OEM code
// page follows from the name alone; the console's page is the caller's
// choice.
#include "platform/posix/locale_charset.h"
#include "platform/text/locale_page.h"
#include "platform/text/page_conversion.h"
#include "platform/text/utf8.h"

#include <langinfo.h>

#include <array>
#include <cctype>
#include <climits>
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

// `text` in a legacy multi-byte set, character by character in `page`, as
// if typed; bytes that make no character become "?".
std::string oem_from_multibyte_text(const CodePage& page, std::string_view text) {
  std::string converted;
  MultibyteDecoder decoder;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (byte < 0x80 && !decoder.open()) {
      converted += text[i];
      continue;
    }
    switch (decoder.feed(byte)) {
      case Utf8Decoder::Step::kMore:
        break;
      case Utf8Decoder::Step::kDone:
        converted += page.typed_bytes(decoder.character());
        break;
      case Utf8Decoder::Step::kBrokenOff:
        --i;  // the byte is read again, afresh
        [[fallthrough]];
      case Utf8Decoder::Step::kInvalid:
        converted += '?';
        break;
    }
  }
  return decoder.open() ? converted + '?' : converted;
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

bool LocaleCharset::append_encoded(char32_t code_point, std::string& out) const {
  if (utf8) {
    append_utf8(code_point, out);
    return true;
  }
  if (!multibyte || code_point < 0x80) {
    const int byte = byte_of(code_point);
    if (byte >= 0) out += static_cast<char>(byte);
    return byte >= 0;
  }
  std::array<char, MB_LEN_MAX> bytes{};
  std::mbstate_t state{};
  const std::size_t length = std::wcrtomb(bytes.data(), static_cast<wchar_t>(code_point), &state);
  if (length == static_cast<std::size_t>(-1)) return false;
  out.append(bytes.data(), length);
  return true;
}

std::string LocaleCharset::oem_from_program_text(std::string_view text) const {
  const CodePage& page = console_page();
  // In UTF-8 what is not UTF-8 is read as the ANSI page's characters, as a
  // Windows tool's output would be.
  if (page.is_utf8() && !is_utf8(text))
    return convert_text(ansi_page_numbered(oem->ansi_number), page, text);
  if (utf8 || is_utf8(text)) return oem_from_utf8_text(page, text);
  if (multibyte) return oem_from_multibyte_text(page, text);
  std::string converted;
  for (const char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    const char32_t code_point = byte < 0x80 ? 0 : high[byte - 0x80];
    converted += code_point != 0 ? page.typed_bytes(code_point) : std::string(1, c);
  }
  return converted;
}

LocaleCharset adopt_user_locale(int console_number) {
  LocaleCharset charset;
  charset.oem = &oem_code_page_of_locale(locale_name());
  if (console_number != 0) charset.console = &code_page_numbered(console_number);
  if (locale_name_says_utf8(locale_name())) return charset;
  // A locale that is not installed leaves the C library's own: plain ASCII.
  if (std::setlocale(LC_CTYPE, "") == nullptr) {
    charset.utf8 = false;
    return charset;
  }
  const char* codeset = nl_langinfo(CODESET);
  charset.utf8 = codeset != nullptr && names_utf8(codeset);
  charset.multibyte = !charset.utf8 && MB_CUR_MAX > 1;
  if (charset.utf8 || charset.multibyte) return charset;
  for (std::size_t i = 0; i < charset.high.size(); ++i) {
    const char byte = static_cast<char>(0x80 + i);
    std::mbstate_t state{};
    wchar_t wide = 0;
    const std::size_t used = std::mbrtowc(&wide, &byte, 1, &state);
    charset.high[i] = used == 1 && wide >= 0x80 ? static_cast<char32_t>(wide) : 0;
  }
  return charset;
}

Utf8Decoder::Step MultibyteDecoder::feed(std::uint8_t byte) {
  bytes_[static_cast<std::size_t>(length_++)] = static_cast<char>(byte);
  // Each try starts afresh: the sets the C library keeps in locales have no
  // shift states.
  std::mbstate_t state{};
  wchar_t wide = 0;
  const std::size_t used =
      std::mbrtowc(&wide, bytes_.data(), static_cast<std::size_t>(length_), &state);
  if (used == static_cast<std::size_t>(-2) && length_ < kLongest) return Utf8Decoder::Step::kMore;
  const int begun = length_;
  length_ = 0;
  if (used == static_cast<std::size_t>(-1) && begun > 1) return Utf8Decoder::Step::kBrokenOff;
  if (used > static_cast<std::size_t>(kLongest) || wide == 0) return Utf8Decoder::Step::kInvalid;
  code_point_ = static_cast<char32_t>(wide);
  return Utf8Decoder::Step::kDone;
}

}  // namespace qb
