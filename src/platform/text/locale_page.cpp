// The lookup that gives a locale its OEM page as Windows does
// (LOCALE_IDEFAULTCODEPAGE), through the tables in code_pages/locale_pages.cpp.
#include "platform/text/locale_page.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/text/locale_tables.h"

namespace qb {

namespace {

// The script that glibc's modifier `modifier` names ("Latn" for "latin"),
// or "" for none.
std::string_view script_of_modifier(std::string_view modifier) {
  for (const ModifierScript& row : kModifierScripts) {
    if (row.modifier == modifier) return row.script;
  }
  return {};
}

// The page of the row named `name` in `rows`, ordered by name, or 0 for none.
int page_of_row(std::span<const LocalePage> rows, std::string_view name) {
  const auto row = std::lower_bound(
      rows.begin(), rows.end(), name,
      [](const LocalePage& entry, std::string_view wanted) { return entry.name < wanted; });
  return row != rows.end() && row->name == name ? row->page : 0;
}

}  // namespace

// language_TERRITORY.codeset@modifier, each part but the language optional.
// A locale that glibc supports has its page in kGlibcLocalePages where its
// script or its territory decides it; any other goes through the Windows
// names with the script its modifier names, if any.
const CodePage& oem_code_page_of_locale(std::string_view locale_name) {
  const std::size_t at = locale_name.find('@');
  const std::string_view modifier = at == std::string_view::npos ? "" : locale_name.substr(at + 1);
  const std::string_view name = locale_name.substr(0, at);
  const std::string_view language = name.substr(0, name.find_first_of("_."));
  std::string_view territory;
  if (language.size() < name.size() && name[language.size()] == '_') {
    territory = name.substr(language.size() + 1);
    territory = territory.substr(0, territory.find('.'));
  }
  std::string glibc_name(language);
  if (!territory.empty()) glibc_name.append("_").append(territory);
  if (!modifier.empty()) glibc_name.append("@").append(modifier);
  if (const int page = page_of_row(kGlibcLocalePages, glibc_name); page != 0)
    return code_page_numbered(page);
  const LocaleParts parts{
      .language = language, .script = script_of_modifier(modifier), .territory = territory};
  for (const std::string& candidate : locale_lookup_chain(parts)) {
    if (const int page = page_of_row(kLocalePages, candidate); page != 0)
      return code_page_numbered(page);
  }
  return kCodePage437;
}

}  // namespace qb
