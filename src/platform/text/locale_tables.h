// The tables behind the lookup that gives a locale its OEM page, which the
// generated locale_pages.cpp fills in: the OEM page of each Windows locale,
// by its Windows name, less the rows that a shorter name of the same
// language already gives; the page of each glibc locale whose script or
// territory gives it another page than that lookup finds; and the scripts
// that glibc's modifiers name. The lookup through the Windows names is
// shared with the table maker, which decides by it which rows to keep.
#ifndef QB_PLATFORM_TEXT_LOCALE_TABLES_H
#define QB_PLATFORM_TEXT_LOCALE_TABLES_H

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/code_page.h"

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

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_LOCALE_TABLES_H
