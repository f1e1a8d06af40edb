// The answer to a prompt, taken from the line typed for it.
#ifndef QB_FORM_ANSWER_H
#define QB_FORM_ANSWER_H

#include <string>
#include <string_view>

namespace qb {

// The first field of `line`, at most 4096 bytes.
std::string take_answer(std::string_view line);

}  // namespace qb

#endif  // QB_FORM_ANSWER_H
