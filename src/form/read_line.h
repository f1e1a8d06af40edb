// The line editor's reading loop: one line typed and edited at the cursor,
// and the answer to a prompt read that way.
#ifndef QB_FORM_READ_LINE_H
#define QB_FORM_READ_LINE_H

#include <string>

#include "platform/console.h"

namespace qb {

// Edits a line at the cursor until Enter; returns the typed text.
std::string read_line(Console& con);
// read_line, then the cursor to the end of the text and a line end; returns the answer.
std::string read_answer(Console& con);

}  // namespace qb

#endif  // QB_FORM_READ_LINE_H
