// The script's page and the conversions between the console's page and
// the system's others, each by the system's own functions (OemToCharA,
// MultiByteToWideChar, WideCharToMultiByte), so that the script holds what
// a resource compiler on that system reads back as typed.
#include "platform/win32/console/console_text.h"

#include <windows.h>

#include "platform/text/utf8.h"
#include "platform/win32/oem.h"

namespace qb {

namespace {

bool is_utf8_page(unsigned page) {
  return page == CP_UTF8;
}

bool script_is_utf8(const SystemPages& pages) {
  return is_utf8_page(pages.console) || is_utf8_page(pages.ansi);
}

}  // namespace

SystemPages system_pages(unsigned console_page) {
  return {console_page, GetOEMCP(), GetACP()};
}

const CodePage& script_page_of(const SystemPages& pages) {
  if (script_is_utf8(pages)) return kCodePage65001;
  const CodePage& ansi = code_page_numbered(static_cast<int>(pages.ansi));
  return ansi.pairs != nullptr ? ansi : kCodePage437;
}

// A UTF-8 script comes first: where the ANSI page is UTF-8, OemToCharA's
// one byte a character could not hold it.
void convert_to_script_page(const SystemPages& pages, std::string& text) {
  if (text.empty()) return;
  if (script_is_utf8(pages)) {
    text = page_from_wide(wide_from_page(text, pages.console), CP_UTF8);
  } else if (pages.console == pages.oem) {
    oem_to_ansi(text);
  } else {
    text = page_from_wide(wide_from_page(text, pages.console), pages.ansi);
  }
}

std::string console_text_of_log(const SystemPages& pages, std::string_view log) {
  if (!is_utf8_page(pages.console)) return std::string(log);
  if (is_utf8(log)) return oem_from_utf8_text(kCodePage65001, log);
  return oem_from_utf8_text(kCodePage65001,
                            page_from_wide(wide_from_page(log, pages.ansi), CP_UTF8));
}

}  // namespace qb
