// The Windows console's keyboard: the console's key events (or the bytes
// of a redirected input) turned into keys and moved into the key queue,
// each whole, and the console-close signal turned into the key Alt+F4.
#ifndef QB_PLATFORM_WIN32_CONSOLE_CONSOLE_INPUT_H
#define QB_PLATFORM_WIN32_CONSOLE_CONSOLE_INPUT_H

#include <windows.h>

#include <deque>
#include <memory>

#include "platform/keys/key_queue.h"
#include "platform/keys/keystroke.h"
#include "platform/text/code_page.h"
#include "platform/win32/console/glyphs.h"
#include "platform/win32/console/keys.h"
#include "platform/win32/console/stream_input.h"

namespace qb {

class ConsoleInput {
 public:
  // Keys from `input`: the console's input queue when `keyboard`, else a
  // redirected input read to its end.
  ConsoleInput(HANDLE input, bool keyboard);
  ~ConsoleInput();
  ConsoleInput(const ConsoleInput&) = delete;
  ConsoleInput& operator=(const ConsoleInput&) = delete;

  // Backend::poll_keys, with the typed characters in `glyphs`' code page
  // and a redirected input's bytes read in `input_page`; the first look
  // installs the console-close handler.
  int poll(KeyQueue& keys, int timeout_ms, const CodePageGlyphs& glyphs, unsigned input_page);
  // True once a redirected input has ended and every byte of it is taken.
  bool ended() const;
  // Removes the console-close handler (at the end).
  void remove_close_handler();

 private:
  void install_close_handler();
  int poll_stream(KeyQueue& keys, int timeout_ms, const StreamPages& pages);
  int move_overflow(KeyQueue& keys);
  int read_events(KeyQueue& keys, const CodePageGlyphs& glyphs);
  int add_key(KeyQueue& keys, KEY_EVENT_RECORD event, const CodePageGlyphs& glyphs);

  HANDLE input_;
  bool keyboard_;
  std::unique_ptr<StreamInput> stream_;  // input that is not a console
  bool close_handler_installed_ = false;
  AltKeypadEntry alt_entry_;
  SurrogateHalf surrogate_;         // a character's high half, waiting for its low half
  std::deque<Keystroke> overflow_;  // keys read from the console that did not fit yet
};

// Asks for the key Alt+F4, as the console-close handler does, and wakes a
// wait for keys; the next look at the keyboard adds it to the key queue once.
void request_close_key();

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_CONSOLE_INPUT_H
