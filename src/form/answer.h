// The answer to a prompt, taken from the line typed for it.
#ifndef QB_FORM_ANSWER_H
#define QB_FORM_ANSWER_H

#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

// The first field of `line`, text of `page`: at most 4096 bytes, and never
// half of a pair.
std::string take_answer(std::string_view line, const CodePage& page = kCodePage437);

}  // namespace qb

#endif  // QB_FORM_ANSWER_H
