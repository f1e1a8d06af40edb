// Splitting command lines into words and redirections, and giving the words
// to the system in the locale's character set.
#include "platform/posix/commands/command_words.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, TheProgramsOwnLines) {
  CommandWords line = split_command_line("GORC.EXE RESFILE>GORC.LOG");
  EXPECT_EQ(line.words, (Words{"GORC.EXE", "RESFILE"}));
  ASSERT_EQ(line.redirections.size(), 1u);
  EXPECT_EQ(line.redirections[0].file, "GORC.LOG");
  EXPECT_FALSE(line.redirections[0].append);

  line = split_command_line("FBC.EXE my prog.bas -a RESFILE.OBJ -x  \t-y>FBC.LOG");
  EXPECT_EQ(line.words, (Words{"FBC.EXE", "my", "prog.bas", "-a", "RESFILE.OBJ", "-x", "-y"}));
  EXPECT_EQ(line.redirections.at(0).file, "FBC.LOG");

  line = split_command_line("DEL RESFILE.RC");
  EXPECT_EQ(line.words, (Words{"DEL", "RESFILE.RC"}));
  EXPECT_TRUE(line.redirections.empty());
}

TEST(SplitCommandLine, QuotesGroupAndAreDropped) {
  CommandWords line = split_command_line("FBC.EXE \"my prog.bas\" a\"b c\"d \"\" \"x>y\">\"o u\"");
  EXPECT_EQ(line.words, (Words{"FBC.EXE", "my prog.bas", "ab cd", "", "x>y"}));
  ASSERT_EQ(line.redirections.size(), 1u);
  EXPECT_EQ(line.redirections[0].file, "o u");

  line = split_command_line("\x88\"\x88>\"\x88\"\">o", code_page_numbered(932));  // 88 22, 88 3E
  EXPECT_EQ(line.words, (Words{"\x88\"\x88>\x88\""}));  // are pairs, no marks
  EXPECT_EQ(line.redirections.at(0).file, "o");
}

TEST(SplitCommandLine, RedirectionsAnywhereAndInOrder) {
  CommandWords line = split_command_line(">first A > second B>>third");
  EXPECT_EQ(line.words, (Words{"A", "B"}));
  ASSERT_EQ(line.redirections.size(), 3u);
  EXPECT_EQ(line.redirections[0].file, "first");
  EXPECT_EQ(line.redirections[1].file, "second");
  EXPECT_EQ(line.redirections[2].file, "third");
  EXPECT_TRUE(line.redirections[2].append);

  line = split_command_line("A >");  // no file after ">"
  EXPECT_EQ(line.words, (Words{"A"}));
  ASSERT_EQ(line.redirections.size(), 1u);
  EXPECT_EQ(line.redirections[0].file, "");

  line = split_command_line("   \t ");
  EXPECT_TRUE(line.words.empty());
  EXPECT_TRUE(line.redirections.empty());
}

TEST(SplitCommandLine, OtherShellBytesAreOrdinary) {
  const CommandWords line = split_command_line("FBC.EXE a;b $(c) `d` e&f g|h <i ^j");
  EXPECT_EQ(line.words, (Words{"FBC.EXE", "a;b", "$(c)", "`d`", "e&f", "g|h", "<i", "^j"}));
  EXPECT_TRUE(line.redirections.empty());
}

TEST(OemToLocale, Utf8AndSingleByteSets) {
  const LocaleCharset utf8;
  LocaleCharset latin1{false, {}};
  for (int byte = 0xA0; byte < 0x100; ++byte) latin1.high[byte - 0x80] = char32_t(byte);
  struct Case {
    const char* oem;
    const LocaleCharset& charset;
    const char* expected;
  };
  const Case cases[] = {
      {"m\x94we.bas -x \xe1.exe", utf8, "m\xc3\xb6we.bas -x \xc3\x9f.exe"},  // ö, ß
      {"\xc9\x01\x7f", utf8, "\xe2\x95\x94\x01\x7f"},                        // ╔; ASCII as it is
      {"m\x94we \xe1", latin1, "m\xf6we \xdf"},
      {"\xc9\x94", latin1, "?\xf6"},  // Latin-1 has no ╔
  };
  for (const Case& c : cases) EXPECT_EQ(oem_to_locale(c.oem, c.charset), c.expected) << c.oem;
}

TEST(OemToLocale, LocaleNamesThatSayUtf8) {
  for (const char* name : {"C.UTF-8", "en_GB.utf8", "de_DE.UTF-8@euro"})
    EXPECT_TRUE(locale_name_says_utf8(name)) << name;
  for (const char* name : {"", "C", "POSIX", "de_DE.ISO-8859-1", "en_US@UTF-8", "UTF-8"})
    EXPECT_FALSE(locale_name_says_utf8(name)) << name;
}

}  // namespace
}  // namespace qb
