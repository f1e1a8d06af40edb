// The double-byte half of the table maker, for the pages whose characters
// are one byte or a pair (932, 936, 949, 950): which bytes lead a pair
// (IsDBCSLeadByteEx), the character of each other byte and of each pair
// (MultiByteToWideChar), and the bytes WideCharToMultiByte gives every
// character: Windows' best fit where the page lacks one, Windows' choice
// where it has one at several places. The program derives OemToCharA of a
// pair from its character's bytes; this holds that against the system and
// stops where they differ.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "code_page_tables.h"
#include "platform/text/code_page.h"

namespace {

constexpr int kFirstTrail = qb::kFirstTrailByte;
constexpr int kTrails = 0x100 - kFirstTrail;

struct Pairs {
  std::string leads;                  // ascending
  std::vector<wchar_t> rows;          // kTrails characters a lead byte; 0: none
  std::map<wchar_t, unsigned> codes;  // every character's bytes, as Windows gives them
};

// True when `byte` leads a pair in `page`.
bool is_lead(unsigned page, int byte) {
  return IsDBCSLeadByteEx(page, static_cast<BYTE>(byte)) != FALSE;
}

// Says what the system does that the tables cannot hold; false.
bool fail(const char* what, unsigned page, unsigned value) {
  std::fprintf(stderr, "code_page_tables: in code page %u, %s %04X\n", page, what, value);
  return false;
}

// The character of the pair `lead`, `trail`; 0 where the page has none.
wchar_t pair_character(unsigned page, int lead, int trail) {
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  wchar_t wide[2] = {};
  return MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes, 2, wide, 2) == 1 ? wide[0] : 0;
}

// character_of and defined_character_of, with 0 for a lead byte.
wchar_t single_character_of(unsigned page, int byte) {
  return is_lead(page, byte) ? 0 : character_of(page, byte);
}
wchar_t single_defined_character_of(unsigned page, int byte) {
  return is_lead(page, byte) ? 0 : defined_character_of(page, byte);
}

// The bytes WideCharToMultiByte gives `c`, as a code; 0 where it has none
// or gives a control byte.
unsigned system_code(unsigned page, wchar_t c) {
  char bytes[2] = {};
  BOOL defaulted = FALSE;
  const int size = WideCharToMultiByte(page, 0, &c, 1, bytes, 2, nullptr, &defaulted);
  if (defaulted != FALSE || size < 1) return 0;
  const unsigned first = static_cast<unsigned char>(bytes[0]);
  if (size == 1) return first < 0x20 || first == 0x7F ? 0 : first;
  return first * 256 + static_cast<unsigned char>(bytes[1]);
}

// The bytes of `code`: a byte, or a pair as lead * 256 + trail.
std::string code_bytes(unsigned code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// OemToCharA of `bytes`, which may come out longer or shorter.
std::string oem_to_char(const std::string& bytes) {
  char out[8] = {};
  OemToCharA(bytes.c_str(), out);
  return out;
}

// The lead bytes and the rows of their pairs; false where a pair has a
// trail byte below 0x40 or a character that cannot stand in a row.
bool read_pairs(unsigned page, Pairs& pairs) {
  for (int lead = 1; lead < 0x100; ++lead) {
    if (!is_lead(page, lead)) continue;
    if (lead < 0x80) return fail("a lead byte is ASCII:", page, static_cast<unsigned>(lead));
    pairs.leads += static_cast<char>(lead);
    for (int trail = 1; trail < 0x100; ++trail) {
      const wchar_t c = pair_character(page, lead, trail);
      const auto code = static_cast<unsigned>(lead * 256 + trail);
      if (trail < kFirstTrail && c != 0) return fail("a trail byte is below 0x40:", page, code);
      if (c != 0 && (c < 0xA0 || (c >= 0xD800 && c < 0xE000)))
        return fail("a pair stands for a control or half a character:", page, code);
      if (trail >= kFirstTrail) pairs.rows.push_back(c);
    }
  }
  return true;
}

// The bytes the program finds first for each character: its byte, else
// its first pair in the order of the rows.
void add_first_codes(unsigned page, Pairs& pairs) {
  for (int byte = 0x80; byte < 0x100; ++byte) {
    const wchar_t c = single_character_of(page, byte);
    if (c >= 0xA0) pairs.codes.emplace(c, byte);
  }
  for (std::size_t i = 0; i < pairs.rows.size(); ++i) {
    const auto lead = static_cast<unsigned char>(pairs.leads[i / kTrails]);
    const auto code = static_cast<unsigned>(lead * 256 + kFirstTrail + i % kTrails);
    if (pairs.rows[i] != 0) pairs.codes.emplace(pairs.rows[i], code);
  }
}

// Every character from U+00A0 whose bytes from WideCharToMultiByte are not
// the first the page has for it gets Windows' (its best fit where the page
// lacks it); false where Windows gives none to a character the page has.
bool add_fits(unsigned page, Pairs& pairs) {
  for (unsigned c = 0xA0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;  // surrogates are no characters
    const auto character = static_cast<wchar_t>(c);
    const unsigned code = system_code(page, character);
    const auto found = pairs.codes.find(character);
    if (code == (found == pairs.codes.end() ? 0 : found->second)) continue;
    if (code == 0) return fail("Windows gives no bytes to the page's own U+", page, c);
    pairs.codes[character] = code;
  }
  return true;
}

// OemToCharA of each pair, of a lead byte that ends the text and of a lead
// byte before a byte below 0x40: its character's bytes, else `unknown`.
bool check_oem_to_char(unsigned page, const Pairs& pairs, const std::string& unknown) {
  for (std::size_t row = 0; row < pairs.leads.size(); ++row) {
    const auto lead = static_cast<unsigned char>(pairs.leads[row]);
    if (oem_to_char(std::string(1, static_cast<char>(lead))) != unknown)
      return fail("OemToCharA of a lone lead byte differs:", page, lead);
    for (int trail = 1; trail < 0x100; ++trail) {
      const wchar_t c = trail < kFirstTrail ? 0 : pairs.rows[row * kTrails + trail - kFirstTrail];
      const std::string expected = c == 0 ? unknown : code_bytes(pairs.codes.at(c));
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      if (oem_to_char(bytes) != expected)
        return fail("OemToCharA is not the character's bytes:", page, lead * 256u + trail);
    }
  }
  return true;
}

// The rows of the pairs, sixteen characters a line with a comment that
// shows them.
void print_rows(const Pairs& pairs) {
  for (std::size_t i = 0; i < pairs.rows.size(); i += 16) {
    const std::vector<wchar_t> line(pairs.rows.begin() + i, pairs.rows.begin() + i + 16);
    std::string glyphs;
    for (const wchar_t c : line) glyphs += comment_glyph(c);
    const auto lead = static_cast<unsigned char>(pairs.leads[i / kTrails]);
    std::printf("    %s%s  // %02X%02X %s\n", utf16_literal(line).c_str(),
                view_end(i + 16 == pairs.rows.size()), lead,
                static_cast<unsigned>(kFirstTrail + i % kTrails), glyphs.c_str());
  }
}

// The index: every character with bytes, ascending, sixteen a line with a
// comment that shows them, then their bytes' codes in the same lines.
void print_index(const Pairs& pairs) {
  std::vector<wchar_t> characters;
  std::vector<unsigned> codes;
  for (const auto& [c, code] : pairs.codes) {
    characters.push_back(c);
    codes.push_back(code);
  }
  for (std::size_t i = 0; i < characters.size(); i += 16) {
    const std::vector<wchar_t> line(characters.begin() + i,
                                    characters.begin() + std::min(characters.size(), i + 16));
    std::string glyphs;
    for (const wchar_t c : line) glyphs += comment_glyph(c);
    std::printf("    %s%s  // %s\n", utf16_literal(line).c_str(),
                view_end(i + 16 >= characters.size()), glyphs.c_str());
  }
  for (std::size_t i = 0; i < codes.size(); i += 16) {
    std::string line = "u\"";
    for (std::size_t j = i; j < std::min(codes.size(), i + 16); ++j) {
      char escape[8];  // hex, since a pair's code may fall among the surrogates
      std::snprintf(escape, sizeof escape, "\\x%04X", codes[j]);
      line += escape;
    }
    std::printf("    %s\"%s\n", line.c_str(), view_end(i + 16 >= codes.size()));
  }
}

// OemToCharA of each byte from 0x80 that leads no pair, sixteen a line; 0
// for a lead byte. False where one becomes more than one byte.
bool print_to_ansi(unsigned page) {
  for (int row = 0x80; row < 0x100; row += 16) {
    std::string line;
    for (int byte = row; byte < row + 16; ++byte) {
      const std::string ansi = is_lead(page, byte)
                                   ? std::string(1, '\0')
                                   : oem_to_char(std::string(1, static_cast<char>(byte)));
      if (ansi.size() > 1) return fail("OemToCharA makes more than a byte of", page, byte);
      line += ansi.empty() ? std::string(1, '\0') : ansi;
    }
    std::printf("    %s%s  // %02X\n", byte_literal(line).c_str(), view_end(row == 0xF0), row);
  }
  return true;
}

// The file's opening comment and lines, up to the pairs' data.
void print_header(unsigned page) {
  std::printf(
      "// Code page %u, a double-byte page and its own ANSI page: which bytes lead a\n"
      "// pair (IsDBCSLeadByteEx), the character of each pair and of each other byte\n"
      "// (MultiByteToWideChar), OemToCharA of those bytes and of what the page leaves\n"
      "// undefined, and the bytes of every character (WideCharToMultiByte), its best\n"
      "// fit where the page lacks it, ascending for the lookups' binary search.\n"
      "// OemToCharA of a pair is its character's bytes.\n%s"
      "#include \"platform/text/pair_lookups.h\"\n\nnamespace qb {\n\n"
      "using namespace std::string_view_literals;\n\nnamespace {\n\n",
      page, kHeader);
}

// The page's DoubleBytes, kPairs.
void print_pairs(const Pairs& pairs, const std::string& unknown) {
  std::printf("// clang-format off\nconstexpr DoubleBytes kPairs = {\n");
  std::printf("    // The lead bytes.\n");
  for (std::size_t i = 0; i < pairs.leads.size(); i += 32) {
    std::printf("    %s%s\n", byte_literal(pairs.leads.substr(i, 32)).c_str(),
                view_end(i + 32 >= pairs.leads.size()));
  }
  std::printf(
      "    // For each lead byte, the character of each trail byte from 0x40; 0 for none.\n");
  print_rows(pairs);
  std::printf(
      "    // Every character from U+00A0 with bytes, ascending, then their bytes in\n"
      "    // that order: Windows' best fit where the page lacks one, Windows' choice\n"
      "    // where the page has it at several places, else its byte or first pair.\n");
  print_index(pairs);
  std::printf("    // OemToCharA of a pair without a character and of a lone lead byte.\n");
  std::printf("    %ssv,\n};\n// clang-format on\n\n}  // namespace\n\n",
              byte_literal(unknown).c_str());
}

}  // namespace

bool double_byte(unsigned page) {
  CPINFO info{};
  return page > 2 && GetCPInfo(page, &info) != FALSE && info.MaxCharSize == 2;
}

int print_double_byte_pages(const std::vector<Locale>& locales) {
  std::map<unsigned, std::string> pages;
  for (const Locale& locale : locales) {
    const std::size_t dash = locale.name.find('-');
    const bool territory = dash != std::string::npos && locale.name.size() == dash + 3;
    if (territory && double_byte(locale.oem) && locale.ansi == locale.oem)
      pages[locale.oem] += " " + locale.name;
  }
  for (const auto& [page, names] : pages) std::printf("%u %u%s\n", page, page, names.c_str());
  return 0;
}

int print_double_byte_page(unsigned page) {
  if (GetOEMCP() != page || GetACP() != page) {
    std::fprintf(stderr, "code_page_tables: the OEM and ANSI pages here are %u and %u, not %u\n",
                 GetOEMCP(), GetACP(), page);
    return 3;
  }
  Pairs pairs;
  if (!read_pairs(page, pairs)) return 3;
  add_first_codes(page, pairs);
  if (!add_fits(page, pairs)) return 3;
  const std::string unknown = oem_to_char(pairs.leads.substr(0, 1));
  if (!check_oem_to_char(page, pairs, unknown)) return 3;
  print_header(page);
  print_pairs(pairs, unknown);
  std::printf("// clang-format off\nextern const CodePage kCodePage%u = {\n    %u, %u,\n", page,
              page, page);
  std::printf("    // The character of each byte from 0x80; U+0000 for a lead byte.\n");
  print_characters(page, single_character_of);
  std::printf("    // OemToCharA of each byte from 0x80; 0 for a lead byte.\n");
  if (!print_to_ansi(page)) return 3;
  std::printf("    // The same page's characters, with U+0000 also where it has none.\n");
  print_characters(page, single_defined_character_of);
  std::printf("    u\"\"sv, \"\"sv,  // the best fit, which may be a pair, is with the pairs\n");
  std::printf("    &kPairs,\n};\n// clang-format on\n\n}  // namespace qb\n");
  return 0;
}
