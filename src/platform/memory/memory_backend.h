// The in-memory backend for tests: keys come from a script, time from a
// virtual clock, commands from a callback, and every frame, beep and stream
// byte is kept to be looked at. Nothing touches a terminal or the clock.
// Keys go into the queue as a terminal's or a console's do: each whole (a
// pair's two bytes together), and one that has come but does not fit
// counts as come.
#ifndef QB_PLATFORM_MEMORY_MEMORY_BACKEND_H
#define QB_PLATFORM_MEMORY_MEMORY_BACKEND_H

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/screen/screen.h"
#include "platform/text/code_page.h"

namespace qb {

// Thrown by end_program, so a test can watch the program end.
struct ProgramEnded {
  int exit_code;
  std::string error_line;  // what went to standard error
};

// Thrown when the program waits for a key that the script will never give.
struct ScriptExhausted {};

class MemoryBackend : public Backend {
 public:
  // Queues a key, ready at once.
  void type(const Keystroke& key) { type_at(now, key); }
  // Queues each character of `text` (in `code_page`) as a key, ready at
  // once: a byte, or a pair's two bytes, which go into the queue together.
  void type_text(std::string_view text);
  // Queues a key (a key code, or a character's bytes) that becomes ready
  // when the virtual clock reaches `seconds`.
  void type_at(double seconds, const Keystroke& key);
  // Keys still waiting "in the terminal", not yet moved into the queue.
  std::size_t keys_pending() const { return script_.size(); }

  // The virtual clock, in seconds; every timer_seconds call moves it on by timer_step.
  double now = 0.0;
  double timer_step = 0.0001;

  // What the program did.
  bool screen_output = true;  // false makes this a redirected stream
  bool stream_edits = false;  // the stream is a terminal that honours backspace
  int frames = 0;             // present calls
  int beeps = 0;
  int invalidations = 0;
  Screen shown;        // the last presented frame
  std::string stream;  // bytes written while not a screen
  std::vector<std::pair<int, int>> resizes;
  std::vector<std::string> commands;
  // Runs each command line; returns its status. Unset: status 0.
  std::function<int(std::string_view)> on_command;
  // True makes the input end once the script has run dry.
  bool input_ends = false;
  // The OEM code page of the conversions, which otherwise go as on POSIX.
  const CodePage* code_page = &kCodePage437;

  bool is_screen() const override { return screen_output; }
  bool stream_shows_edits() const override { return !screen_output && stream_edits; }
  void present(const Screen& screen) override;
  void invalidate() override { ++invalidations; }
  void write_stream(std::string_view bytes, Glyphs /*glyphs*/) override { stream.append(bytes); }
  void resize(int columns, int rows) override { resizes.emplace_back(columns, rows); }
  int poll_keys(KeyQueue& keys, int timeout_ms) override;
  bool input_ended() const override { return input_ends && script_.empty(); }
  double timer_seconds() override;
  void sleep_ms(int milliseconds) override { now += milliseconds / 1000.0; }
  void sleep_until(double reading) override { now = now < reading ? reading : now; }
  void beep() override { ++beeps; }
  int run_command(std::string_view command_line) override;
  [[noreturn]] void end_program(int exit_code, std::string_view error_line) override;
  const CodePage& text_page() const override { return *code_page; }
  // The page's ANSI page, UTF-8 for UTF-8.
  const CodePage& script_page() const override {
    return code_page->is_utf8() ? *code_page : ansi_page_numbered(code_page->ansi_number);
  }
  void to_script_page(std::string& text) const override { qb::oem_to_ansi(*code_page, text); }
  std::string oem_from_program_text(std::string_view text) const override {
    return oem_from_utf8_text(*code_page, text);
  }

 private:
  struct Scripted {
    double at;
    Keystroke key;
  };
  int move_ready(KeyQueue& keys);

  std::deque<Scripted> script_;  // ordered by time
};

}  // namespace qb

#endif  // QB_PLATFORM_MEMORY_MEMORY_BACKEND_H
