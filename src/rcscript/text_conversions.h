// The small byte-wise conversions of the answers: right trim, dots to
// commas, the two version forms and the base name of a file name.
#ifndef QB_RCSCRIPT_TEXT_CONVERSIONS_H
#define QB_RCSCRIPT_TEXT_CONVERSIONS_H

#include <string>
#include <string_view>

namespace qb {

// The text without its trailing run of spaces and NUL bytes.
std::string trim_right(std::string_view text);
// The text with every "." replaced by ",".
std::string dots_to_commas(std::string_view text);
// dots_to_commas of the text followed by ",0".
std::string version_to_numeric(std::string_view version);
// The first three bytes of the text followed by its last byte.
std::string version_to_short(std::string_view version);
// The bytes before the first "."; empty when there is none.
std::string base_name(std::string_view file_name);

}  // namespace qb

#endif  // QB_RCSCRIPT_TEXT_CONVERSIONS_H
