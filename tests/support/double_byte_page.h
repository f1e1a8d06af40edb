// For tests of text in a double-byte page: a small page made up from code
// page 437, whose lead bytes 0x88, 0x8E and 0x95 open the pairs 亜 (88 9F),
// 示 (8E A6) and 表 (95 5C) as in code page 932, and no others.
#ifndef QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H
#define QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H

#include <string>

#include "platform/code_page.h"
#include "platform/code_pages/tables.h"

namespace qb {

struct DoubleBytePage {
  DoubleBytePage() {
    rows[0x9F - 0x40] = u'亜';
    rows[192 + 0xA6 - 0x40] = u'示';
    rows[2 * 192 + 0x5C - 0x40] = u'表';
    page.pairs = &pairs;
  }
  DoubleBytePage(const DoubleBytePage&) = delete;
  DoubleBytePage& operator=(const DoubleBytePage&) = delete;

  std::u16string rows = std::u16string(3 * 192, u'\0');
  DoubleBytes pairs{"\x88\x8E\x95", rows, u"", u""};
  CodePage page = kCodePage437;
};

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_DOUBLE_BYTE_PAGE_H
