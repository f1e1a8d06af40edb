// What the generated tables of this folder define beside the pages: the OEM
// page of each Windows locale, by its Windows name, less the rows that a
// shorter name of the same language already gives; the page of each glibc
// locale whose script or territory gives it another page than that lookup
// finds; and the scripts that glibc's modifiers name. The lookup through the
// Windows names is shared with the table maker, which decides by it which
// rows to keep.
#ifndef QB_PLATFORM_CODE_PAGES_TABLES_H
#define QB_PLATFORM_CODE_PAGES_TABLES_H

#include <array>
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

// The Windows names the lookup tries, in order, for a language L with script
// S and territory T (S and T may be empty): L-S-T, L-T, L-S, L-* (the page of
// L's territories that have no row) and L; none for no language.
inline std::vector<std::string> locale_lookup_chain(std::string_view language,
                                                    std::string_view script,
                                                    std::string_view territory) {
  const std::string l(language);
  const std::string s(script);
  const std::string t(territory);
  std::vector<std::string> chain;
  if (l.empty()) return chain;
  if (!s.empty() && !t.empty()) chain.push_back(l + "-" + s + "-" + t);
  if (!t.empty()) chain.push_back(l + "-" + t);
  if (!s.empty()) chain.push_back(l + "-" + s);
  if (!t.empty()) chain.push_back(l + "-*");
  chain.push_back(l);
  return chain;
}

}  // namespace qb

#endif  // QB_PLATFORM_CODE_PAGES_TABLES_H
