// The line editor's echo where output is a plain stream, which takes no
// cursor moves: a terminal that honours backspace (TERM=dumb) is shown each
// change as it is made, while a pipe or a file gets the finished text once,
// when the line ends, so that it holds what was stored and no backspace.
#ifndef QB_FORM_STREAM_ECHO_H
#define QB_FORM_STREAM_ECHO_H

#include "form/edit_verbs.h"
#include "platform/console.h"

namespace qb {

// Carries out what the verbs asked for where output is a plain stream: the
// beep, and on a terminal that shows edits the changed text and the cursor.
void echo_in_stream(Console& con, LineEdit& st);
// Ends the echo with the stream's cursor after the whole text, which a pipe
// or a file gets now.
void end_stream_echo(Console& con, LineEdit& st);

}  // namespace qb

#endif  // QB_FORM_STREAM_ECHO_H
