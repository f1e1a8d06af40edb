// The line editor and answer parsing: one line typed and edited at the
// cursor, and the answer taken from it as its first field.
#ifndef QB_FORM_LINE_EDITOR_H
#define QB_FORM_LINE_EDITOR_H

#include <string>
#include <string_view>

#include "platform/console.h"

namespace qb {

// Edits a line at the cursor until Enter; returns the typed text.
std::string read_line(Console& con);
// The first field of `line`, at most 4096 bytes.
std::string take_answer(std::string_view line);
// read_line, then the cursor to the end of the text and a line end; returns the answer.
std::string read_answer(Console& con);

}  // namespace qb

#endif  // QB_FORM_LINE_EDITOR_H
