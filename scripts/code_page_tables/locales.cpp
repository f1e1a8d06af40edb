// The locale part of the table maker: which OEM page Windows gives each
// locale (LOCALE_IDEFAULTCODEPAGE over EnumSystemLocalesEx), the one-byte
// pages among them, and the rows of the locale tables that the program's
// lookup needs (those of the glibc locales from glibc.cpp), printed as the
// C++ source of locale_pages.cpp.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "code_page_tables.h"
#include "platform/text/locale_tables.h"

namespace {

std::string narrow(const wchar_t* text) {
  std::string out;
  for (; *text != 0; ++text) out += static_cast<char>(*text);
  return out;
}

unsigned locale_number(const wchar_t* name, LCTYPE type) {
  wchar_t value[16] = {};
  if (GetLocaleInfoEx(name, type, value, 16) == 0) return 0;
  return static_cast<unsigned>(wcstoul(value, nullptr, 10));
}

// The parts of the Windows name `name`: "sr", "Cyrl", "RS".
std::vector<std::string> split(const std::string& name) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t dash; (dash = name.find('-', from)) != std::string::npos; from = dash + 1) {
    parts.push_back(name.substr(from, dash - from));
  }
  parts.push_back(name.substr(from));
  return parts;
}

// The scripts the locale `name` is written in, "Latn;" or "Arab;Latn;": the
// one that its name, or the name Windows resolves it to, says (az resolves
// to az-Latn-AZ), else those LOCALE_SSCRIPTS lists for it.
std::string scripts_of(const wchar_t* name) {
  wchar_t resolved[LOCALE_NAME_MAX_LENGTH] = {};
  if (ResolveLocaleName(name, resolved, LOCALE_NAME_MAX_LENGTH) == 0) return "";
  const auto parts = split(narrow(resolved));
  if (parts.size() > 1 && parts[1].size() == 4) return parts[1] + ";";
  wchar_t scripts[64] = {};
  GetLocaleInfoEx(resolved, LOCALE_SSCRIPTS, scripts, 64);
  return narrow(scripts);
}

// Adds the locale `name` to the list that `list` points to; only a locale
// with a territory's data (LOCALE_SPECIFICDATA) has a territory.
BOOL CALLBACK collect(LPWSTR name, DWORD flags, LPARAM list) {
  if (name[0] == 0) return TRUE;  // the invariant locale
  wchar_t territory[16] = {};
  if ((flags & LOCALE_SPECIFICDATA) != 0)
    GetLocaleInfoEx(name, LOCALE_SISO3166CTRYNAME, territory, 16);
  reinterpret_cast<std::vector<Locale>*>(list)->push_back(
      {narrow(name), locale_number(name, LOCALE_IDEFAULTCODEPAGE),
       locale_number(name, LOCALE_IDEFAULTANSICODEPAGE), scripts_of(name), narrow(territory),
       LocaleNameToLCID(name, 0) != LOCALE_CUSTOM_UNSPECIFIED});
  return TRUE;
}

bool all_of(const std::string& text, int (*test)(int)) {
  for (const char c : text) {
    if (test(static_cast<unsigned char>(c)) == 0) return false;
  }
  return !text.empty();
}

// A name the lookup can reach from a POSIX name: a language, then a script
// of four letters, a territory of two, or both in that order.
bool reachable(const std::vector<std::string>& parts) {
  if (parts.size() > 3 || !all_of(parts[0], islower)) return false;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const bool script = parts[i].size() == 4 && all_of(parts[i], isalpha);
    const bool territory = parts[i].size() == 2 && all_of(parts[i], isupper);
    if (!(script && i == 1) && !territory) return false;
    if (territory && i != parts.size() - 1) return false;
  }
  return true;
}

// The names the program's lookup tries for the Windows name `parts`, most
// specific first; "xx-*" is a language's page for the territories that have
// no row of their own.
std::vector<std::string> lookup_chain(const std::vector<std::string>& parts) {
  std::string script;
  std::string territory;
  for (std::size_t i = 1; i < parts.size(); ++i)
    (parts[i].size() == 4 ? script : territory) = parts[i];
  return qb::locale_lookup_chain({.language = parts[0], .script = script, .territory = territory});
}

// How many of each language's territories ("en-GB", not "en-Latn-GB") have
// each page: the most common one becomes its "xx-*" row.
std::map<std::string, std::map<unsigned, int>> territory_pages(const std::vector<Locale>& locales) {
  std::map<std::string, std::map<unsigned, int>> counts;
  for (const Locale& locale : locales) {
    const auto parts = split(locale.name);
    if (parts.size() == 2 && parts[1].size() == 2 && reachable(parts))
      ++counts[parts[0]][page_of(locale)];
  }
  return counts;
}

// The rows of the locale table: each locale whose page is not what the
// lookup finds through a shorter name, decided shortest names first.
std::map<std::string, unsigned> locale_rows(const std::vector<Locale>& locales) {
  std::vector<const Locale*> by_length[4];
  for (const Locale& locale : locales) {
    const auto parts = split(locale.name);
    if (reachable(parts)) by_length[parts.size()].push_back(&locale);
  }
  std::map<std::string, unsigned> kept;
  for (const Locale* locale : by_length[1]) {
    if (page_of(*locale) != 437) kept[locale->name] = page_of(*locale);
  }
  for (const auto& [language, by_page] : territory_pages(locales)) {
    const unsigned neutral = looked_up(kept, {language});
    const auto most =
        std::max_element(by_page.begin(), by_page.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const int neutral_count = by_page.count(neutral) != 0 ? by_page.at(neutral) : 0;
    if (most->second > neutral_count && most->second > 1) kept[language + "-*"] = most->first;
  }
  for (int length = 2; length <= 3; ++length) {
    for (const Locale* locale : by_length[length]) {
      const auto chain = lookup_chain(split(locale->name));
      const std::vector<std::string> shorter(chain.begin() + 1, chain.end());
      if (looked_up(kept, shorter) != page_of(*locale)) kept[locale->name] = page_of(*locale);
    }
  }
  return kept;
}

// Prints `items` four spaces in, as many a line as fit in 96 columns.
void print_wrapped(const std::vector<std::string>& items) {
  int column = 0;
  for (const std::string& item : items) {
    const int width = static_cast<int>(item.size());
    if (column > 0 && column + 1 + width > 96) {
      std::printf("\n");
      column = 0;
    }
    std::printf("%s%s", column == 0 ? "    " : " ", item.c_str());
    column += column == 0 ? 4 + width : 1 + width;
  }
  std::printf("\n");
}

// A POSIX name without a modifier is taken, in the Windows rows, to mean the
// only script its language has in that territory (pa_PK), or else the Latin
// one (uz_UZ, ff_BF): "pa-Arab-PK" also answers to "pa-PK", "uz-Latn-UZ" to
// "uz-UZ". Where glibc writes one of its locales in another script (sd_IN
// in Arabic letters, not sd-Deva-IN's), the glibc table has a row for it.
void add_unscripted_names(std::vector<Locale>& locales) {
  std::map<std::string, std::vector<const Locale*>> by_territory;
  std::set<std::string> names;
  for (const Locale& locale : locales) {
    names.insert(locale.name);
    const auto parts = split(locale.name);
    if (parts.size() == 3 && reachable(parts))
      by_territory[parts[0] + "-" + parts[2]].push_back(&locale);
  }
  std::vector<Locale> added;
  for (const auto& [name, locales] : by_territory) {
    if (names.count(name) != 0) continue;
    const Locale* meant = locales.size() == 1 ? locales[0] : nullptr;
    for (const Locale* locale : locales) {
      if (locale->name.find("-Latn-") != std::string::npos) meant = locale;
    }
    if (meant != nullptr)
      added.push_back({name, meant->oem, meant->ansi, meant->scripts, "", false});
  }
  locales.insert(locales.end(), added.begin(), added.end());
}

// Prints `items` as the table `name` of `type`, for the namespace of
// locale_pages.cpp.
void print_table(const char* name, const char* type, const std::vector<std::string>& items) {
  std::printf("constexpr auto %s = std::to_array<%s>({\n", name, type);
  print_wrapped(items);
  std::printf("});\n\n");
}

// Prints the opening of locale_pages.cpp, down to its inner namespace, with
// the declarations of `pages`.
void print_opening(const std::set<unsigned>& pages) {
  std::printf(
      "// The OEM code page of each Windows locale whose page is not what a shorter\n"
      "// name of the same language gives (LOCALE_IDEFAULTCODEPAGE over\n"
      "// EnumSystemLocalesEx); of each glibc locale whose script or territory gives\n"
      "// it another page than those rows (glibc's locale sources, read by\n"
      "// scripts/code_page_tables/glibc_scripts.pl); the scripts glibc's modifiers\n"
      "// name; and every page the locales have. Locales whose OEM page Windows\n"
      "// serves in Unicode only (UTF-8, or none) get 437 here.\n%s"
      "#include \"platform/text/locale_tables.h\"\n\nnamespace qb {\n\n",
      kHeader);
  // 437 and 850 are declared by code_page.h already.
  for (const unsigned page : pages) {
    if (page != 437 && page != 850) std::printf("extern const CodePage kCodePage%u;\n", page);
  }
  std::printf("\nnamespace {\n\n// clang-format off\n");
}

}  // namespace

bool single_byte(unsigned page) {
  CPINFO info{};
  return page > 2 && GetCPInfo(page, &info) != FALSE && info.MaxCharSize == 1;
}

unsigned page_of(const Locale& locale) {
  return single_byte(locale.oem) || double_byte(locale.oem) ? locale.oem : 437;
}

unsigned looked_up(const std::map<std::string, unsigned>& rows,
                   const std::vector<std::string>& chain) {
  for (const std::string& name : chain) {
    const auto row = rows.find(name);
    if (row != rows.end()) return row->second;
  }
  return 437;
}

std::vector<Locale> system_locales() {
  std::vector<Locale> locales;
  EnumSystemLocalesEx(collect, LOCALE_ALL, reinterpret_cast<LPARAM>(&locales), nullptr);
  add_unscripted_names(locales);
  return locales;
}

int print_pages(const std::vector<Locale>& locales) {
  std::map<unsigned, std::pair<unsigned, std::string>> pages;
  for (const Locale& locale : locales) {
    const auto parts = split(locale.name);
    const bool territory = parts.size() > 1 && parts.back().size() == 2;
    if (!single_byte(locale.oem) || !territory || !reachable(parts)) continue;
    auto& entry = pages[locale.oem];
    entry.first = locale.ansi;
    entry.second += " " + locale.name;
  }
  for (const auto& [page, entry] : pages)
    std::printf("%u %u%s\n", page, entry.first, entry.second.c_str());
  return 0;
}

int print_locales(const std::vector<Locale>& locales) {
  std::map<std::string, std::string> modifier_scripts;
  const std::vector<GlibcLocale> glibc = read_glibc_locales(modifier_scripts);
  if (glibc.empty()) {
    std::fprintf(stderr, "code_page_tables: no glibc locales on standard input\n");
    return 1;
  }
  const std::map<std::string, unsigned> rows = locale_rows(locales);
  std::set<unsigned> pages;
  for (const Locale& locale : locales) pages.insert(page_of(locale));
  print_opening(pages);
  std::vector<std::string> items;
  for (const auto& [name, page] : rows)
    items.push_back("{\"" + name + "\", " + std::to_string(page) + "},");
  print_table("kRows", "LocalePage", items);
  items.clear();
  for (const auto& [name, page] : glibc_rows(locales, glibc, rows, modifier_scripts))
    items.push_back("{\"" + name + "\", " + std::to_string(page) + "},");
  print_table("kGlibcRows", "LocalePage", items);
  items.clear();
  for (const auto& [modifier, script] : modifier_scripts)
    items.push_back("{\"" + modifier + "\", \"" + script + "\"},");
  print_table("kModifiers", "ModifierScript", items);
  items.clear();
  for (const unsigned page : pages) items.push_back("&kCodePage" + std::to_string(page) + ",");
  print_table("kPages", "const CodePage*", items);
  std::printf(
      "// clang-format on\n\n}  // namespace\n\n"
      "extern const std::span<const LocalePage> kLocalePages = kRows;\n"
      "extern const std::span<const LocalePage> kGlibcLocalePages = kGlibcRows;\n"
      "extern const std::span<const ModifierScript> kModifierScripts = kModifiers;\n"
      "extern const std::span<const CodePage* const> kCodePages = kPages;\n\n"
      "}  // namespace qb\n");
  return 0;
}
