// Reading QB_CODE_PAGE: decimal digits alone, compared as a number, so
// "0850" is 850 and a sign or a blank is no page. The OEM pages are those
// of the program's tables, so a page added to them can be chosen at once
// and is listed where a value is refused.
#include "platform/code_page_choice.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "platform/text/code_page.h"

namespace qb {

namespace {

constexpr int kUtf8Page = 65001;

// The numbers of the OEM pages the program carries: the one-byte pages
// ascending, then the double-byte ones ascending, as the refusal lists
// them. UTF-8's is named apart, should its record stand among them.
std::vector<int> oem_page_numbers() {
  std::vector<const CodePage*> pages;
  for (const CodePage* page : kCodePages) {
    if (page->number != kUtf8Page) pages.push_back(page);
  }
  std::sort(pages.begin(), pages.end(), [](const CodePage* a, const CodePage* b) {
    return std::pair(a->pairs != nullptr, a->number) < std::pair(b->pairs != nullptr, b->number);
  });
  std::vector<int> numbers(pages.size());
  std::transform(pages.begin(), pages.end(), numbers.begin(),
                 [](const CodePage* page) { return page->number; });
  return numbers;
}

// True when `number` is a page a choice may name.
bool choosable(unsigned number) {
  const std::vector<int> oem = oem_page_numbers();
  return number == kUtf8Page ||
         std::find(oem.begin(), oem.end(), static_cast<int>(number)) != oem.end();
}

// True, with the number in `number`, when `value` is decimal digits alone
// that spell a number small enough to hold: from_chars takes no sign into
// an unsigned number, and no blank.
bool spelled_number(std::string_view value, unsigned& number) {
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  return error == std::errc() && end == value.data() + value.size();
}

}  // namespace

CodePageChoice read_code_page_choice(std::string_view value) {
  CodePageChoice choice;
  if (value.empty()) return choice;
  unsigned number = 0;
  if (spelled_number(value, number) && choosable(number)) {
    choice.number = static_cast<int>(number);
    return choice;
  }
  choice.refusal = "quillbarrow: QB_CODE_PAGE=" + std::string(value) +
                   " is not a code page this program knows; it knows " + choosable_code_pages();
  return choice;
}

std::string choosable_code_pages() {
  std::string list = std::to_string(kUtf8Page) + " and ";
  const std::vector<int> oem = oem_page_numbers();
  for (std::size_t i = 0; i < oem.size(); ++i) {
    list += (i == 0 ? "" : ", ") + std::to_string(oem[i]);
  }
  return list;
}

}  // namespace qb
