// For tests of text in a double-byte code page without the generated
// tables: code page 437 with four lead bytes whose pairs are as in the real
// pages, each standing for a kind of pair: 83 BF α and 84 9F ─ (932; a
// terminal may draw them one cell wide), 88 9F 亜 (932) and C9 CD 赏 (936,
// where the box corner of the program's marks leads a pair). The lead
// bytes have no character of their own.
#ifndef QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H
#define QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/code_pages/tables.h"

namespace qb {

inline const CodePage& double_byte_page() {
  static constexpr std::string_view kLeads = "\x83\x84\x88\xC9";
  static const std::u16string rows = [] {
    std::u16string made(kLeads.size() * 192, u'\0');
    made[0 * 192 + 0xBF - 0x40] = u'α';
    made[1 * 192 + 0x9F - 0x40] = u'─';
    made[2 * 192 + 0x9F - 0x40] = u'亜';
    made[3 * 192 + 0xCD - 0x40] = u'赏';
    return made;
  }();
  static const std::u16string upper = [] {
    std::u16string made(kCodePage437.upper);
    for (const char lead : kLeads) made[static_cast<unsigned char>(lead) - 0x80] = u'\0';
    return made;
  }();
  static const DoubleBytes pairs{kLeads, rows, u"", u""};
  static const CodePage page = [] {
    CodePage made = kCodePage437;
    made.upper = upper;
    made.pairs = &pairs;
    return made;
  }();
  return page;
}

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H
