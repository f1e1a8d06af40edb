// The console's code pages as data: the character each byte stands for,
// the byte Windows puts in place of a character a page lacks (its best fit),
// the page's table to its ANSI partner that OemToCharA applies, and the
// characters of that ANSI page, in which a resource compiler reads a script. The
// form's text is one byte a character in such a page (one or two in a
// double-byte page, one to four in UTF-8, code page 65001); the screen shows
// the bytes through it, typed characters come into it, and the resource
// script leaves it for the ANSI page. On POSIX the page is the one Windows
// gives the user's locale unless QB_CODE_PAGE names another; code page 437
// serves wherever one must be chosen. The ANSI pages that are no OEM page
// (1250 to 1257) have records of the same kind, each its own ANSI page, for
// text converted from one page to another. The pages' data (code_pages/) is
// made by scripts/make-code-pages.sh from the system's own functions.
#ifndef QB_PLATFORM_TEXT_CODE_PAGE_H
#define QB_PLATFORM_TEXT_CODE_PAGE_H

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qb {

// The pairs of a double-byte page (pair_lookups.h).
struct DoubleBytes;

// No pair of a double-byte page has a second byte below this one.
inline constexpr int kFirstTrailByte = 0x40;
// The number Windows gives UTF-8 as a code page.
inline constexpr int kUtf8CodePage = 65001;

// One code page, OEM or ANSI; bytes 0x00 to 0x7F are ASCII in every one. In the
// double-byte pages (932, 936, 949, 950) a character is one byte, or a lead
// byte and the byte after it, a pair; in UTF-8 (65001) it is one to four
// bytes of valid UTF-8, and a byte from 0x80 is never one on its own; in the
// others every byte is one.
struct CodePage {
  int number;
  int ansi_number;                 // the ANSI page OemToCharA converts to
  std::u16string_view upper;       // the character of each byte 0x80 to 0xFF;
                                   // 0 for a lead byte
  std::string_view to_ansi;        // OemToCharA of each byte 0x80 to 0xFF; 0
                                   // for a lead byte
  std::u16string_view ansi_upper;  // the character of each byte 0x80 to 0xFF in
                                   // the ANSI page; 0 where it has none, and
                                   // for a lead byte
  std::u16string_view fit_ranges;  // the characters with a best fit: first and
                                   // last code point of each range, ascending
                                   // (a double-byte page keeps its best fit,
                                   // which may be a pair, with its pairs)
  std::string_view fit_bytes;      // the best fit of each of them, in order;
                                   // never a control byte
  const DoubleBytes* pairs;        // the pairs of a double-byte page, else null

  // True for UTF-8, code page 65001.
  bool is_utf8() const { return number == kUtf8CodePage; }
  // True where every byte is a character and a cell: neither pairs nor UTF-8.
  bool one_byte() const { return pairs == nullptr && !is_utf8(); }
  // True when `byte` opens a pair: never in a one-byte page.
  bool is_lead(std::uint8_t byte) const;
  // True when `byte` is a whole character by itself: not a lead byte, and
  // in UTF-8 below 0x80.
  bool stands_alone(std::uint8_t byte) const { return is_utf8() ? byte < 0x80 : !is_lead(byte); }
  // The character of the pair `lead`, `trail`; 0 where the page has none.
  char32_t pair_glyph(std::uint8_t lead, std::uint8_t trail) const;
  // The bytes a typed `code_point` becomes, one or a pair, as the Windows
  // console makes them: its own, else Windows' best fit, else "?"; in UTF-8
  // its UTF-8 form. A control character becomes "?" in every page.
  std::string typed_bytes(char32_t code_point) const;

  // The glyph `byte` shows as: the control bytes 1 to 31 and 127 as their
  // PC glyphs (smileys, arrows, the house), byte 0 as a blank.
  char32_t glyph(std::uint8_t byte) const;
  // The byte whose glyph is `code_point`, or -1; control glyphs and control
  // characters give -1, so typed text never brings a control code.
  int byte_of(char32_t code_point) const;
  // The byte a typed `code_point` becomes, as the Windows console makes it:
  // its own byte, else Windows' best fit (© is c under 437), else "?".
  std::uint8_t typed_byte(char32_t code_point) const;
  // OemToCharA of `byte`.
  std::uint8_t ansi_byte(std::uint8_t byte) const;
};

extern const CodePage kCodePage437;    // United States (and the fallback)
extern const CodePage kCodePage850;    // Western European
extern const CodePage kCodePage65001;  // UTF-8
// Every OEM page that Windows gives a locale, 437 and 850 included, and the
// double-byte pages 932, 936, 949 and 950.
extern const std::span<const CodePage* const> kCodePages;

// The page numbered `number`: UTF-8 for 65001, code page 437 for one not in
// kCodePages.
const CodePage& code_page_numbered(int number);

// Every ANSI page with tables: 874, 932, 936, 949, 950 and 1258, which are
// OEM pages too and their own ANSI pages, and 1250 to 1257. Not among
// kCodePages, which are the pages a console may have.
extern const std::span<const CodePage* const> kAnsiPages;
// The ANSI page numbered `number`; code page 1252 for one not in kAnsiPages.
const CodePage& ansi_page_numbered(int number);

// Converts text in place from `page` to its ANSI page as OemToCharA does:
// one byte to one byte; in a double-byte page, which is its own ANSI page, a
// pair to its character's pair (mostly itself), and a pair without a
// character or a lead byte that ends the text to the page's default.
void oem_to_ansi(const CodePage& page, std::string& text);
// Text that another program wrote, in `page`'s bytes: valid UTF-8 character
// by character as if typed; anything else as its bytes, unchanged.
std::string oem_from_utf8_text(const CodePage& page, std::string_view text);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_CODE_PAGE_H
