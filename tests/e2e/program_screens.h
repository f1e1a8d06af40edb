// What the end-to-end tests and the benchmark look for on the program's
// screens: the terminal's palette indices of the console colours, the splash
// and title boxes, and the options that start the program.
#ifndef QB_TESTS_E2E_PROGRAM_SCREENS_H
#define QB_TESTS_E2E_PROGRAM_SCREENS_H

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#ifdef QB_PROGRAM
#include <gtest/gtest.h>
#endif

#include "pty_session.h"
#include "support/form_answers.h"
#include "support/result_boxes.h"

namespace qb::test {

// Palette indices (ANSI order: 1 red, 4 blue) of the colours the program uses.
inline constexpr int kBlack = 0;
inline constexpr int kBlue = 4;
inline constexpr int kLightGrey = 7;
inline constexpr int kDarkGrey = 8;
inline constexpr int kWhite = 15;

inline std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

inline const std::string kSplashTitle = "║  Quillbarrowmintstamperwright  ║";
inline const std::string kTitleLine =
    "║" + std::string(20, ' ') + "Quillbarrowmintstamperwright" + std::string(20, ' ') + "║";

inline bool splash_shown(const VtScreen& vt) {
  return vt.text_at(10, 22, 34) == kSplashTitle;
}
// The splash is complete once its footer and the cursor below it show.
inline bool splash_complete(const VtScreen& vt) {
  return splash_shown(vt) && vt.text_at(23, 62, 15) == "powered by GoRC" && vt.cursor_row() == 24 &&
         vt.cursor_column() == 1;
}
inline bool title_shown(const VtScreen& vt) {
  return vt.text_at(6, 6, 70) == kTitleLine;
}
// The title and the first prompt, which waits with the cursor after it.
inline bool first_prompt_shown(const VtScreen& vt) {
  return title_shown(vt) && vt.text_at(12, 8, 18) == "Your source code: " &&
         vt.cursor_row() == 12 && vt.cursor_column() == 26;
}

// The result screen is whole once its prompt, printed last, shows with the
// cursor on the row below it, where the frame leaves it.
inline bool result_shown(const VtScreen& vt) {
  return vt.text_at(22, 4, 22) == "Press any key to quit." && vt.cursor_row() == 23 &&
         vt.cursor_column() == 1;
}

// The exit status of a run whose result screen `vt` shows: 0 after "EXE
// file created !", 1 after either failure box.
inline int expected_status(const VtScreen& vt) {
  return vt.text_at(12, 22, 34) == kSuccessMiddle ? 0 : 1;
}

// Answers the form, then presses a key now and then until the program
// ends (however many screens wait for a key after the form).
inline std::optional<ExitStatus> finish_run(PtySession& session) {
  for (const std::string_view answer : kFormAnswers) session.send(std::string(answer) + "\r");
  for (int tries = 0; tries < 40; ++tries) {
    if (auto status = session.wait_exit(std::chrono::milliseconds(500))) return status;
    session.send("q");
  }
  return std::nullopt;
}

// The program at `path` in a terminal of the given size.
inline PtyOptions launch_options(const std::string& path, int columns = 80, int rows = 25) {
  PtyOptions options;
  options.program = path;
  options.columns = columns;
  options.rows = rows;
  return options;
}

// True when the tests run the Windows build under wine: QB_E2E_PREFIX names
// the command that runs it (scripts/wine-exec.sh).
inline bool under_wine() {
  const char* prefix = std::getenv("QB_E2E_PREFIX");
  return prefix != nullptr && *prefix != '\0';
}

// The tests know the program they were built with, unless QB_E2E_PROGRAM
// names another (the Windows build) to run through QB_E2E_PREFIX; the
// benchmark is told.
#ifdef QB_PROGRAM
inline std::string program_path() {
  const char* program = std::getenv("QB_E2E_PROGRAM");
  return program != nullptr && *program != '\0' ? program : QB_PROGRAM;
}

inline PtyOptions program_options(int columns = 80, int rows = 25) {
  PtyOptions options = launch_options(program_path(), columns, rows);
  if (under_wine()) options.prefix = {std::getenv("QB_E2E_PREFIX")};
  return options;
}

// The Windows stand-in tools (GORC.EXE, FBC.EXE) beside the Windows
// program's build, in its tools folder.
inline std::string windows_tool(const std::string& name) {
  return (std::filesystem::path(program_path()).parent_path() / "tools" / name).string();
}

// Presses a key at the result screen: the program must end with the status
// that the screen tells.
inline void quit_at_result(PtySession& session) {
  const int expected = expected_status(session.screen());
  session.send("q");
  const auto status = session.wait_exit();
  ASSERT_TRUE(status) << "the program did not end after the key";
  EXPECT_TRUE(status->exited);
  EXPECT_EQ(status->code, expected);
}

// Skips every test when the program to run is not there (the Windows build
// before `make test` has made it).
class ProgramPresent : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!std::filesystem::exists(program_path())) GTEST_SKIP() << "no " << program_path();
  }
};
inline const bool kProgramChecked = (::testing::AddGlobalTestEnvironment(new ProgramPresent), true);
#endif

}  // namespace qb::test

#endif  // QB_TESTS_E2E_PROGRAM_SCREENS_H
