// The code page part of the table maker, and its entry: for one page, the
// character of each byte, OemToCharA's table to the ANSI page, the ANSI
// page's own characters and Windows' best fit, printed as the C++ source of
// code_page_N.cpp; double_byte_pages.cpp adds the pairs of the double-byte pages.
//   code_page_tables pages       the one-byte OEM pages of the system's
//                                locales: "page ansi locale..." a line, the
//                                locales those with a territory
//   code_page_tables double-byte-pages
//                                the same for the double-byte OEM pages
//   code_page_tables ansi-pages  the one-byte ANSI pages of the system's
//                                locales that are no locale's OEM page, one
//                                a line (ansi_pages.cpp)
//   code_page_tables page N      code_page_N.cpp; the process's OEM page
//                                must be N (run under a locale that has it),
//                                since OemToCharA converts from that page
//   code_page_tables ansi-page N code_page_N.cpp for the ANSI page N, in any
//                                locale
//   code_page_tables locales     locale_pages.cpp: the OEM page of each
//                                Windows locale, less the rows that the
//                                lookup would find through a shorter name,
//                                and of the glibc locales on standard input
//                                (from glibc_scripts.pl) whose page it would
//                                not find
// Built with MinGW-w64 and run under wine by scripts/make-code-pages.sh;
// not part of the program's build.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "code_page_tables.h"
#include "platform/text/combining_marks.h"

// The end of the last line of a literal that holds a view: the views of
// the generated files are made with ""sv, so that a zero inside counts too.
const char* view_end(bool last) {
  return last ? "sv," : "";
}

// A line of a C++ string literal: printable ASCII as itself, other bytes
// as three-digit octal escapes (which, unlike hex ones, end by themselves).
std::string byte_literal(const std::string& bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool trigraph = c == '?' && out.back() == '?';  // "??" could open one
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\' && !trigraph) {
      out += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      out += escape;
    }
  }
  return out + "\"";
}

std::string utf16_literal(const std::vector<wchar_t>& characters) {
  std::string out = "u\"";
  for (const wchar_t c : characters) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
    out += escape;
  }
  return out + "\"";
}

// `c` as a comment shows it: a dot for what shows nothing by itself.
std::string comment_glyph(wchar_t c) {
  const bool invisible = c <= 0xA0 || c == 0xAD || (c >= 0xE000 && c < 0xF900) ||
                         qb::is_combining_mark(static_cast<char32_t>(c));
  if (invisible) return "\xC2\xB7";
  char utf8[8] = {};
  WideCharToMultiByte(CP_UTF8, 0, &c, 1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

wchar_t character_of(unsigned page, int byte) {
  const char narrow_byte = static_cast<char>(byte);
  wchar_t wide = 0;
  MultiByteToWideChar(page, 0, &narrow_byte, 1, &wide, 1);
  return wide;
}

// The character `byte` stands for in `page`, or 0 where the page leaves it
// undefined (MultiByteToWideChar refuses it with MB_ERR_INVALID_CHARS).
wchar_t defined_character_of(unsigned page, int byte) {
  const char narrow_byte = static_cast<char>(byte);
  wchar_t wide = 0;
  return MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, &narrow_byte, 1, &wide, 1) == 1 ? wide : 0;
}

// The rows of a page's characters from 0x80, eight a line with a comment
// that shows them.
void print_characters(unsigned page, wchar_t (*character)(unsigned, int)) {
  for (int row = 0x80; row < 0x100; row += 8) {
    std::vector<wchar_t> line;
    std::string glyphs;
    for (int byte = row; byte < row + 8; ++byte) {
      line.push_back(character(page, byte));
      glyphs += comment_glyph(line.back());
    }
    std::printf("    %s%s  // %02X %s\n", utf16_literal(line).c_str(), view_end(row == 0xF8), row,
                glyphs.c_str());
  }
}

namespace {

// The byte Windows' best fit gives `c`, a character the page lacks (its
// `character` of no byte); -1 when it has none, or gives a control byte.
int best_fit(unsigned page, wchar_t c, wchar_t (*character)(unsigned, int)) {
  char fit = 0;
  BOOL defaulted = FALSE;
  if (WideCharToMultiByte(page, 0, &c, 1, &fit, 1, nullptr, &defaulted) != 1 || defaulted)
    return -1;
  const auto byte = static_cast<unsigned char>(fit);
  if (byte < 0x20 || byte == 0x7F || character(page, byte) == c) return -1;
  return byte;
}

}  // namespace

void print_best_fit(unsigned page, wchar_t (*character)(unsigned, int)) {
  std::vector<wchar_t> ranges;
  std::string bytes;
  for (unsigned c = 0xA0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;  // surrogates are no characters
    const int byte = best_fit(page, static_cast<wchar_t>(c), character);
    if (byte < 0) continue;
    if (!ranges.empty() && ranges.back() + 1u == c) {
      ranges.back() = static_cast<wchar_t>(c);
    } else {
      ranges.push_back(static_cast<wchar_t>(c));
      ranges.push_back(static_cast<wchar_t>(c));
    }
    bytes += static_cast<char>(byte);
  }
  std::printf(
      "    // Windows' best fit: the characters the page lacks that have one, as\n"
      "    // ranges (first and last code point), then their bytes in that order.\n");
  for (std::size_t i = 0; i < ranges.size(); i += 14) {
    const std::vector<wchar_t> line(ranges.begin() + i,
                                    ranges.begin() + std::min(ranges.size(), i + 14));
    std::printf("    %s%s\n", utf16_literal(line).c_str(), view_end(i + 14 >= ranges.size()));
  }
  if (ranges.empty()) std::printf("    u\"\"sv,\n");
  for (std::size_t i = 0; i < bytes.size(); i += 64) {
    std::printf("    %s%s\n", byte_literal(bytes.substr(i, 64)).c_str(),
                view_end(i + 64 >= bytes.size()));
  }
  if (bytes.empty()) std::printf("    \"\"sv,\n");
}

int print_page(unsigned page) {
  if (double_byte(page)) return print_double_byte_page(page);
  if (GetOEMCP() != page) {
    std::fprintf(stderr, "code_page_tables: the OEM page here is %u, not %u\n", GetOEMCP(), page);
    return 3;
  }
  const unsigned ansi = GetACP();
  std::printf(
      "// Code page %u, with %u as its ANSI page: the character of each byte\n"
      "// (MultiByteToWideChar), OemToCharA's table to %u, the character of each\n"
      "// byte of %u, and Windows' best fit for the characters the page lacks\n"
      "// (WideCharToMultiByte, less those it would turn into control bytes).\n%s",
      page, ansi, ansi, ansi, kHeader);
  std::printf(
      "#include \"platform/text/code_page.h\"\n\nnamespace qb {\n\n"
      "using namespace std::string_view_literals;\n\n// clang-format off\n");
  std::printf("extern const CodePage kCodePage%u = {\n    %u, %u,\n", page, page, ansi);
  std::printf("    // The character of each byte from 0x80.\n");
  print_characters(page, character_of);
  std::printf("    // OemToCharA of each byte from 0x80.\n");
  for (int row = 0x80; row < 0x100; row += 16) {
    std::string line;
    for (int byte = row; byte < row + 16; ++byte) {
      char buffer[2] = {static_cast<char>(byte), 0};
      OemToCharA(buffer, buffer);
      line += buffer[0];
    }
    std::printf("    %s%s  // %02X\n", byte_literal(line).c_str(), view_end(row == 0xF0), row);
  }
  std::printf("    // The character of each byte from 0x80 in %u; U+0000 where %u has none.\n",
              ansi, ansi);
  print_characters(ansi, defined_character_of);
  print_best_fit(page, character_of);
  std::printf("    nullptr,  // one byte a character\n");
  std::printf("};\n// clang-format on\n\n}  // namespace qb\n");
  return 0;
}

int main(int argc, char** argv) {
  const std::vector<Locale> locales = system_locales();
  _setmode(_fileno(stdout), _O_BINARY);  // LF line ends, as the sources have
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "pages") return print_pages(locales);
  if (mode == "double-byte-pages") return print_double_byte_pages(locales);
  if (mode == "locales") return print_locales(locales);
  if (mode == "ansi-pages") return print_ansi_pages(locales);
  if (mode == "page" && argc > 2) return print_page(static_cast<unsigned>(std::atoi(argv[2])));
  if (mode == "ansi-page" && argc > 2)
    return print_ansi_page(static_cast<unsigned>(std::atoi(argv[2])));
  std::fprintf(stderr,
               "usage: code_page_tables pages | double-byte-pages | ansi-pages | page N |"
               " ansi-page N | locales\n");
  return 2;
}
