// For tests of the rules on pairs: code page 437 with the lead bytes of 932's
// ポ 83 7C, 亜 88 9F, 表 95 5C and of 950's 功 A5 5C, 許 B3 5C, 蓋 BB 5C.
// Of all their pairs only ポ and 表 have their characters.
#ifndef QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H
#define QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H

#include <string>

#include "platform/code_pages/tables.h"

namespace qb::test {

// The page, made on the first call.
inline const CodePage& double_byte_page() {
  static std::u16string rows(6 * 192, u'\0');  // a row for each lead: 83 88 95 A5 B3 BB
  rows[0x7C - 0x40] = u'ポ';
  rows[2 * 192 + 0x5C - 0x40] = u'表';
  static const DoubleBytes pairs{"\x83\x88\x95\xA5\xB3\xBB", rows, u"", u""};
  static CodePage page = kCodePage437;
  page.pairs = &pairs;
  return page;
}

}  // namespace qb::test

#endif  // QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H
