// The code pages: every byte has its own glyph, typed characters come back
// as their bytes or as Windows' best fit and never as control codes, the
// ANSI tables keep every character their ANSI page has, the locale picks its
// page as Windows does, and tools' UTF-8 text is read character by character.
#include "platform/text/code_page.h"
#include "platform/text/locale_page.h"
#include "platform/text/utf8.h"

#include <gtest/gtest.h>

#include "platform/text/page_text.h"
#include "platform/text/pair_lookups.h"

#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace qb {
namespace {

TEST(CodePage, GlyphsOfTheProgramsOwnCharactersAndTheSpecialBytes) {
  for (const CodePage* page : {&kCodePage437, &kCodePage850}) {
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
  EXPECT_EQ(code_page_numbered(866).glyph(0xAF), U'п');  // the prompt marker's byte
  EXPECT_EQ(code_page_numbered(737).glyph(0xAF), U'ψ');
  EXPECT_EQ(code_page_numbered(874).glyph(0xC9), U'ษ');
  EXPECT_EQ(code_page_numbered(874).glyph(0xD1), U'\u0E31');  // a vowel sign, drawn over a letter
  EXPECT_EQ(code_page_numbered(874).glyph(0x81), U'\u0081');  // a byte the page leaves out
  EXPECT_EQ(code_page_numbered(1).number, 437);
}

// A control byte's glyph may stand in the page too (850 has ¶ and §); typed,
// it is that byte, else "?", never the control. A byte that a page leaves
// out stands for a C1 control, and is never typed either. A lead byte is
// no character: its pairs are, and each comes back typed as a pair that
// shows it.
TEST(CodePage, EveryByteShowsAsItsOwnPrintableGlyphAndComesBackWhenTyped) {
  // Every page that Windows gives a locale, and no other.
  const std::set<int> numbers = {437, 720, 737, 775, 850, 852, 855, 857,
                                 862, 866, 874, 932, 936, 949, 950, 1258};
  std::set<int> held;
  for (const CodePage* page : kCodePages) held.insert(page->number);
  EXPECT_EQ(held, numbers);
  for (const CodePage* page : kCodePages) {
    std::set<char32_t> seen;
    for (int byte = 1; byte < 256; ++byte) {
      const auto lead = static_cast<std::uint8_t>(byte);
      for (int trail = 0x40; page->is_lead(lead) && trail < 256; ++trail) {
        const char32_t pair = page->pair_glyph(lead, static_cast<std::uint8_t>(trail));
        const std::string typed = page->typed_bytes(pair);  // "?" and its ending 0 for none
        ASSERT_EQ(page->pair_glyph(static_cast<std::uint8_t>(typed[0]), typed[1]), pair)
            << page->number << " " << byte << " " << trail;
      }
      if (page->is_lead(lead)) continue;
      const char32_t glyph = page->glyph(lead);
      EXPECT_GE(glyph, U' ') << byte;
      if (glyph >= 0x7F && glyph < 0xA0) {
        EXPECT_EQ(page->typed_byte(glyph), '?') << page->number << " " << byte;
        continue;
      }
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
  const CodePage& cyrillic = code_page_numbered(866);
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
                        {&kCodePage850, U'Ø', 0x9D},
                        {&cyrillic, U'«', '<'},
                        {&cyrillic, U'©', 'c'},
                        {&cyrillic, U'Ё', 0xF0},
                        {&cyrillic, U'ґ', '?'},
                        {&code_page_numbered(1258), U'ế', '?'},
                        {&code_page_numbered(1258), U'\u0301', 0xEC}}) {
    EXPECT_EQ(c.page->typed_byte(c.typed), c.byte)
        << c.page->number << " U+" << std::hex << static_cast<int>(c.typed);
  }
  for (const CodePage* page : kCodePages) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i + 1 < page->fit_ranges.size(); i += 2) {
      EXPECT_LE(page->fit_ranges[i], page->fit_ranges[i + 1]) << page->number;
      if (i > 0) {
        EXPECT_LT(page->fit_ranges[i - 1] + 1, page->fit_ranges[i]) << page->number;
      }
      characters += page->fit_ranges[i + 1] - page->fit_ranges[i] + 1U;
    }
    EXPECT_EQ(characters, page->fit_bytes.size()) << page->number;
    for (const char byte : page->fit_bytes) {
      EXPECT_TRUE(static_cast<std::uint8_t>(byte) >= 0x20 && byte != 0x7F) << page->number;
    }
  }
}

// OemToCharA: what 1252 also holds keeps its character, the rest become
// the same printable stand-ins as on Windows, never a control or a quote.
TEST(CodePage, AnsiTablesKeepEveryCharacterThatCodePage1252Holds) {
  for (const CodePage* page : {&kCodePage437, &kCodePage850}) {
    for (int byte = 0x80; byte < 0x100; ++byte) {
      const char32_t glyph = page->glyph(static_cast<std::uint8_t>(byte));
      const std::uint8_t ansi = page->ansi_byte(static_cast<std::uint8_t>(byte));
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
  // A double-byte page is its own ANSI page: a pair becomes the pair Windows
  // gives its character, one without a character and a lone lead the default.
  text = "\xED\x40\x87\x90\x88\x9F\x5C\x81\x7F\xB6\x88";
  oem_to_ansi(code_page_numbered(932), text);
  EXPECT_EQ(text, "\xFA\x5C\x81\xE0\x88\x9F\x5C\x81\x45\xB6\x81\x45");
  text = "\xD6\xD0\x81\x7F\x5C";
  oem_to_ansi(code_page_numbered(936), text);
  EXPECT_EQ(text, "\xD6\xD0?\x5C");
}

// What a user of each language types reaches the resource script in the
// locale's ANSI page byte for byte as on Windows: its page's bytes for each
// character, or the best fit, then OemToCharA.
TEST(CodePage, TypedTextReachesTheAnsiPageAsWindowsPutsIt) {
  const auto ansi_of = [](const CodePage& page, std::u32string_view typed) {
    std::string text;
    for (const char32_t c : typed) text += page.typed_bytes(c);
    oem_to_ansi(page, text);
    return text;
  };
  for (const auto& [locale, typed, ansi] : {
           std::tuple{"ru_RU.UTF-8", U"ООО «Ромашка» © 2024 Ёлка",
                      "\xCE\xCE\xCE <\xD0\xEE\xEC\xE0\xF8\xEA\xE0> c 2024 \xA8\xEB\xEA\xE0"},
           {"uk_UA.UTF-8", U"Їжак і ґудзик, Євген",
            "\xAF\xE6\xE0\xEA ? ?\xF3\xE4\xE7\xE8\xEA, \xAA\xE2\xE3\xE5\xED"},
           {"pl_PL.UTF-8", U"Zażółć gęślą jaźń", "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"},
           {"cs_CZ.UTF-8", U"Příliš žluťoučký kůň",
            "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"},
           {"hu_HU.UTF-8", U"Árvíztűrő", "\xC1rv\xEDzt\xFBr\xF5"},
           {"el_GR.UTF-8", U"Καλημέρα κόσμε",
            "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1 \xEA\xFC\xF3\xEC\xE5"},
           {"tr_TR.UTF-8", U"Ağaç İşleri Şirketi",
            "A\xF0"
            "a\xE7 \xDD\xFE"
            "leri \xDEirketi"},
           {"he_IL.UTF-8", U"שלום עולם", "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED"},
           {"ar_SA.UTF-8", U"مرحبا", "\xE3\xD1\xCD\xC8\xC7"},
           {"lt_LT.UTF-8", U"Ąžuolas", "\xC0\xFEuolas"},
           {"th_TH.UTF-8", U"สวัสดี", "\xCA\xC7\xD1\xCA\xB4\xD5"},
           {"ru_RU.KOI8-R", U"привет", "\xEF\xF0\xE8\xE2\xE5\xF2"},
       }) {
    EXPECT_EQ(ansi_of(oem_code_page_of_locale(locale), typed), ansi) << locale;
  }
  // The double-byte pages, where a trail byte 0x5C stays as it is.
  for (const auto& [number, typed, ansi] : {
           std::tuple{932, U"株式会社ソフト表示",
                      "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6"},
           {932, U"ポ亜\\ｶﾀｶﾅ©¢ⅰ", "\x83\x7C\x88\x9F\\\xB6\xC0\xB6\xC5\x63\x81\x91\xFA\x40"},
           {950, U"許功蓋═", "\xB3\x5C\xA5\x5C\xBB\x5C\xF9\xF9"},
           {936, U"ÿ中文", "?\xD6\xD0\xCE\xC4"},
           {949, U"한국어", "\xC7\xD1\xB1\xB9\xBE\xEE"},
       }) {
    EXPECT_EQ(ansi_of(code_page_numbered(number), typed), ansi) << number;
  }
}

TEST(CodePage, LocalesGetTheOemPageWindowsGivesThem) {
  for (const auto& [name, number] : {std::pair{"en_US.UTF-8", 437},
                                     {"C", 437},
                                     {"POSIX", 437},
                                     {"C.UTF-8", 437},
                                     {"", 437},
                                     {"ja_JP.UTF-8", 932},
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
                                     {"pt_LU", 437},
                                     {"zh_CN.UTF-8", 936},
                                     {"zh_TW.UTF-8", 950},
                                     {"zh_HK.UTF-8", 950},
                                     {"zh_SG.UTF-8", 936},
                                     {"ko_KR.EUC-KR", 949},
                                     {"ru_RU.UTF-8", 866},
                                     {"uk_UA.UTF-8", 866},
                                     {"pl_PL.ISO-8859-2", 852},
                                     {"el_GR.UTF-8", 737},
                                     {"tr_TR.UTF-8", 857},
                                     {"he_IL.UTF-8", 862},
                                     {"ar_EG.UTF-8", 720},
                                     {"lv_LV.UTF-8", 775},
                                     {"th_TH.UTF-8", 874},
                                     {"vi_VN", 1258},
                                     {"sr_RS.UTF-8", 855},
                                     {"sr_RS.UTF-8@latin", 852},
                                     {"sr_RS@latin", 852},
                                     {"sr_ME", 855},
                                     {"bs_BA.UTF-8@cyrillic", 855},
                                     {"uz_UZ.UTF-8", 857},
                                     {"uz_UZ.UTF-8@cyrillic", 866},
                                     {"pa_PK.UTF-8", 720},
                                     {"ckb_IQ.UTF-8", 720},
                                     {"sd_IN.UTF-8", 720},
                                     {"sd_IN.UTF-8@devanagari", 437},
                                     {"ku_TR.ISO-8859-9", 857},
                                     {"az_IR", 720}}) {
    EXPECT_EQ(oem_code_page_of_locale(name).number, number) << name;
  }
}

TEST(CodePage, ToolTextInUtf8IsReadCharacterByCharacterAndOtherTextAsBytes) {
  EXPECT_EQ(oem_from_utf8_text(kCodePage437, "cannot open m\xC3\xB6we.ico \xE2\x80\x93 \xC2\xA9\n"),
            "cannot open m\x94we.ico - c\n");
  EXPECT_EQ(oem_from_utf8_text(kCodePage850, "\xC2\xA9 \xE2\x82\xAC\t\x01"), "\xB8 ?\t\x01");
  EXPECT_EQ(oem_from_utf8_text(kCodePage437, "\xF4\x8F\xBF\xBF"), "?");  // U+10FFFF, the last
  EXPECT_EQ(oem_from_utf8_text(kCodePage437, "\xC2\x80"), "?");  // a C1 control, never a byte
  for (const std::string_view bytes :
       {"m\x94we", "\xC3", "\xC3(", "\xE2\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80",
        "\xF4\x90\x80\x80"}) {
    EXPECT_EQ(oem_from_utf8_text(kCodePage437, bytes), bytes);
    EXPECT_FALSE(is_utf8(bytes)) << bytes;
  }
  std::string encoded;
  for (const char32_t c : {U'a', U'é', U'€', U'😀'}) append_utf8(c, encoded);
  EXPECT_EQ(encoded, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

// Characters are found from the text's start: a pair's second byte is no
// character of its own, whatever byte it is. A page whose one lead byte
// 0x88 pairs with 0x9F as 亜, as in code page 932.
TEST(PageText, APairsSecondByteIsNeverACharacterOfItsOwn) {
  std::u16string rows(192, u'\0');
  rows[0x9F - 0x40] = u'亜';
  const DoubleBytes pairs{"\x88", rows, u"亜", u"\x889F"};  // with its index
  CodePage page = kCodePage437;
  page.pairs = &pairs;
  const std::string_view text = "\x88\x9F\x5C\x88\x5C,\x88";  // 亜 \ (88 5C) , and a lone lead
  EXPECT_EQ(page.pair_glyph(0x88, 0x9F), U'亜');
  EXPECT_EQ(page.typed_bytes(U'亜'), "\x88\x9F");
  EXPECT_EQ(kCodePage437.typed_bytes(U'亜'), "?");
  const std::size_t starts[] = {0, 0, 2, 3, 3, 5, 6, 7};
  for (std::size_t at = 0; at <= text.size(); ++at)
    EXPECT_EQ(character_start(page, text, at), starts[at]) << at;
  EXPECT_EQ(character_start(kCodePage437, text, 1), 1u);
  EXPECT_EQ(whole_characters(page, text, 4), 3u);
  EXPECT_EQ(whole_characters(page, text, 5), 5u);
  EXPECT_EQ(find_character(page, text, '\\'), 2u);
  EXPECT_EQ(find_character(page, text, '\\', 3), std::string_view::npos);
  EXPECT_EQ(find_character(kCodePage437, text, '\\', 3), 4u);
  EXPECT_EQ(find_character(page, text, ','), 5u);
  // On rows of 4 cells: 亜 at 0-1, \ at 2, the pair 88 5C past the row's
  // last cell, left blank, at 4-5, the comma at 6 and the lone lead at 7.
  const long cells[] = {0, 0, 2, 4, 4, 6, 7, 8};
  for (std::size_t at = 0; at <= text.size(); ++at)
    EXPECT_EQ(cell_of(page, text, starts[at], 0, 4), cells[at]) << at;
  const std::size_t at_cell[] = {0, 0, 2, 3, 3, 3, 5, 6, 7, 7};
  for (long cell = 0; cell < 10; ++cell)
    EXPECT_EQ(character_at_cell(page, text, cell, 0, 4), at_cell[cell]) << cell;
  EXPECT_EQ(character_at_cell(page, text, 2, 3, 4), 0u);  // before the text
  EXPECT_EQ(placed_cell(7, 2, 4), 8);                     // the screen's rule, one pair at a time
  EXPECT_EQ(placed_cell(7, 1, 4), 7);
  EXPECT_EQ(placed_cell(6, 2, 4), 6);
}

// UTF-8 is read as the pairs are, from the text's start: a character is a
// valid sequence of one to four bytes, a wide one takes two cells and never
// straddles a row's end, a combining mark takes a cell of its own, and a
// byte that starts no valid sequence is one byte that is no character.
TEST(PageText, Utf8IsReadAsThePairsAre) {
  const CodePage& page = code_page_numbered(65001);
  // a 😀 é \ 日 e U+0301 x y 日: on rows of 4 cells the last 日 would start on
  // a row's last cell, and starts on the next row.
  const std::string_view text =
      "a\xF0\x9F\x98\x80\xC3\xA9\\\xE6\x97\xA5"
      "e\xCC\x81xy\xE6\x97\xA5";
  const std::size_t starts[] = {0, 1, 5, 7, 8, 11, 12, 14, 15, 16};
  const long cells[] = {0, 1, 3, 4, 5, 7, 8, 9, 10, 12};
  for (std::size_t i = 0; i < std::size(starts); ++i) {
    const std::size_t next = i + 1 < std::size(starts) ? starts[i + 1] : text.size();
    EXPECT_EQ(character_size(page, text, starts[i]), next - starts[i]) << i;
    EXPECT_EQ(character_start(page, text, next - 1), starts[i]) << i;
    EXPECT_EQ(cell_of(page, text, starts[i], 0, 4), cells[i]) << i;
  }
  EXPECT_EQ(cell_of(page, text, text.size(), 0, 4), 14);
  EXPECT_EQ(character_at_cell(page, text, 2, 0, 4), 1u);    // 😀's second cell
  EXPECT_EQ(character_at_cell(page, text, 11, 0, 4), 16u);  // the blank before the last 日
  EXPECT_EQ(whole_characters(page, text, 4), 1u);
  EXPECT_EQ(whole_characters(page, text, 7), 7u);
  EXPECT_EQ(find_character(page, text, '\\'), 7u);
  EXPECT_EQ(code_point_at(page, text, 1), U'😀');
  EXPECT_EQ(page.typed_bytes(U'😀'), "\xF0\x9F\x98\x80");
  EXPECT_FALSE(page.stands_alone(0xC3));
  // Overlong, a surrogate, beyond U+10FFFF, broken off: each byte stands
  // alone as no character; C1 controls and surrogates never become text.
  for (const std::string_view bad :
       {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF0\x9F\x98"}) {
    EXPECT_EQ(character_size(page, bad, 0), 1u) << bad;
    EXPECT_EQ(code_point_at(page, bad, 0), 0u) << bad;
  }
  EXPECT_EQ(page.typed_bytes(0x85), "?");
  EXPECT_EQ(page.typed_bytes(0xD83D), "?");
}

}  // namespace
}  // namespace qb
