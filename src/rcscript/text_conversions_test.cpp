// The text conversions on the answers the form can give, ordinary and odd.
#include "rcscript/text_conversions.h"

#include <gtest/gtest.h>

#include <string>

namespace qb {
namespace {

using namespace std::string_literals;

TEST(TrimRight, DropsOnlyTheTrailingRunOfSpacesAndNuls) {
  EXPECT_EQ(trim_right("app.ico  "), "app.ico");
  EXPECT_EQ(trim_right("  app.ico"), "  app.ico");
  EXPECT_EQ(trim_right("a b "), "a b");
  EXPECT_EQ(trim_right("     "), "");
  EXPECT_EQ(trim_right(""), "");
  EXPECT_EQ(trim_right("tab\t"), "tab\t");
  EXPECT_EQ(trim_right("x \0 \0\0"s), "x");
  EXPECT_EQ(trim_right("a\0b "s), "a\0b"s);  // an inner NUL is not the end
  EXPECT_EQ(trim_right("\0\0\0"s), "");
  EXPECT_EQ(trim_right("\x84 "), "\x84");  // bytes above 0x7F are kept
  EXPECT_EQ(trim_right("a\x88  \0"s, code_page_numbered(932)), "a\x88 ");  // 88 20 is a pair
}

TEST(TrimRight, AWholeFieldStorageTrimsLikeItsText) {
  std::string storage(256, '\0');
  storage.replace(0, 9, "hello.bas");
  EXPECT_EQ(trim_right(storage), "hello.bas");
}

TEST(VersionForms, NumericAndShortFromTypedVersions) {
  EXPECT_EQ(dots_to_commas("1.2.3"), "1,2,3");
  EXPECT_EQ(dots_to_commas("1..2"), "1,,2");
  EXPECT_EQ(dots_to_commas("abc"), "abc");
  EXPECT_EQ(dots_to_commas(""), "");

  EXPECT_EQ(version_to_numeric("1.2.3"), "1,2,3,0");
  EXPECT_EQ(version_to_numeric("1.1.0"), "1,1,0,0");
  EXPECT_EQ(version_to_numeric("12.34"), "12,34,0");
  EXPECT_EQ(version_to_numeric("1.2"), "1,2,0");
  EXPECT_EQ(version_to_numeric(""), ",0");

  EXPECT_EQ(version_to_short("1.2.3"), "1.23");
  EXPECT_EQ(version_to_short("1.1.0"), "1.10");
  EXPECT_EQ(version_to_short("1.2.0"), "1.20");
  EXPECT_EQ(version_to_short("12.34"), "12.4");
  EXPECT_EQ(version_to_short("1.2"), "1.22");
  EXPECT_EQ(version_to_short("12"), "122");
  EXPECT_EQ(version_to_short("7"), "77");
  EXPECT_EQ(version_to_short(""), "");
  // Whole characters only: the pair that byte 3 cuts goes, the last byte brings its pair.
  EXPECT_EQ(version_to_short("12\x95\\3", code_page_numbered(932)), "123");
  EXPECT_EQ(version_to_short("1.2\x95\\", code_page_numbered(932)), "1.2\x95\\");
}

TEST(BaseName, TheBytesBeforeTheFirstDotOrNothing) {
  EXPECT_EQ(base_name("hello.bas"), "hello");
  EXPECT_EQ(base_name("RESFILE.RC"), "RESFILE");
  EXPECT_EQ(base_name("my.app.bas"), "my");
  EXPECT_EQ(base_name("hello"), "");
  EXPECT_EQ(base_name(""), "");
  EXPECT_EQ(base_name(".\\hello.bas"), "");
  EXPECT_EQ(base_name("src\\hello.bas"), "src\\hello");
  EXPECT_EQ(base_name("C:\\tools.2\\x.bas"), "C:\\tools");
  EXPECT_EQ(base_name("my prog.bas"), "my prog");
  EXPECT_EQ(base_name("\x88.b.bas", code_page_numbered(932)), "\x88.b");  // 88 2E is a pair
}

}  // namespace
}  // namespace qb
