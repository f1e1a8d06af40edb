// What the generated tables of this folder define beside the pages: the OEM
// page of each Windows locale, by its Windows name, less the rows that a
// shorter name of the same language already gives; the page of each glibc
// locale whose script or territory gives it another page than that lookup
// finds; and the scripts that glibc's modifiers name. The lookup through the
// Windows names is shared with the table maker, which decides by it which
// rows to keep. And the pairs of the double-byte pages, with the lookups
// over them.
#ifndef QB_PLATFORM_CODE_PAGES_TABLES_H
#define QB_PLATFORM_CODE_PAGES_TABLES_H

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace qb {

struct LocalePage {
  std::string_view name;  // "sr-Cyrl", "en-*", "en-US"; or glibc's "sr_RS", "sd_IN"
  int page;
};

struct ModifierScript {
  std::string_view modifier;  // "latin"
  std::string_view script;    // "Latn", as Windows names scripts
};

// Windows names, ordered by name, byte by byte.
extern const std::span<const LocalePage> kLocalePages;
// glibc's names without the character set ("sr_RS@latin"), ordered likewise.
extern const std::span<const LocalePage> kGlibcLocalePages;
// Ordered by modifier.
extern const std::span<const ModifierScript> kModifierScripts;

// A locale as the lookup takes it: a language L, and a script S and a
// territory T, either of which may be empty ("sr", "Cyrl", "RS").
struct LocaleParts {
  std::string_view language;
  std::string_view script;
  std::string_view territory;
};

// The Windows names the lookup tries for `parts`, in order: L-S-T, L-T, L-S,
// L-* (the page of L's territories that have no row) and L; none for no
// language.
inline std::vector<std::string> locale_lookup_chain(const LocaleParts& parts) {
  const std::string l(parts.language);
  const std::string s(parts.script);
  const std::string t(parts.territory);
  std::vector<std::string> chain;
  if (l.empty()) return chain;
  if (!s.empty() && !t.empty()) chain.push_back(l + "-" + s + "-" + t);
  if (!t.empty()) chain.push_back(l + "-" + t);
  if (!s.empty()) chain.push_back(l + "-" + s);
  if (!t.empty()) chain.push_back(l + "-*");
  chain.push_back(l);
  return chain;
}

// Where the lookups keep, once built, every character of a double-byte page
// with its bytes, ascending by character, for the bytes of typed ones.
struct PairIndex {
  struct Entry {
    char16_t character;
    std::uint16_t code;  // a byte, or a pair as lead * 256 + trail
  };
  std::once_flag built;
  std::vector<Entry> entries;
};

// A double-byte page's pairs. Trail bytes run from 0x40 to 0xFF in every
// such page, so each lead byte has a row of 192 characters. A character's
// bytes are those of the fit table, else its byte, else its first pair in
// the order of the rows.
struct DoubleBytes {
  std::string_view leads;          // the lead bytes, ascending
  std::u16string_view rows;        // for each lead byte in turn, the character
                                   // of each trail byte 0x40 to 0xFF; 0 for none
  std::u16string_view fit_ranges;  // the characters whose bytes are not the
                                   // first the page has for them (Windows'
                                   // best fit where it has none), as first and
                                   // last code point of ranges, ascending
  std::u16string_view fit_codes;   // the bytes of each of them, in order: a
                                   // byte, or a pair as lead * 256 + trail
  std::string_view unknown = "?";  // OemToCharA of a pair without a character
                                   // and of a lead byte that ends the text
  PairIndex* index = nullptr;      // where the lookups keep theirs; without
                                   // one, they build it at each lookup
};

// What the generated tables of the double-byte pages answer for CodePage:
// whether `byte` leads a pair, the character of a pair (0 for none), the
// bytes of a typed character, and OemToCharA of `text`, pair by pair.
bool double_byte_is_lead(const DoubleBytes& pairs, std::uint8_t byte);
char32_t double_byte_glyph(const DoubleBytes& pairs, std::uint8_t lead, std::uint8_t trail);
std::string double_byte_typed(const CodePage& page, const DoubleBytes& pairs, char32_t code_point);
void double_byte_to_ansi(const CodePage& page, const DoubleBytes& pairs, std::string& text);

}  // namespace qb

#endif  // QB_PLATFORM_CODE_PAGES_TABLES_H
