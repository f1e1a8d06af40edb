// The Windows console backend. It draws the screen model through the
// console's wide cell functions, writing only the cells that changed since
// the last frame (as the core's frame diff finds them); keeps the console at
// exactly 80 x 25 cells; reads key presses from the console's input queue
// (or the bytes of a redirected standard input); and turns the console-close
// signal into the key Alt+F4. When standard output is not a console, printed
// bytes go to it unchanged and nothing is drawn.
#ifndef QB_PLATFORM_WIN32_CONSOLE_BACKEND_H
#define QB_PLATFORM_WIN32_CONSOLE_BACKEND_H

#include <windows.h>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/backend.h"
#include "platform/screen/frame_diff.h"
#include "platform/win32/console/glyphs.h"
#include "platform/win32/console/keys.h"
#include "platform/win32/console/stream_input.h"

namespace qb {

class Win32Console final : public Backend {
 public:
  // Takes the console's input and output handles (either may be a file or
  // pipe instead) and sets the console's input to processed mode.
  Win32Console(HANDLE input, HANDLE output);
  ~Win32Console() override;
  Win32Console(const Win32Console&) = delete;
  Win32Console& operator=(const Win32Console&) = delete;

  bool is_screen() const override { return screen_; }
  void present(const Screen& screen) override;
  void invalidate() override;
  // The bytes as they are, the program's marks too: a file gets the OEM page.
  void write_stream(std::string_view bytes, Glyphs glyphs) override;
  void resize(int columns, int rows) override;
  // Keys from the console; or, when standard input is not the console, its
  // bytes until its end.
  int poll_keys(KeyQueue& keys, int timeout_ms) override;
  bool input_ended() const override { return stream_ && stream_->drained(); }
  double timer_seconds() override;
  void sleep_ms(int milliseconds) override;
  void sleep_until(double reading) override;
  void beep() override;
  int run_command(std::string_view command_line) override;
  [[noreturn]] void end_program(int exit_code, std::string_view error_line) override;
  // The console's page: 437 where it is not a page of the tables.
  const CodePage& text_page() const override {
    return code_page_numbered(static_cast<int>(glyphs_.code_page));
  }
  // OemToCharA; and the tools' text as it is, in the system's OEM code page.
  void oem_to_ansi(std::string& text) const override;
  std::string oem_from_program_text(std::string_view text) const override {
    return std::string(text);
  }

  // The code page whose glyphs are drawn and whose bytes keys are read as.
  unsigned code_page() const { return glyphs_.code_page; }

 private:
  void set_program_modes();
  void restore_modes();
  void install_close_handler();
  void remove_close_handler();
  void load_code_page();
  void find_origin();
  void write_block(int top, int bottom, ColumnRun span);
  void present_cursor(const Screen& screen);
  int poll_stream(KeyQueue& keys, int timeout_ms);
  int move_overflow(KeyQueue& keys);
  int read_events(KeyQueue& keys);
  int typed_character(wchar_t ch) const;
  int add_key(KeyQueue& keys, KEY_EVENT_RECORD event);

  HANDLE input_;
  HANDLE output_;
  bool screen_ = false;                  // output is a console screen buffer
  bool keyboard_ = false;                // input is a console input queue
  std::unique_ptr<StreamInput> stream_;  // input that is not a console
  DWORD saved_input_mode_ = 0;
  DWORD saved_output_mode_ = 0;
  CONSOLE_CURSOR_INFO saved_cursor_{};
  bool close_handler_installed_ = false;

  CodePageGlyphs glyphs_{0, 437, {}, {}};  // code page 0: not read yet
  COORD origin_{0, 0};                     // buffer cell of row 1, column 1 of the window
  FrameDiff diff_;                         // the model's cells and what the console shows
  std::array<CHAR_INFO, std::size_t{Screen::kRows} * Screen::kColumns>
      block_{};  // cells on their way out
  std::optional<COORD> shown_cursor_;
  std::optional<bool> shown_visible_;

  AltKeypadEntry alt_entry_;
  std::deque<int> overflow_;     // codes read from the console that did not fit yet,
                                 // a pair as one (kPairCode)
  double counter_period_ = 0.0;  // seconds per performance-counter tick; 0: none
  // The page the form's bytes stand for, in which command lines are read:
  // the one whose glyphs show them; without a console, the system's OEM page.
  unsigned command_page_ = CP_OEMCP;
};

// Asks for the key Alt+F4, as the console-close handler does, and wakes a
// wait for keys; the next look at the keyboard adds it to the key queue once.
void request_close_key();

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_BACKEND_H
