// A POSIX terminal's modes as the program sets them and as it found them:
// raw input with the signal keys left on, autowrap off (and bidirectional
// text off for a code page with right-to-left letters) while the program
// runs, everything as it was on every orderly way out, and the crash
// handler told how to do the same. Also what the program asks of the
// terminal before it draws: whether it takes cursor sequences, whether it
// erases in colour, and its size.
#ifndef QB_PLATFORM_POSIX_TERMINAL_MODES_H
#define QB_PLATFORM_POSIX_TERMINAL_MODES_H

#include <termios.h>

#include "platform/posix/terminal/term_render.h"

namespace qb {

// True when `fd` is a terminal that takes cursor and colour sequences (not
// TERM=dumb, as editor shells set it).
bool screen_terminal(int fd);
// False for GNU screen without background colour erase (its default), which
// fills erased cells with the default colours whatever the pen.
bool erases_in_colour();
// The terminal's size; 80 x 25 when it cannot tell.
TermSize query_size(int fd);

// The program's modes on a terminal and the crash handler kept in step:
// from enter() to leave() the modes are the program's and the handler is
// armed to undo them; before and after, both are as the program found them.
class TerminalModes {
 public:
  // The modes of `input_fd` (when it is a terminal) and the screen modes of
  // `output_fd` (when `screen`); nothing is changed until enter().
  TerminalModes(int input_fd, int output_fd, bool screen, bool right_to_left);

  // True when the input is a terminal whose modes are the program's to set.
  bool keyboard() const { return keyboard_; }
  bool raw() const { return raw_; }
  // Sets the program's modes (again, after a stop or a command).
  void enter();
  // Puts the terminal back as it was; with `fresh_line`, the cursor goes to
  // a new line below the drawn rows, so that a shell prompt does not cover
  // them. Does nothing when the modes are not set.
  void leave(bool fresh_line);
  // Gives the screen back as the system had it (attributes, cursor,
  // autowrap) while the keyboard stays in the program's modes.
  void hand_over_screen() const;

 private:
  const int input_fd_;
  const int output_fd_;
  const bool screen_;
  const bool right_to_left_;  // the page has Hebrew or Arabic letters
  bool keyboard_ = false;
  termios saved_{};  // the input's modes before the program started
  bool raw_ = false;
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TERMINAL_MODES_H
