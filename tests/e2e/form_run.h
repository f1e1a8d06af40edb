// A fixture for end-to-end runs of the form: the real program in a
// pseudo-terminal, in a folder with a source, two icons and the stand-in
// tools behind small shell wrappers. The GORC.EXE wrapper keeps a copy of
// the resource script it is handed and can hold the build until the test
// lets it go, so the form's last screen can be looked at before the result
// screen replaces it; the FBC.EXE wrapper keeps its arguments, one a line.
// Also the checks of prompt rows, answers and their colours.
#ifndef QB_TESTS_E2E_FORM_RUN_H
#define QB_TESTS_E2E_FORM_RUN_H

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "program_screens.h"
#include "support/scratch_folder.h"

namespace qb::test {

inline constexpr int kGreen = 2;  // console colour 2 is the terminal's palette index 2 too

// The keys as an xterm sends them: CSI and SS3 forms.
inline constexpr const char* kCsiUp = "\x1b[A";
inline constexpr const char* kCsiDown = "\x1b[B";
inline constexpr const char* kCsiRight = "\x1b[C";
inline constexpr const char* kCsiLeft = "\x1b[D";
inline constexpr const char* kCsiHome = "\x1b[H";
inline constexpr const char* kCsiEnd = "\x1b[F";
inline constexpr const char* kSs3Up = "\x1bOA";
inline constexpr const char* kSs3Right = "\x1bOC";
inline constexpr const char* kSs3Left = "\x1bOD";
inline constexpr const char* kSs3Home = "\x1bOH";
inline constexpr const char* kSs3End = "\x1bOF";
inline constexpr const char* kVtHome = "\x1b[1~";
inline constexpr const char* kVtEnd = "\x1b[4~";
inline constexpr const char* kDelete = "\x1b[3~";

// How many terminal cells a UTF-8 text takes (one a code point).
int cells(const std::string& text);

// Expects `text` at row, column in foreground `fg` on light grey.
void expect_text(const VtScreen& vt, int row, int column, const std::string& text, int fg);
// Expects prompt text `prompt` in black at column 6 of `row`, and `answer`
// after it in `answer_fg`; returns the column after the answer.
int expect_prompt(const VtScreen& vt, int row, const std::string& prompt, const std::string& answer,
                  int answer_fg = kGreen);
// Expects spaces on light grey from `first` to `last` (any foreground).
void expect_spaces(const VtScreen& vt, int row, int first, int last);

class FormRun : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program in the folder, with `env` added to its environment.
  PtySession& start(const std::vector<std::string>& env = {});
  // Waits until `holds` is true of the screen, and for the rest of what
  // reached the terminal by then.
  bool shows(const std::function<bool(const VtScreen&)>& holds);
  // Waits until `count` typed bytes wait unread in the terminal, and for
  // what it shows then: its echo of them, were its echo on.
  bool keys_waiting(std::size_t count);
  // Waits until `text` stands at row, column.
  bool shows_text(int row, int column, const std::string& text);
  // Waits until the cursor stands at row, column.
  bool cursor_at(int row, int column);
  // From now on the resource compiler waits before it starts work.
  void hold_build();
  // Lets a held resource compiler go on.
  void release_build();
  // True once the resource compiler has been started.
  bool build_started() const;
  // Waits for the result screen, presses a key and expects a clean exit.
  void finish();

  // The resource script as the resource compiler got it.
  std::string kept_script() const;
  // Its lines without their CR LF.
  std::vector<std::string> script_lines() const;
  // The compiler's arguments.
  std::vector<std::string> fbc_arguments() const;

  const ScratchFolder scratch_{ScratchFolder::Enter::kNo};
  const std::filesystem::path& folder_ = scratch_.path();
  std::unique_ptr<PtySession> session_;
};

}  // namespace qb::test

#endif  // QB_TESTS_E2E_FORM_RUN_H
