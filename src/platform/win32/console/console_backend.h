// The Windows console backend: the console's modes, its screen (the
// renderer) and its keyboard (the input), composed into the program's
// backend, with what is left of the system's side: plain output where
// standard output is no console, the console's code page, the timer,
// pauses, the beep, commands and the end. When standard output is not a
// console, printed bytes go to it unchanged and nothing is drawn.
#ifndef QB_PLATFORM_WIN32_CONSOLE_CONSOLE_BACKEND_H
#define QB_PLATFORM_WIN32_CONSOLE_CONSOLE_BACKEND_H

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/backend.h"
#include "platform/win32/console/console_input.h"
#include "platform/win32/console/console_modes.h"
#include "platform/win32/console/console_renderer.h"
#include "platform/win32/console/glyphs.h"

namespace qb {

class Win32Console final : public Backend {
 public:
  // Takes the console's input and output handles (either may be a file or
  // pipe instead) and sets the console's input to processed mode.
  Win32Console(HANDLE input, HANDLE output);
  ~Win32Console() override;
  Win32Console(const Win32Console&) = delete;
  Win32Console& operator=(const Win32Console&) = delete;

  bool is_screen() const override { return modes_.screen(); }
  void present(const Screen& screen) override;
  void invalidate() override { renderer_.invalidate(); }
  // The bytes as they are, the program's marks too: a file gets the OEM page.
  void write_stream(std::string_view bytes, Glyphs glyphs) override;
  void resize(int columns, int rows) override;
  // Keys from the console; or, when standard input is not the console, its
  // bytes until its end.
  int poll_keys(KeyQueue& keys, int timeout_ms) override {
    return input_.poll(keys, timeout_ms, glyphs_, input_page_);
  }
  bool input_ended() const override { return input_.ended(); }
  double timer_seconds() override;
  void sleep_ms(int milliseconds) override;
  void sleep_until(double reading) override;
  void beep() override;
  int run_command(std::string_view command_line) override;
  [[noreturn]] void end_program(int exit_code, std::string_view error_line) override;
  // The console's output page, UTF-8 included: 437 where it is not a page
  // of the tables (a one-byte stand-in for one such as 1251).
  const CodePage& text_page() const override {
    return code_page_numbered(static_cast<int>(glyphs_.code_page));
  }
  // UTF-8, or the ANSI page's character model (console_text.h).
  const CodePage& script_page() const override;
  // The form's text into the script's page (console_text.h).
  void to_script_page(std::string& text) const override;
  // A tool's log in the console's page (console_text.h).
  std::string oem_from_program_text(std::string_view text) const override;

  // The code page whose glyphs are drawn and whose bytes keys are read as.
  unsigned code_page() const { return glyphs_.code_page; }

 private:
  void load_code_page();

  HANDLE output_;
  ConsoleModes modes_;
  ConsoleInput input_;
  ConsoleRenderer renderer_;
  CodePageGlyphs glyphs_{0, 437, {}, {}};  // code page 0: not read yet
  double counter_period_ = 0.0;            // seconds per performance-counter tick; 0: none
  // The page the form's bytes stand for, in which the system reads them
  // (command lines, the script's text): the one whose glyphs show them.
  unsigned command_page_ = CP_OEMCP;
  // The console's input page, in which a redirected input's bytes are read.
  unsigned input_page_ = CP_OEMCP;
};

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_CONSOLE_BACKEND_H
