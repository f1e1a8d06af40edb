// The character set of the user's locale, as the terminal backend, the key
// decoder and the command runner need it: UTF-8; a single-byte set
// (Latin-1, KOI8-R, plain ASCII under LANG=C...) given as the character each
// byte from 128 to 255 stands for; or a legacy set of several bytes a
// character (Shift_JIS, EUC-JP, GB18030, GBK, Big5, EUC-KR), which the C
// library reads and writes in the locale the program has adopted. And the
// OEM code page that Windows gives the locale's language and territory,
// whose ANSI partner the resource script is in, and the console's page,
// which the form's text is in: that OEM page, unless QB_CODE_PAGE chose
// another. Read once, when the program starts.
#ifndef QB_PLATFORM_POSIX_LOCALE_CHARSET_H
#define QB_PLATFORM_POSIX_LOCALE_CHARSET_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/code_page.h"
#include "platform/text/utf8.h"

namespace qb {

struct LocaleCharset {
  bool utf8 = true;
  // Outside UTF-8: the Unicode character of each byte 128 to 255 (index
  // byte - 128), 0 where the set has none. Bytes 0 to 127 are ASCII.
  std::array<char32_t, 128> high{};
  // The OEM code page Windows gives the locale; its ANSI page is the
  // resource script's.
  const CodePage* oem = &kCodePage437;
  // Outside UTF-8: a character may take several bytes, and the C library
  // (mbrtowc, wcrtomb) reads and writes them in the adopted locale; `high`
  // is then unused.
  bool multibyte = false;
  // The console's page, chosen by QB_CODE_PAGE; null for `oem`.
  const CodePage* console = nullptr;

  // The page of the form's text: what the screen's bytes show, what typed
  // characters and a tool's log become, what a command line is read in.
  const CodePage& console_page() const { return console != nullptr ? *console : *oem; }

  // The byte that stands for `code_point` in a single-byte set, or -1.
  int byte_of(char32_t code_point) const;
  // Appends `code_point` in this set to `out`; false, appending nothing,
  // where the set has no such character.
  bool append_encoded(char32_t code_point, std::string& out) const;
  // Appends `code_point` in this set, or "?" where the set lacks it or for
  // none (0): how a name goes to the system's files and programs.
  void append_encoded_or_mark(char32_t code_point, std::string& out) const {
    if (code_point == 0 || !append_encoded(code_point, out)) out += '?';
  }
  // Text another program wrote (a tool's log), in the console's page: valid
  // UTF-8 as its characters, as if typed; otherwise as the set's characters,
  // as POSIX tools write in the locale's set: in a single-byte set a byte
  // the set lacks as itself, in a multi-byte set bytes that make no
  // character as "?"; in a UTF-8 console as the ANSI page's characters.
  std::string oem_from_program_text(std::string_view text) const;
};

// Reads a legacy multi-byte set one byte at a time, through the C library in
// the adopted locale; the steps are those of Utf8Decoder.
class MultibyteDecoder {
 public:
  static constexpr int kLongest = 4;  // GB18030's and EUC-TW's longest characters

  Utf8Decoder::Step feed(std::uint8_t byte);
  char32_t character() const { return code_point_; }
  // True while a character has begun and not ended.
  bool open() const { return length_ > 0; }

 private:
  std::array<char, kLongest> bytes_{};  // the begun character's bytes
  int length_ = 0;
  char32_t code_point_ = 0;
};

// The character set of the user's locale, from its name where that says
// UTF-8, else from the locale itself, which is then taken for character
// handling (setlocale LC_CTYPE); the OEM code page from its name; the
// console's page numbered `console_number`, or for 0 the OEM page.
LocaleCharset adopt_user_locale(int console_number = 0);
// True for a locale name whose character set is UTF-8 ("en_GB.UTF-8",
// "C.utf8", "de_DE.UTF-8@euro").
bool locale_name_says_utf8(std::string_view name);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_LOCALE_CHARSET_H
