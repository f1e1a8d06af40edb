// The OEM code page that Windows gives a locale, found for a POSIX locale
// name through the tables of locale_tables.h.
#ifndef QB_PLATFORM_TEXT_LOCALE_PAGE_H
#define QB_PLATFORM_TEXT_LOCALE_PAGE_H

#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// The OEM page Windows gives a POSIX locale name ("ru_RU.UTF-8",
// "sr_RS@latin"): that of Windows' locale for its language in the script
// glibc writes it in (sr_RS is sr-Cyrl-RS, sd_IN sd-Arab), else that of
// its territory's locales (ku_TR, Kurdish in Latin letters, gets Turkey's);
// for a name glibc does not know, that of the Windows locale its language,
// territory and modifier name (Japanese 932, Chinese 936 or 950, Korean
// 949). 437 for any other, C and POSIX included, and for the languages that
// Windows serves in Unicode only.
const CodePage& oem_code_page_of_locale(std::string_view locale_name);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_LOCALE_PAGE_H
