// The code pages: every byte has its own glyph, typed characters come back
// as their bytes or as Windows' best fit and never as control codes, the
// ANSI tables keep every character 1252 has, the locale picks its page as
// Windows does, and tools' UTF-8 text is read character by character.
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace qb {
namespace {

constexpr const CodePage* kPages[] = {&kCodePage437, &kCodePage850};

TEST(CodePage, GlyphsOfTheProgramsOwnCharactersAndTheSpecialBytes) {
  for (const CodePage* page : kPages) {
    // The box pieces and prompt marker, the blank, control bytes, letters.
    const std::string_view bytes("\xC9\xCD\xBB\xBA\xC8\xBC\xAF\x00\x01\x1B\x7F\x82\xE1\xFF", 14);
    const std::u32string_view glyphs = U"╔═╗║╚╝» ☺←⌂éß\u00A0";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      EXPECT_EQ(page->glyph(static_cast<std::uint8_t>(bytes[i])), glyphs[i]) << page->number;
    }
  }
  EXPECT_EQ(kCodePage437.glyph(0x9B), U'¢');
  EXPECT_EQ(kCodePage850.glyph(0x9B), U'ø');
  EXPECT_EQ(kCodePage850.glyph(0xB8), U'©');
}

// A control byte's glyph may stand in the page too (850 has ¶ and §); typed,
// it is that byte, else "?", never the control.
TEST(CodePage, EveryByteShowsAsItsOwnPrintableGlyphAndComesBackWhenTyped) {
  for (const CodePage* page : kPages) {
    std::set<char32_t> seen;
    for (int byte = 1; byte < 256; ++byte) {
      const char32_t glyph = page->glyph(static_cast<std::uint8_t>(byte));
      EXPECT_GE(glyph, U' ') << byte;
      EXPECT_FALSE(glyph >= 0x7F && glyph < 0xA0) << byte;  // no C1 control either
      if (byte < 0x20 || byte == 0x7F) {
        EXPECT_NE(page->byte_of(glyph), byte) << byte;
        EXPECT_NE(page->typed_byte(glyph), byte) << byte;
        continue;
      }
      EXPECT_TRUE(seen.insert(glyph).second) << "byte " << byte << " shares its glyph";
      EXPECT_EQ(page->byte_of(glyph), byte) << byte;
      EXPECT_EQ(page->typed_byte(glyph), byte) << byte;
    }
  }
}

TEST(CodePage, CharactersAPageLacksAreTypedAsWindowsBestFitOrAQuestionMark) {
  struct Case {
    const CodePage* page;
    char32_t typed;
    std::uint8_t byte;
  };
  for (const Case& c : {Case{&kCodePage437, U'©', 'c'},
                        {&kCodePage437, U'®', 'r'},
                        {&kCodePage437, U'™', 'T'},
                        {&kCodePage437, U'“', '"'},
                        {&kCodePage437, U'”', '"'},
                        {&kCodePage437, U'–', '-'},
                        {&kCodePage437, U'—', '-'},
                        {&kCodePage437, U'Š', 'S'},
                        {&kCodePage437, U'β', 0xE1},
                        {&kCodePage437, U'Ａ', 'A'},
                        {&kCodePage437, U'€', '?'},
                        {&kCodePage437, U'☺', '?'},
                        {&kCodePage437, U'→', '?'},
                        {&kCodePage437, 0x1F600, '?'},
                        {&kCodePage437, U'\u0085', '?'},
                        {&kCodePage850, U'©', 0xB8},
                        {&kCodePage850, U'™', 'T'},
                        {&kCodePage850, U'Ø', 0x9D}}) {
    EXPECT_EQ(c.page->typed_byte(c.typed), c.byte)
        << c.page->number << " U+" << std::hex << static_cast<int>(c.typed);
  }
  for (const CodePage* page : kPages) {
    for (std::size_t i = 1; i < page->best_fit.size(); ++i) {
      EXPECT_LT(page->best_fit[i - 1].code_point, page->best_fit[i].code_point);
      EXPECT_GE(page->best_fit[i].byte, 0x20);
      EXPECT_NE(page->best_fit[i].byte, 0x7F);
    }
  }
}

// OemToCharA: what 1252 also holds keeps its character, the rest become
// the same printable stand-ins as on Windows, never a control or a quote.
TEST(CodePage, AnsiTablesKeepEveryCharacterThatCodePage1252Holds) {
  for (const CodePage* page : kPages) {
    for (int byte = 0x80; byte < 0x100; ++byte) {
      const char32_t glyph = page->glyph(static_cast<std::uint8_t>(byte));
      const std::uint8_t ansi = page->to_ansi[static_cast<std::size_t>(byte - 0x80)];
      if (glyph >= 0xA0 && glyph <= 0xFF) {
        EXPECT_EQ(ansi, glyph) << page->number << " " << byte;
      }
      EXPECT_TRUE(ansi >= 0x20 && ansi != '"' && ansi != 0x7F) << page->number << " " << byte;
    }
  }
  std::string text("M\x84rz \x9C\x33 \xC9\xCD\xBB \xF8 \xB3\xBA\xB0 \xC1\xDF\xF7\xFE");
  oem_to_ansi(kCodePage437, text);
  EXPECT_EQ(text, "M\xE4rz \xA3\x33 +-+ \xB0 \xA6\xA6\xA6 -\xAF\x98\xA6");
  text = "\x9B\xB8\xD5";
  oem_to_ansi(kCodePage850, text);
  EXPECT_EQ(text, "\xF8\xA9i");
}

TEST(CodePage, LocalesGetTheOemPageWindowsGivesThem) {
  for (const auto& [name, number] : {std::pair{"en_US.UTF-8", 437},
                                     {"C", 437},
                                     {"POSIX", 437},
                                     {"C.UTF-8", 437},
                                     {"", 437},
                                     {"ja_JP.UTF-8", 437},
                                     {"en_ZA.UTF-8", 437},
                                     {"de_DE.UTF-8", 850},
                                     {"de_AT", 850},
                                     {"en_GB.UTF-8", 850},
                                     {"en_IE.ISO-8859-15@euro", 850},
                                     {"en_AU.UTF-8", 850},
                                     {"en_CA", 850},
                                     {"en_NZ.UTF-8", 850},
                                     {"fr_FR.UTF-8", 850},
                                     {"es_MX.UTF-8", 850},
                                     {"it_IT", 850},
                                     {"nl_NL", 850},
                                     {"pt_BR.UTF-8", 850},
                                     {"sv_SE.UTF-8", 850},
                                     {"da_DK", 850},
                                     {"nb_NO.UTF-8", 850},
                                     {"fi_FI", 850},
                                     {"is_IS", 850},
                                     {"ca_ES@valencia", 850},
                                     {"de_IT.UTF-8", 437},
                                     {"pt_LU", 437}}) {
    EXPECT_EQ(oem_code_page_of_locale(name).number, number) << name;
  }
}

TEST(CodePage, ToolTextInUtf8IsReadCharacterByCharacterAndOtherTextAsBytes) {
  EXPECT_EQ(oem_from_utf8_text(kCodePage437, "cannot open m\xC3\xB6we.ico \xE2\x80\x93 \xC2\xA9\n"),
            "cannot open m\x94we.ico - c\n");
  EXPECT_EQ(oem_from_utf8_text(kCodePage850, "\xC2\xA9 \xE2\x82\xAC\t\x01"), "\xB8 ?\t\x01");
  for (const std::string_view bytes : {"m\x94we", "\xC3", "\xC3(", "\xE2\x80", "\xC0\xAF",
                                       "\xED\xA0\x80", "\xF8\x88\x80\x80\x80"}) {
    EXPECT_EQ(oem_from_utf8_text(kCodePage437, bytes), bytes);
  }
  std::string encoded;
  for (const char32_t c : {U'a', U'é', U'€', U'😀'}) append_utf8(c, encoded);
  EXPECT_EQ(encoded, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace qb
