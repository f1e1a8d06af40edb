// The seam between the portable console and the system it runs on. A backend
// shows the screen model, delivers key presses, keeps time, runs commands
// and converts text between the console's code page and the system's;
// the terminal, the Windows console and the in-memory test double each
// provide one. Everything above this seam is the same on every system.
#ifndef QB_PLATFORM_BACKEND_H
#define QB_PLATFORM_BACKEND_H

#include <memory>
#include <string>
#include <string_view>

#include "platform/keys/key_queue.h"
#include "platform/screen/screen.h"
#include "platform/text/code_page.h"

namespace qb {

// A wait for keys without a time limit: it ends when a key comes.
inline constexpr int kNoTimeLimit = -1;

class Backend {
 public:
  virtual ~Backend() = default;

  // True when output is a screen; false when it is a plain stream, which then
  // receives printed bytes and line ends unchanged and nothing else.
  virtual bool is_screen() const = 0;
  // True when the plain stream is a terminal that moves its cursor back one
  // cell for a backspace (TERM=dumb), so that an edit can be shown as it is
  // made; false for a screen, a pipe or a file.
  virtual bool stream_shows_edits() const { return false; }
  // Makes what the user sees match the model: cells, cursor and its visibility.
  virtual void present(const Screen& screen) = 0;
  // Forgets what the display shows, so that the next present repaints it all.
  virtual void invalidate() = 0;
  // Writes printed bytes to the plain output stream, showing `glyphs`' glyphs
  // where the stream takes characters rather than bytes.
  virtual void write_stream(std::string_view bytes, Glyphs glyphs) = 0;
  // Asks the display to become columns x rows cells.
  virtual void resize(int columns, int rows) = 0;
  // Waits at most timeout_ms (0: only looks; kNoTimeLimit: until a key or
  // anything else comes, without waking meanwhile) for key presses, then
  // moves them into `keys`, each key's codes whole, while it has room.
  // Returns how many keys have come: those added, or, at once and without
  // a wait, 1 while a key that has come does not fit whole (it waits,
  // unread or held, until the queue has room; none is ever dropped). Once
  // the input has ended it adds what is left and never waits.
  virtual int poll_keys(KeyQueue& keys, int timeout_ms) = 0;
  // True once the keys' input has ended (a redirected input ran dry, the
  // terminal hung up): no key will come any more.
  virtual bool input_ended() const = 0;
  // True when the input ended because its terminal hung up (was closed).
  virtual bool input_hung_up() const { return false; }
  // Seconds since an arbitrary fixed moment, at the finest resolution at hand.
  virtual double timer_seconds() = 0;
  virtual void sleep_ms(int milliseconds) = 0;
  // Pauses until timer_seconds() reads at least `reading` (at once if it does).
  virtual void sleep_until(double reading) = 0;
  // Sounds the 1000 Hz, 250 ms tone, or the nearest the display offers.
  virtual void beep() = 0;
  // Runs a command line as the command interpreter would, with the display
  // handed back to the system meanwhile; keys typed meanwhile are neither
  // shown nor edited, and wait for the program. Returns the interpreter's status.
  virtual int run_command(std::string_view command_line) = 0;
  // Hands the display back to the system, writes `error_line` (unless empty)
  // as one line on standard error and ends the process.
  [[noreturn]] virtual void end_program(int exit_code, std::string_view error_line) = 0;

  // The console's code page, the form's text's: what the screen's bytes
  // show and what typed characters become.
  virtual const CodePage& text_page() const = 0;
  // The page of the resource script's text, in which a resource compiler
  // reads it: the ANSI page; or UTF-8 where the console's page or the ANSI
  // page is UTF-8, the script then opening with the byte-order mark.
  virtual const CodePage& script_page() const = 0;
  // Converts `text` in place from the console's page to the script's page:
  // where the console's page is the OEM page, as the system's OemToCharA
  // does (one byte to one byte; in a double-byte page a pair to its
  // character's bytes, or to the page's default where it has none); else
  // character by character through Unicode, with Windows' best fit.
  virtual void to_script_page(std::string& text) const = 0;
  // The bytes of the console's page that show `text`, which another program
  // (a tool, in its log) wrote in the system's own way.
  virtual std::string oem_from_program_text(std::string_view text) const = 0;
};

// The backend for the system the program was built for: the terminal on
// POSIX, the console on Windows. Prepares the display and the keyboard.
std::unique_ptr<Backend> make_system_backend();

}  // namespace qb

#endif  // QB_PLATFORM_BACKEND_H
