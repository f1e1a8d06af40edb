// Text from one code page to another, as Windows converts it through UTF-16:
// MultiByteToWideChar from the first page, then WideCharToMultiByte into the
// second with its best fit. A form's text in a console page that is not the
// OEM page reaches the resource script's ANSI page this way.
#ifndef QB_PLATFORM_TEXT_PAGE_CONVERSION_H
#define QB_PLATFORM_TEXT_PAGE_CONVERSION_H

#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// `text`, in `from`, in `to`: each character as its byte or pair in `to`,
// else Windows' best fit, else "?"; a character `from` lacks (a pair
// without one, a lead byte that ends the text) as `from`'s default.
std::string convert_text(const CodePage& from, const CodePage& to, std::string_view text);

}  // namespace qb

#endif  // QB_PLATFORM_TEXT_PAGE_CONVERSION_H
