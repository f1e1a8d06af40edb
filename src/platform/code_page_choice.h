// The console's code page by choice: on POSIX the environment's
// QB_CODE_PAGE may name the page of the form's text, as chcp does on
// Windows, instead of the OEM page Windows gives the locale. It may name
// UTF-8 (65001) or an OEM page the program carries tables for; any other
// value is refused before the terminal is touched. Reading the value is
// pure, so the terminal's start and --help share it.
#ifndef QB_PLATFORM_CODE_PAGE_CHOICE_H
#define QB_PLATFORM_CODE_PAGE_CHOICE_H

#include <string>
#include <string_view>

namespace qb {

struct CodePageChoice {
  int number = 0;       // the page chosen; 0 for none (the locale's OEM page)
  std::string refusal;  // the line that refuses the value, without a line end; else ""
};

// What QB_CODE_PAGE's `value` chooses: nothing when it is empty, a known
// page when it is that page's number in decimal digits alone (leading
// zeros allowed), else a refusal that names the value and the known pages.
CodePageChoice read_code_page_choice(std::string_view value);

// The pages a choice may name, as the refusal and --help list them:
// "65001 and 437, 720, ..." with the OEM pages in ascending order.
std::string choosable_code_pages();

}  // namespace qb

#endif  // QB_PLATFORM_CODE_PAGE_CHOICE_H
