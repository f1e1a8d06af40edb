// The glibc part of the table maker: the locales glibc supports, each with
// the script it is written in (on standard input, as glibc_scripts.pl prints
// them), the page Windows gives each, and the rows of the glibc table: the
// locales whose page the lookup through the Windows rows would not find.
//
// A glibc locale of language L, script S and territory T gets the page of
// Windows' locale for L in S: L-S-T, or L-T if it is written in S; else
// L-S, or L if it is written in S (a neutral name is written in the script
// of the locale Windows resolves it to: sd in that of sd-Arab-PK, az in that
// of az-Latn-AZ). So sd_IN, Sindhi in Arabic letters, gets sd-Arab's page,
// not sd-Deva-IN's, and sr_RS gets sr-Cyrl-RS's.
//
// Where Windows has no locale for L in S (ku_TR: Windows writes Kurdish in
// Arabic letters only), or none for L at all (li_NL), the territory's locales
// decide, as a machine there would most likely be set up: the page that most
// of the locales whose territory is T have. Of those, only the ones with an
// LCID of their own count if there are any (Windows' long-standing locales,
// not the later ones that share LOCALE_CUSTOM_UNSPECIFIED, many of which
// have no OEM page); and of these only the ones written in S, if there are
// any. A tie goes to the page of the language that has more Windows locales
// (en-NZ's 850 over mi-NZ's 437). A locale without a territory gets 437.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "code_page_tables.h"
#include "platform/text/locale_tables.h"

namespace {

bool written_in(const Locale& locale, const std::string& script) {
  return locale.scripts.find(script + ";") != std::string::npos;
}

std::string language_of(const std::string& windows_name) {
  return windows_name.substr(0, windows_name.find('-'));
}

// The parts of glibc's name `name` ("sr_RS@latin"), with `script`.
GlibcLocale parse(const std::string& name, const std::string& script) {
  GlibcLocale locale{name, "", "", "", script};
  const std::size_t at = name.find('@');
  if (at != std::string::npos) locale.modifier = name.substr(at + 1);
  const std::string base = name.substr(0, at);
  const std::size_t underscore = base.find('_');
  locale.language = base.substr(0, underscore);
  if (underscore != std::string::npos) locale.territory = base.substr(underscore + 1);
  return locale;
}

// The page of `territory` for a locale written in `script`, as the opening
// comment says.
unsigned territory_page(const std::vector<Locale>& locales, const std::string& territory,
                        const std::string& script) {
  std::map<std::string, int> per_language;  // how many locales each language has
  for (const Locale& locale : locales) {
    if (!locale.territory.empty()) ++per_language[language_of(locale.name)];
  }
  int best_rank = -1;
  std::map<unsigned, std::pair<int, int>> votes;  // page: its locales, its widest language's
  for (const Locale& locale : locales) {
    if (territory.empty() || locale.territory != territory) continue;
    const int rank =
        2 * static_cast<int>(locale.established) + (written_in(locale, script) ? 1 : 0);
    if (rank < best_rank) continue;
    if (rank > best_rank) votes.clear();
    best_rank = rank;
    auto& [count, widest] = votes[page_of(locale)];
    ++count;
    widest = std::max(widest, per_language[language_of(locale.name)]);
  }
  if (votes.empty()) return 437;
  return std::max_element(votes.begin(), votes.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// The page Windows gives `glibc`, as the opening comment says; `by_name`
// holds every Windows locale.
unsigned rule_page(const std::map<std::string, const Locale*>& by_name,
                   const std::vector<Locale>& locales, const GlibcLocale& glibc) {
  const std::string& language = glibc.language;
  const std::string& script = glibc.script;
  const std::string& territory = glibc.territory;
  std::vector<std::string> names;
  if (!territory.empty())
    names = {language + "-" + script + "-" + territory, language + "-" + territory};
  names.push_back(language + "-" + script);
  names.push_back(language);
  for (const std::string& name : names) {
    const auto found = by_name.find(name);
    if (found != by_name.end() && written_in(*found->second, script))
      return page_of(*found->second);
  }
  return territory_page(locales, territory, script);
}

}  // namespace

std::vector<GlibcLocale> read_glibc_locales(std::map<std::string, std::string>& modifier_scripts) {
  std::vector<GlibcLocale> locales;
  char line[256];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char name[128];
    char script[16];
    if (std::sscanf(line, "%127s %15s", name, script) != 2) continue;
    if (name[0] == '@') {
      modifier_scripts[name + 1] = script;
    } else {
      locales.push_back(parse(name, script));
    }
  }
  return locales;
}

std::map<std::string, unsigned> glibc_rows(
    const std::vector<Locale>& locales, const std::vector<GlibcLocale>& glibc,
    const std::map<std::string, unsigned>& rows,
    const std::map<std::string, std::string>& modifier_scripts) {
  std::map<std::string, const Locale*> by_name;
  for (const Locale& locale : locales) by_name.emplace(locale.name, &locale);
  std::map<std::string, unsigned> kept;
  for (const GlibcLocale& locale : glibc) {
    const auto named = modifier_scripts.find(locale.modifier);
    const std::string script = named == modifier_scripts.end() ? "" : named->second;
    const unsigned page = rule_page(by_name, locales, locale);
    const qb::LocaleParts parts{
        .language = locale.language, .script = script, .territory = locale.territory};
    if (looked_up(rows, qb::locale_lookup_chain(parts)) != page) kept[locale.name] = page;
  }
  return kept;
}
