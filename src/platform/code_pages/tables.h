// What the generated tables of this folder define beside the pages: the OEM
// page of each Windows locale, by its Windows name, less the rows that a
// shorter name of the same language already gives. The lookup tries, for a
// language L with script S and territory T: L-S-T, L-T, L-S, L-* (the page
// of L's territories that have no row) and L; nothing found means 437.
#ifndef QB_PLATFORM_CODE_PAGES_TABLES_H
#define QB_PLATFORM_CODE_PAGES_TABLES_H

#include <array>
#include <span>
#include <string_view>

#include "platform/code_page.h"

namespace qb {

struct LocalePage {
  std::string_view name;  // "sr-Cyrl", "en-*", "en-US"
  int page;
};

// Ordered by name, byte by byte.
extern const std::span<const LocalePage> kLocalePages;

}  // namespace qb

#endif  // QB_PLATFORM_CODE_PAGES_TABLES_H
