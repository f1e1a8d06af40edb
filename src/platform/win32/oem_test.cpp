// The system's OEM-to-ANSI conversion as the resource script writer uses it,
// and the code page tables of other systems held against the system's own
// functions, entry by entry, for every page: the glyphs
// (MultiByteToWideChar), OemToCharA's table to the ANSI page, the ANSI
// page's characters, and the best fit of typed characters
// (WideCharToMultiByte); in the double-byte pages also which bytes lead a
// pair (IsDBCSLeadByteEx), and every pair both ways; the same of the ANSI
// pages that are no OEM page; and the page of each locale glibc supports
// held against Windows' locales.
#include "platform/win32/oem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/code_page.h"
#include "platform/text/locale_page.h"

namespace qb {
namespace {

// Every locale glibc supports, with the script glibc writes it in, as the
// build found them in glibc's locale sources; none where it found none.
struct GlibcLocale {
  const char* name;    // "sr_RS@latin"
  const char* script;  // "Latn"
};
constexpr GlibcLocale kGlibcLocales[] = {
#include "glibc_locales.inc"
    {nullptr, nullptr}};

std::wstring locale_text(const std::wstring& name, LCTYPE type) {
  wchar_t text[LOCALE_NAME_MAX_LENGTH] = {};
  GetLocaleInfoEx(name.c_str(), type, text, LOCALE_NAME_MAX_LENGTH);
  return text;
}

// Whether Windows has the locale `name` and writes it in `script`: the one
// that its name, or the name it resolves to, says, or else one it lists.
bool windows_writes(const std::wstring& name, const std::wstring& script) {
  if (_wcsicmp(locale_text(name, LOCALE_SNAME).c_str(), name.c_str()) != 0) return false;
  wchar_t resolved[LOCALE_NAME_MAX_LENGTH] = {};
  ResolveLocaleName(name.c_str(), resolved, LOCALE_NAME_MAX_LENGTH);
  const std::wstring parts = std::wstring(resolved) + L"-";
  const std::size_t second = parts.find(L'-') + 1;
  if (parts.find(L'-', second) == second + 4) return parts.substr(second, 4) == script;
  return (L";" + locale_text(resolved, LOCALE_SSCRIPTS)).find(L";" + script + L";") !=
         std::wstring::npos;
}

// The page the program gives a Windows locale: its OEM page if one or two
// bytes wide (932, 936, 949, 950), else 437.
int windows_page(const std::wstring& name) {
  DWORD page = 0;
  GetLocaleInfoEx(name.c_str(), LOCALE_IDEFAULTCODEPAGE | LOCALE_RETURN_NUMBER,
                  reinterpret_cast<LPWSTR>(&page), 2);
  CPINFO info{};
  return page > 2 && GetCPInfo(page, &info) != FALSE && info.MaxCharSize <= 2
             ? static_cast<int>(page)
             : 437;
}

BOOL CALLBACK add_name(LPWSTR name, DWORD, LPARAM names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(name);
  return TRUE;
}

// The page most of the territory's locales have: of those with an LCID of
// their own if any, of those written in `script` if any; a tie goes to the
// language with more locales.
int territory_page(const std::vector<std::wstring>& specific, const std::wstring& territory,
                   const std::wstring& script) {
  const auto language = [](const std::wstring& name) { return name.substr(0, name.find(L'-')); };
  std::vector<std::wstring> pool;
  for (int level = 0; level < 4 && pool.empty(); ++level) {
    for (const std::wstring& name : specific) {
      const bool own_lcid = LocaleNameToLCID(name.c_str(), 0) != LOCALE_CUSTOM_UNSPECIFIED;
      if (locale_text(name, LOCALE_SISO3166CTRYNAME) == territory && (level >= 2 || own_lcid) &&
          (level % 2 == 1 || windows_writes(name, script)))
        pool.push_back(name);
    }
  }
  std::map<int, std::pair<std::ptrdiff_t, std::ptrdiff_t>> votes;  // its locales, widest language's
  for (const std::wstring& name : pool) {
    auto& [count, widest] = votes[windows_page(name)];
    ++count;
    widest =
        std::max(widest, std::count_if(specific.begin(), specific.end(), [&](const auto& other) {
                   return language(other) == language(name);
                 }));
  }
  if (votes.empty()) return 437;
  return std::max_element(votes.begin(), votes.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// The character the system gives `byte` in code page `page`; with
// MB_ERR_INVALID_CHARS in `flags`, 0 for a byte the page leaves undefined.
wchar_t system_character(unsigned page, int byte, DWORD flags = 0) {
  const char narrow = static_cast<char>(byte);
  wchar_t wide = 0;
  MultiByteToWideChar(page, flags, &narrow, 1, &wide, 1);
  return wide;
}

// The byte the system gives `ch` in code page `page`, best fit on (the
// default), or "?" where it has none.
int system_byte(unsigned page, wchar_t ch) {
  char narrow = 0;
  BOOL defaulted = FALSE;
  if (WideCharToMultiByte(page, 0, &ch, 1, &narrow, 1, nullptr, &defaulted) != 1 || defaulted) {
    return '?';
  }
  return static_cast<unsigned char>(narrow);
}

// The bytes a typed `ch` becomes, one or a pair: "?" for a control character
// and where the system gives a control byte or none.
std::string typed_system_bytes(unsigned page, wchar_t ch) {
  if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) return "?";
  char narrow[2] = {};
  BOOL defaulted = FALSE;
  const int size = WideCharToMultiByte(page, 0, &ch, 1, narrow, 2, nullptr, &defaulted);
  if (size < 1 || defaulted != FALSE) return "?";
  const auto first = static_cast<unsigned char>(narrow[0]);
  if (size == 1 && (first < 0x20 || first == 0x7F)) return "?";
  return std::string(narrow, static_cast<std::size_t>(size));
}

// OemToCharA of `bytes` from `page`, as the system does it: through Unicode.
std::string system_ansi(const CodePage& page, const std::string& bytes) {
  wchar_t wide[4] = {};
  const int size = MultiByteToWideChar(static_cast<unsigned>(page.number), 0, bytes.data(),
                                       static_cast<int>(bytes.size()), wide, 4);
  char narrow[8] = {};
  const int ansi = WideCharToMultiByte(static_cast<unsigned>(page.ansi_number), 0, wide, size,
                                       narrow, 8, nullptr, nullptr);
  return std::string(narrow, static_cast<std::size_t>(ansi));
}

// The pairs of `lead` in a double-byte page, each one's character and
// OemToCharA of it, and OemToCharA of the lead byte alone.
void expect_pairs_are_the_systems(const CodePage& page, int lead) {
  const auto number = static_cast<unsigned>(page.number);
  for (int trail = 0; trail < 0x100; ++trail) {
    const std::string bytes = trail == 0
                                  ? std::string(1, static_cast<char>(lead))
                                  : std::string{static_cast<char>(lead), static_cast<char>(trail)};
    wchar_t wide[2] = {};
    const bool defined = trail > 0 && MultiByteToWideChar(number, MB_ERR_INVALID_CHARS,
                                                          bytes.data(), 2, wide, 2) == 1;
    if (trail > 0) {
      EXPECT_EQ(page.pair_glyph(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail)),
                defined ? static_cast<char32_t>(wide[0]) : U'\0')
          << number << " " << lead << " " << trail;
    }
    std::string ansi = bytes;
    oem_to_ansi(page, ansi);
    EXPECT_EQ(ansi, system_ansi(page, bytes)) << number << " " << lead << " " << trail;
  }
}

TEST(Win32Oem, ConvertsInPlaceAndKeepsTheLength) {
  std::string umlaut = "M\x84rz";
  oem_to_ansi(umlaut);
  EXPECT_EQ(umlaut, "M\xE4rz");
  std::string empty;
  oem_to_ansi(empty);
  EXPECT_EQ(empty, "");
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string before = all;
  oem_to_ansi(all);
  ASSERT_EQ(all.size(), before.size());
  EXPECT_EQ(all.substr(0x20, 0x5F), before.substr(0x20, 0x5F));  // ASCII unchanged
  // The process's own OEM page, where the tables of other systems have it.
  for (const CodePage* page : kCodePages) {
    if (page->number != static_cast<int>(GetOEMCP())) continue;
    for (int byte = 0x80; byte < 0x100; ++byte) {
      EXPECT_EQ(static_cast<unsigned char>(all[static_cast<std::size_t>(byte - 1)]),
                page->ansi_byte(static_cast<std::uint8_t>(byte)))
          << byte;
    }
  }
}

// In a double-byte OEM page the length may change: a lone lead byte at the
// end and an undefined pair convert as the tables say. The build runs this
// case again in the locales of 932 and 936; in others it is skipped.
TEST(Win32Oem, ADoubleBytePageChangesTheLengthAsTheTablesSay) {
  const CodePage& page = code_page_numbered(static_cast<int>(GetOEMCP()));
  if (page.pairs == nullptr) GTEST_SKIP() << "a one-byte OEM page";
  int lead = 0x81;
  while (!page.is_lead(static_cast<std::uint8_t>(lead))) ++lead;
  std::string undefined;
  for (int code = 0x8140; undefined.empty() && code < 0x10000; ++code) {
    const auto first = static_cast<std::uint8_t>(code >> 8);
    const auto second = static_cast<std::uint8_t>(code & 0xFF);
    if (second >= 0x40 && page.is_lead(first) && page.pair_glyph(first, second) == 0)
      undefined = {static_cast<char>(first), static_cast<char>(second)};
  }
  for (const std::string& text :
       {"A" + std::string(1, static_cast<char>(lead)),
        "A" + undefined + "B" + std::string(1, static_cast<char>(lead))}) {
    std::string system = text;
    std::string tables = text;
    oem_to_ansi(system);
    oem_to_ansi(page, tables);
    EXPECT_EQ(system, tables) << page.number;
  }
}

// OemToCharA goes through Unicode: the OEM byte's character, then the ANSI
// page's byte for it, or its best fit.
TEST(Win32Oem, TheTablesOfOtherSystemsAreTheSystemsOwn) {
  for (const CodePage* page : kCodePages) {
    const auto number = static_cast<unsigned>(page->number);
    for (int byte = 0; byte < 0x100; ++byte) {
      const bool lead = IsDBCSLeadByteEx(number, static_cast<BYTE>(byte)) != FALSE;
      EXPECT_EQ(page->is_lead(static_cast<std::uint8_t>(byte)), lead) << number << " " << byte;
      if (lead) expect_pairs_are_the_systems(*page, byte);
      if (lead || byte < 0x80) continue;
      const wchar_t ch = system_character(number, byte);
      EXPECT_EQ(ch, page->glyph(static_cast<std::uint8_t>(byte))) << number << " " << byte;
      const auto ansi = static_cast<unsigned>(page->ansi_number);
      EXPECT_EQ(system_byte(ansi, ch), page->ansi_byte(static_cast<std::uint8_t>(byte)))
          << number << " " << byte;
      EXPECT_EQ(system_character(ansi, byte, MB_ERR_INVALID_CHARS), page->ansi_upper[byte - 0x80])
          << ansi << " " << byte;
    }
    for (char32_t ch = 0x80; ch < 0x10000; ++ch) {
      if (ch >= 0xD800 && ch < 0xE000) continue;  // surrogates are no characters
      ASSERT_EQ(page->typed_bytes(ch), typed_system_bytes(number, static_cast<wchar_t>(ch)))
          << number << " U+" << std::hex << static_cast<unsigned>(ch);
    }
  }
}

// The ANSI pages that are no OEM page, each its own ANSI page: the character
// of each byte (0 where the page leaves it undefined), each byte as itself,
// and the bytes of every typed character.
TEST(Win32Oem, TheAnsiPagesAreTheSystemsOwn) {
  for (const CodePage* page : kAnsiPages) {
    if (&code_page_numbered(page->number) == page) continue;  // an OEM page, held above
    const auto number = static_cast<unsigned>(page->number);
    EXPECT_EQ(page->ansi_number, page->number);
    EXPECT_EQ(page->ansi_upper, page->upper) << number;
    for (int byte = 0x80; byte < 0x100; ++byte) {
      const wchar_t ch = system_character(number, byte, MB_ERR_INVALID_CHARS);
      EXPECT_EQ(page->upper[byte - 0x80], ch) << number << " " << byte;
      EXPECT_EQ(page->ansi_byte(static_cast<std::uint8_t>(byte)), ch == 0 ? 0 : byte) << number;
    }
    for (char32_t ch = 0x80; ch < 0x10000; ++ch) {
      if (ch >= 0xD800 && ch < 0xE000) continue;  // surrogates are no characters
      ASSERT_EQ(page->typed_bytes(ch), typed_system_bytes(number, static_cast<wchar_t>(ch)))
          << number << " U+" << std::hex << static_cast<unsigned>(ch);
    }
  }
}

// A glibc locale gets the page of Windows' locale for its language in its
// script (L-S-T, L-T, L-S or L, each only if written in the script), else
// its territory's: Windows' own answers, not the program's tables.
TEST(Win32Oem, EachGlibcLocaleGetsThePageOfItsLanguageInItsScriptElseItsTerritorys) {
  if (kGlibcLocales[0].name == nullptr) GTEST_SKIP() << "the build found no glibc locales";
  std::vector<std::wstring> specific;
  EnumSystemLocalesEx(add_name, LOCALE_SPECIFICDATA, reinterpret_cast<LPARAM>(&specific), nullptr);
  for (const GlibcLocale* glibc = kGlibcLocales; glibc->name != nullptr; ++glibc) {
    std::wstring name(glibc->name, glibc->name + std::strlen(glibc->name));
    name = name.substr(0, name.find(L'@'));
    const std::wstring script(glibc->script, glibc->script + 4);
    const std::wstring language = name.substr(0, name.find(L'_'));
    const std::wstring territory =
        name.size() > language.size() ? name.substr(language.size() + 1) : L"";
    std::vector<std::wstring> names = {language + L"-" + script, language};
    if (!territory.empty())
      names.insert(names.begin(),
                   {language + L"-" + script + L"-" + territory, language + L"-" + territory});
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::wstring& candidate) {
      return windows_writes(candidate, script);
    });
    const int page =
        found != names.end() ? windows_page(*found) : territory_page(specific, territory, script);
    EXPECT_EQ(oem_code_page_of_locale(glibc->name).number, page) << glibc->name;
  }
}

}  // namespace
}  // namespace qb
