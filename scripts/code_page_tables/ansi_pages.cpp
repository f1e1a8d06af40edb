// The ANSI half of the table maker, for the one-byte pages that Windows
// gives locales as their ANSI page but as no locale's OEM page (1250 to
// 1257): the character of each byte (MultiByteToWideChar, none where the
// page leaves the byte undefined) and Windows' best fit into the page
// (WideCharToMultiByte), printed as a CodePage whose ANSI page is itself.
// The stand-in that Windows reads from an undefined byte (U+F8F9 for 0xAA
// in 1253, a private-use character) goes back to that byte, so the record
// has it among the best fit.
// No locale need be the process's, since nothing here asks OemToCharA.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "code_page_tables.h"

namespace {

// Prints each byte from 0x80 that `page` defines as itself, 0 for the
// others, sixteen a line.
void print_own_bytes(unsigned page) {
  for (int row = 0x80; row < 0x100; row += 16) {
    std::string line;
    for (int byte = row; byte < row + 16; ++byte)
      line += defined_character_of(page, byte) == 0 ? '\0' : static_cast<char>(byte);
    std::printf("    %s%s  // %02X\n", byte_literal(line).c_str(), view_end(row == 0xF0), row);
  }
}

}  // namespace

int print_ansi_pages(const std::vector<Locale>& locales) {
  std::set<unsigned> oem;
  for (const Locale& locale : locales) oem.insert(locale.oem);
  std::set<unsigned> ansi;
  for (const Locale& locale : locales) {
    if (single_byte(locale.ansi) && oem.count(locale.ansi) == 0) ansi.insert(locale.ansi);
  }
  for (const unsigned page : ansi) std::printf("%u\n", page);
  return 0;
}

int print_ansi_page(unsigned page) {
  if (!single_byte(page)) {
    std::fprintf(stderr, "code_page_tables: code page %u is not one byte a character\n", page);
    return 3;
  }
  std::printf(
      "// Code page %u, an ANSI page and so its own: the character of each byte\n"
      "// (MultiByteToWideChar, U+0000 where the page leaves it undefined), each byte\n"
      "// as itself, and Windows' best fit for the characters the page lacks\n"
      "// (WideCharToMultiByte, less those it would turn into control bytes).\n%s",
      page, kHeader);
  std::printf(
      "#include \"platform/text/code_page.h\"\n\nnamespace qb {\n\n"
      "using namespace std::string_view_literals;\n\nnamespace {\n\n// clang-format off\n");
  std::printf("// The character of each byte from 0x80; U+0000 where the page has none.\n");
  std::printf("constexpr std::u16string_view kCharacters = {\n");
  print_characters(page, defined_character_of);
  std::printf("};\n// clang-format on\n\n}  // namespace\n\n");
  std::printf("// clang-format off\nextern const CodePage kCodePage%u = {\n    %u, %u,\n", page,
              page, page);
  std::printf(
      "    kCharacters,\n    // Each byte from 0x80 in its ANSI page: itself, 0 where none.\n");
  print_own_bytes(page);
  std::printf("    kCharacters,  // the ANSI page's characters, the same\n");
  print_best_fit(page, defined_character_of);  // an undefined byte's stand-in too
  std::printf("    nullptr,  // one byte a character\n");
  std::printf("};\n// clang-format on\n\n}  // namespace qb\n");
  return 0;
}
