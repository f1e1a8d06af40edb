// The small conversions of the answers: right trim, dots to commas, the two
// version forms and the base name of a file name. They work on the text of
// a code page character by character: in a double-byte page a pair's second
// byte is never taken for a space, a dot or a NUL, and no result holds half
// a pair. In a one-byte page every byte is a character; 437 serves where a
// caller has no page.
#ifndef QB_RCSCRIPT_TEXT_CONVERSIONS_H
#define QB_RCSCRIPT_TEXT_CONVERSIONS_H

#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// The text without its trailing run of spaces and NUL bytes.
std::string trim_right(std::string_view text, const CodePage& page = kCodePage437);
// The text with every "." replaced by ",".
std::string dots_to_commas(std::string_view text, const CodePage& page = kCodePage437);
// dots_to_commas of the text followed by ",0".
std::string version_to_numeric(std::string_view version, const CodePage& page = kCodePage437);
// The first three bytes of the text followed by its last byte; in a
// double-byte page, a pair that the third byte would cut is left out and a
// last byte that ends a pair brings the whole pair.
std::string version_to_short(std::string_view version, const CodePage& page = kCodePage437);
// The bytes before the first "."; empty when there is none.
std::string base_name(std::string_view file_name, const CodePage& page = kCodePage437);

}  // namespace qb

#endif  // QB_RCSCRIPT_TEXT_CONVERSIONS_H
