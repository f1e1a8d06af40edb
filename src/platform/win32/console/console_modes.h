// The Windows console's modes as the program sets them and as it found
// them: processed input while the program runs (Ctrl+C and Ctrl+Break stay
// the system's), everything as it was while a command runs and at the end,
// the cursor's look included.
#ifndef QB_PLATFORM_WIN32_CONSOLE_CONSOLE_MODES_H
#define QB_PLATFORM_WIN32_CONSOLE_CONSOLE_MODES_H

#include <windows.h>

namespace qb {

// True when `handle` is a console's (input queue or screen buffer), its mode in `mode`.
bool console_mode(HANDLE handle, DWORD& mode);

class ConsoleModes {
 public:
  // The modes of `input` and `output` where they are a console's; nothing
  // is changed until enter().
  ConsoleModes(HANDLE input, HANDLE output);

  // True when the input is a console's input queue, and when the output is
  // a console screen buffer.
  bool keyboard() const { return keyboard_; }
  bool screen() const { return screen_; }
  // Sets the program's input mode (again, after a command).
  void enter() const;
  // Puts both modes back as they were.
  void leave() const;
  // Puts the cursor's size and visibility back as they were.
  void restore_cursor() const;

 private:
  HANDLE input_;
  HANDLE output_;
  bool keyboard_ = false;
  bool screen_ = false;
  DWORD saved_input_mode_ = 0;
  DWORD saved_output_mode_ = 0;
  CONSOLE_CURSOR_INFO saved_cursor_{};
};

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_CONSOLE_MODES_H
