// Taking the first field of a typed line.
#include <gtest/gtest.h>

#include <string>

#include "form/answer.h"

namespace qb {
namespace {

TEST(TakeAnswer, UnquotedFieldEndsAtTheFirstCommaAndKeepsInnerAndTrailingSpaces) {
  EXPECT_EQ(take_answer("  abc, def"), "abc");
  EXPECT_EQ(take_answer("\t \tExample Ltd, all rights reserved"), "Example Ltd");
  EXPECT_EQ(take_answer("1.2.3 "), "1.2.3 ");
  EXPECT_EQ(take_answer("-s gui -x app.exe"), "-s gui -x app.exe");
  EXPECT_EQ(take_answer("a\"b\"c"), "a\"b\"c");  // a quote not at the start is ordinary
  EXPECT_EQ(take_answer("n, y"), "n");
  // In a double-byte page a pair's second byte is no comma, quote or blank.
  const CodePage& pairs = code_page_numbered(932);
  EXPECT_EQ(take_answer(" \x88, \x88 ,x", pairs), "\x88, \x88 ");
  EXPECT_EQ(take_answer("\"\x88\"\x95\\\"x", pairs), "\x88\"\x95\\");
}

TEST(TakeAnswer, QuotedFieldRunsToTheNextQuoteOrTheEnd) {
  EXPECT_EQ(take_answer("\"a, b\"c"), "a, b");
  EXPECT_EQ(take_answer("   \"abc"), "abc");
  EXPECT_EQ(take_answer("\"\""), "");
  EXPECT_EQ(take_answer("\"  lead, trail  \" , more"), "  lead, trail  ");
}

TEST(TakeAnswer, BlankOrCommaFirstLinesGiveTheEmptyAnswer) {
  EXPECT_EQ(take_answer(""), "");
  EXPECT_EQ(take_answer("     "), "");
  EXPECT_EQ(take_answer(" \t "), "");
  EXPECT_EQ(take_answer(",abc"), "");
  EXPECT_EQ(take_answer("  ,abc"), "");
}

TEST(TakeAnswer, EveryByteCountsAndAnswersStopAt4096) {
  const std::string bytes{'\x01', '\x7F', '\xAF', '\xFF', '\0', 'z'};
  EXPECT_EQ(take_answer(bytes), bytes);

  std::string line(5000, 'x');
  line[4095] = 'L';
  EXPECT_EQ(take_answer(line), line.substr(0, 4096));
  EXPECT_EQ(take_answer("   " + line), line.substr(0, 4096));  // skipped blanks do not count
  EXPECT_EQ(take_answer("\"" + line + "\"").size(), 4096u);
  std::string wide = "A";  // and 2048 pairs: the pair that byte 4096 would cut goes
  for (int i = 0; i < 2048; ++i) wide += "\x95\x5C";
  EXPECT_EQ(take_answer(wide, code_page_numbered(932)), wide.substr(0, 4095));
}

}  // namespace
}  // namespace qb
