// Conversion from page to page: from each OEM page into its ANSI page it
// is OemToCharA's own table, byte for byte and pair for pair, but for the
// bytes listed; and text carries between pages as under Windows.
#include "platform/text/page_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace qb {
namespace {

// The bytes that these pages leave to a C1 control (U+0080 to U+009F), having
// no character there: OemToCharA passes each on as itself, since
// WideCharToMultiByte gives a C1 control its own byte, but the conversion
// gives "?", since it never makes a control code of a character.
constexpr std::pair<int, std::string_view> kC1Bytes[] = {
    {874,
     "\x81\x82\x83\x84\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x98\x99\x9A\x9B\x9C\x9D"
     "\x9E\x9F"},
    {932, "\x80"},
    {949, "\x80"},
    {950, "\x80"},
    {1258, "\x81\x8A\x8D\x8E\x8F\x90\x9A\x9D\x9E"},
};

// OemToCharA of `text` in `page`, or "?" for one of its C1 bytes.
std::string expected_ansi(const CodePage& page, std::string text) {
  for (const auto& [number, bytes] : kC1Bytes) {
    if (number != page.number || text.size() != 1 || bytes.find(text[0]) == bytes.npos) continue;
    EXPECT_GE(page.glyph(static_cast<std::uint8_t>(text[0])), 0x80U);
    EXPECT_LT(page.glyph(static_cast<std::uint8_t>(text[0])), 0xA0U);
    return "?";
  }
  oem_to_ansi(page, text);
  return text;
}

TEST(PageConversion, FromEachOemPageToItsAnsiPageItIsOemToCharA) {
  for (const CodePage* page : kCodePages) {
    const CodePage& ansi = ansi_page_numbered(page->ansi_number);
    ASSERT_EQ(ansi.number, page->ansi_number);
    for (int byte = 0; byte < 0x100; ++byte) {
      std::vector<std::string> texts = {std::string(1, static_cast<char>(byte))};
      for (int trail = 0; page->is_lead(static_cast<std::uint8_t>(byte)) && trail < 0x100; ++trail)
        texts.push_back({static_cast<char>(byte), static_cast<char>(trail)});
      for (const std::string& text : texts) {
        ASSERT_EQ(convert_text(*page, ansi, text), expected_ansi(*page, text))
            << page->number << " " << testing::PrintToString(text);
      }
    }
  }
  EXPECT_EQ(ansi_page_numbered(437).number, 1252);
}

// Each case as wine's MultiByteToWideChar and WideCharToMultiByte make it,
// between ANSI and OEM pages.
TEST(PageConversion, TextCarriesBetweenPagesAsWindowsConvertsIt) {
  const auto numbered = [](int number) -> const CodePage& {
    const CodePage& ansi = ansi_page_numbered(number);
    return ansi.number == number ? ansi : code_page_numbered(number);
  };
  for (const auto& [from, to, text, converted] : {
           std::tuple{1251, 1251, "\xCF\xF0\xE8\xE2\xE5\xF2 \xAB\xEC\xE8\xF0\xBB",
                      "\xCF\xF0\xE8\xE2\xE5\xF2 \xAB\xEC\xE8\xF0\xBB"},  // Привет «мир»
           {866, 1251, "\x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0, \xF0\xAB\xAA\xA0 \xC9\xCD\xBB\xFC",
            "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0, \xA8\xEB\xEA\xE0 \xE3=\xAC\xB9"},
           {1252, 866, "\xABmot\xBB \xE9t\xE9 \xA9\t", "<mot> ete c\t"},
           {1251, 437, "\xCF\xF0\xE8 \xAB\xBB \xA9", "??? \xAE\xAF c"},
           {932, 1252, "\x83\x7C\x88\x9F\xB6\x81\x45", "???\xB7"},
           // ・, 932's default, for a pair without a character and a lone lead byte.
           {932, 1252, "A\x85\x40-\x88", "A\xB7-\xB7"},
           {932, 437, "A\x85\x40", "A\xFA"},
           {936, 1252, "A\xD6\x7F-\xD6", "A?-?"},
       }) {
    EXPECT_EQ(convert_text(numbered(from), numbered(to), text), converted)
        << from << " " << to << " " << text;
  }
}

}  // namespace
}  // namespace qb
