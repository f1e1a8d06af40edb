// The console's text and the system's other code pages: the page the
// resource script is written in, the conversion of the form's text into it,
// and a tool's log brought into the console's page. The console's page is
// its output page; the OEM page is the one a console starts in and the ANSI
// page the one in which the system's narrow functions, and a resource
// compiler, read text. UTF-8 (65001) holds every character, so where the
// console or the ANSI page is UTF-8 the script is too.
#ifndef QB_PLATFORM_WIN32_CONSOLE_CONSOLE_TEXT_H
#define QB_PLATFORM_WIN32_CONSOLE_CONSOLE_TEXT_H

#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// The system's pages as the console's text meets them.
struct SystemPages {
  unsigned console;  // the console's output page, the form's text's
  unsigned oem;      // GetOEMCP()
  unsigned ansi;     // GetACP()
};

// The system's pages now: the console's as `console_page` (the page the
// system converts the form's text from), the OEM and ANSI pages as the
// system gives them.
SystemPages system_pages(unsigned console_page);

// UTF-8 where the console's or the ANSI page is 65001; else the ANSI
// page's character model: the double-byte page itself, or a one-byte
// stand-in, since only where characters begin matters to the script.
const CodePage& script_page_of(const SystemPages& pages);

// Converts the form's `text` in place into the script's page: to UTF-8
// through UTF-16; from the OEM page by OemToCharA, byte for byte as ever;
// from any other page through UTF-16 to the ANSI page, with the system's
// best fit, else "?".
void convert_to_script_page(const SystemPages& pages, std::string& text);

// A tool's log as the console's page shows it: in UTF-8 a log of valid
// UTF-8 as its characters, any other as the ANSI page's characters (C1
// controls as "?" either way); in the other pages its bytes as they are, as
// the console shows a tool's output.
std::string console_text_of_log(const SystemPages& pages, std::string_view log);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_CONSOLE_TEXT_H
