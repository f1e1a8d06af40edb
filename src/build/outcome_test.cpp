// The outcome phase on the in-memory backend, with real log files in a
// scratch folder: the judgement, the logs left behind, the boxes, the log
// text and the closing prompt. With no key scripted the phase stops at its
// key wait, so the last shown frame is the result screen.
#include "build/outcome.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "platform/memory/memory_backend.h"
#include "support/result_boxes.h"
#include "support/scratch_folder.h"
#include "support/screen_text.h"

namespace qb {
namespace {

const std::string kSuccessMiddle = test::in_437(test::kSuccessMiddle);
const std::string kResourceMiddle = test::in_437(test::kResourceErrorMiddle);
const std::string kCompilerMiddle = test::in_437(test::kCompilerErrorMiddle);

// A log of exactly `length` bytes (at least 2) ending in CR LF.
std::string log_of(std::size_t length) {
  return std::string(length - 2, 'x') + "\r\n";
}

struct OutcomeRun {
  ScratchFolder folder;
  MemoryBackend backend;
  Platform platform{backend};
  ProgramState state;

  // Runs the phase up to its key wait; the result screen is then `shown()`.
  const Screen& run_to_key_wait() {
    EXPECT_THROW(show_outcome(platform, state), ScriptExhausted);
    return backend.shown;
  }
};

// The middle line of whichever box is on the screen, or "" when none is.
std::string box_middle(const Screen& s) {
  if (s.cell(4, 22).ch == 0xC9) return text_at(s, 6, 22, 34);  // ╔ in code page 437
  if (s.cell(10, 22).ch == 0xC9) return text_at(s, 12, 22, 34);
  return "";
}

// The logs as the verdict leaves them (judgement_test.cpp holds the verdicts
// themselves): deleted when they passed, kept when they tell of a failure,
// made empty when the judgement read one that was missing.
TEST(ShowOutcome, JudgesByLogLengthsAndCompilerStatusAndLeavesTheRightLogs) {
  const struct {
    const char* name;
    std::optional<std::size_t> fbc, gorc;
    int status;
    bool object;  // the resource compiler left its object file
    const std::string& middle;
    bool fbc_left, gorc_left;
  } cases[] = {
      {"FBC 2, GORC 125", 2, 125, 0, true, kSuccessMiddle, false, false},
      {"FBC 0, GORC 124", 0, 124, 0, true, kResourceMiddle, false, true},
      {"FBC 3, GORC 130", 3, 130, 0, true, kCompilerMiddle, true, true},
      {"no logs", std::nullopt, std::nullopt, 0, true, kResourceMiddle, false, true},
      {"no FBC.LOG, GORC 130", std::nullopt, 130, 0, true, kSuccessMiddle, false, false},
      {"status 1, no FBC.LOG", std::nullopt, 130, 1, true, kCompilerMiddle, true, true},
      // The resource compiler failed first, and the compiler for want of its object.
      {"no object, FBC 3, GORC 124", 3, 124, 1, false, kResourceMiddle, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OutcomeRun run;
    if (c.fbc) ScratchFolder::write("FBC.LOG", *c.fbc == 0 ? "" : log_of(*c.fbc));
    if (c.gorc) ScratchFolder::write("GORC.LOG", log_of(*c.gorc));
    run.state.compiler_status = c.status;
    run.state.object_file_made = c.object;
    EXPECT_EQ(box_middle(run.run_to_key_wait()), c.middle);
    EXPECT_EQ(ScratchFolder::exists("FBC.LOG"), c.fbc_left);
    EXPECT_EQ(ScratchFolder::exists("GORC.LOG"), c.gorc_left);
    // A compiler failure leaves GORC.LOG untouched.
    if (c.gorc && c.gorc_left) {
      EXPECT_EQ(std::filesystem::file_size("GORC.LOG"), *c.gorc);
    }
  }
}

// Checks the five box lines at `first_row`, column 22, in `attr`, on light grey.
void expect_box(const Screen& s, int first_row, const std::string& middle, int attr) {
  const std::string lines[] = {test::in_437(test::kBoxTop), test::in_437(test::kBoxBlank), middle,
                               test::in_437(test::kBoxBlank), test::in_437(test::kBoxBottom)};
  for (int i = 0; i < 5; ++i) {
    const int row = first_row + i;
    EXPECT_EQ(text_at(s, row, 22, 34), lines[i]) << row;
    for (int col = 22; col <= 55; ++col)
      EXPECT_EQ(s.cell(row, col).attr, attr) << row << "," << col;
    EXPECT_TRUE(blank_cells(s, row, 1, 21, 0x70)) << row;
    EXPECT_TRUE(blank_cells(s, row, 56, 80, 0x70)) << row;
  }
}

// Checks "Press any key to quit." in dark grey at row 22, column 4.
void expect_prompt(const Screen& s) {
  EXPECT_EQ(text_at(s, 22, 4, 22), "Press any key to quit.");
  EXPECT_EQ(s.cell(22, 4).attr, 0x78);
  EXPECT_EQ(s.cell(22, 25).attr, 0x78);
  EXPECT_EQ(s.row(), 23);
  EXPECT_EQ(s.column(), 1);
}

// A step of the program's own that could not be done shows its tool's box
// and its line, whatever the logs say; only the first such step is told.
TEST(ShowOutcome, AStepThatCouldNotBeDoneShowsItsBoxAndLine) {
  for (const auto& [failure, middle, line] :
       {std::tuple{&ProgramState::script_failure, &kResourceMiddle,
                   "RESFILE.RC could not be written: Oops"},
        std::tuple{&ProgramState::resource_log_failure, &kResourceMiddle,
                   "GORC.LOG could not be created: Oops"},
        std::tuple{&ProgramState::compiler_log_failure, &kCompilerMiddle,
                   "FBC.LOG could not be created: Oops"}}) {
    OutcomeRun run;
    ScratchFolder::write("GORC.LOG", log_of(130));  // logs that would pass
    if (failure != &ProgramState::compiler_log_failure) run.state.compiler_log_failure = "later";
    run.state.*failure = "Oops";
    const Screen& s = run.run_to_key_wait();
    EXPECT_EQ(box_middle(s), *middle);
    const std::string text = std::string(line) + " ";
    EXPECT_EQ(text_at(s, 13, 4, static_cast<int>(text.size())), text);
  }
}

TEST(ShowOutcome, SuccessShowsTheBlueBoxAndOnlyThePrompt) {
  OutcomeRun run;
  ScratchFolder::write("GORC.LOG", log_of(130));
  const Screen& s = run.run_to_key_wait();
  EXPECT_EQ(run.backend.resizes.back(), (std::pair<int, int>{80, 25}));
  expect_box(s, 10, kSuccessMiddle, 0x1F);
  for (const int row : {1, 2, 3, 4, 5, 6, 7, 8, 9, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25}) {
    EXPECT_TRUE(blank_cells(s, row, 1, 80, 0x70)) << row;
  }
  expect_prompt(s);
}

TEST(ShowOutcome, FailureShowsTheRedBoxAndTheLogInRedFromRow13Column4) {
  OutcomeRun run;
  ScratchFolder::write(
      "FBC.LOG", "hello.bas(3) error 42: Variable not declared\r\nm\xC3\xB6we \xE2\x80\x93\r\n");
  ScratchFolder::write("GORC.LOG", log_of(130));
  const Screen& s = run.run_to_key_wait();
  expect_box(s, 4, kCompilerMiddle, 0x4F);
  for (const int row : {1, 2, 3, 9, 10, 11, 12, 15, 16}) {
    EXPECT_TRUE(blank_cells(s, row, 1, 80, 0x70)) << row;
  }
  // CR LF reads back as one line end: the second line follows at column 1,
  // its UTF-8 shown as its characters (a best fit where the page lacks one).
  EXPECT_EQ(run.state.log_text,
            "hello.bas(3) error 42: Variable not declared\nm\xC3\xB6we \xE2\x80\x93\n");
  EXPECT_TRUE(blank_cells(s, 13, 1, 3, 0x70));
  EXPECT_EQ(text_at(s, 13, 4, 44), "hello.bas(3) error 42: Variable not declared");
  EXPECT_EQ(s.cell(13, 4).attr, 0x74);
  EXPECT_EQ(text_at(s, 14, 1, 7), "m\x94we - ");
  EXPECT_EQ(s.cell(14, 1).attr, 0x74);
  expect_prompt(s);
}

TEST(ShowOutcome, ResourceFailureShowsGorcLogWithItsBytesAsGlyphs) {
  OutcomeRun run;
  ScratchFolder::write("GORC.LOG", "\x1b[2J\x01\x1b]0;x\x07\xff!");
  const Screen& s = run.run_to_key_wait();
  expect_box(s, 4, kResourceMiddle, 0x4F);
  EXPECT_EQ(text_at(s, 13, 4, 9), std::string("\x1b[2J\x01\x1b]0;"));
  EXPECT_EQ(text_at(s, 13, 13, 3), "x\xff!");  // the bell sounds and takes no cell
  EXPECT_EQ(run.backend.beeps, 1);
}

TEST(ShowOutcome, ALongLogScrollsTheBoxAway) {
  OutcomeRun run;
  std::string log;
  for (int i = 1; i <= 20; ++i) log += "line " + std::to_string(100 + i).substr(1) + "\r\n";
  ScratchFolder::write("GORC.LOG", log);
  const Screen& s = run.run_to_key_wait();
  // 20 lines, the log's own last line end and the print's line end: nine rows scrolled.
  EXPECT_EQ(text_at(s, 4, 1, 10), "   line 01");
  EXPECT_EQ(text_at(s, 5, 1, 7), "line 02");
  EXPECT_EQ(text_at(s, 23, 1, 7), "line 20");
  EXPECT_EQ(text_at(s, 22, 1, 3), "lin");  // the prompt lands over line 19
  expect_prompt(s);
  for (int row = 1; row <= 25; ++row) {
    for (int col = 1; col <= 80; ++col) {
      EXPECT_NE(s.cell(row, col).ch, 0xBA);  // ║ in code page 437
    }
  }
}

TEST(ShowOutcome, ACompilerThatCouldNotRunIsNamedWithItsStatus) {
  {
    OutcomeRun run;
    run.state.compiler_status = 127;
    ScratchFolder::write("GORC.LOG", log_of(130));
    const Screen& s = run.run_to_key_wait();
    expect_box(s, 4, kCompilerMiddle, 0x4F);
    const std::string line = "FBC.EXE could not be run or failed silently (status 127).";
    EXPECT_EQ(text_at(s, 13, 4, static_cast<int>(line.size())), line);
    EXPECT_EQ(s.cell(13, 4).attr, 0x74);
  }
  {
    OutcomeRun run;  // a log with something to say is shown as it is
    run.state.compiler_status = 1;
    ScratchFolder::write("FBC.LOG", "boom\r\n");
    const Screen& s = run.run_to_key_wait();
    EXPECT_EQ(text_at(s, 13, 4, 5), "boom ");
  }
}

// Status 0 only for a built executable, 1 for either failure; the same when
// the input ends at the closing prompt, which then leaves the result shown.
TEST(ShowOutcome, EveryOutcomeEndsOnAClearedScreenWithItsStatus) {
  for (const char* fbc_log : {"", "failed\r\n"}) {
    for (const std::size_t gorc_length : {100u, 130u}) {
      for (const bool input_ends : {true, false}) {
        OutcomeRun run;
        ScratchFolder::write("FBC.LOG", fbc_log);
        ScratchFolder::write("GORC.LOG", log_of(gorc_length));
        run.backend.input_ends = input_ends;
        if (!input_ends) run.backend.type('q');
        try {
          show_outcome(run.platform, run.state);
          FAIL() << "show_outcome returned";
        } catch (const ProgramEnded& ended) {
          EXPECT_EQ(ended.exit_code, *fbc_log == '\0' && gorc_length == 130 ? 0 : 1);
        }
        if (input_ends) continue;
        for (int row = 1; row <= 25; ++row)
          EXPECT_TRUE(blank_cells(run.backend.shown, row, 1, 80, 0x07));
        EXPECT_EQ(run.backend.shown.row(), 1);
        EXPECT_EQ(run.backend.shown.column(), 1);
      }
    }
  }
}

}  // namespace
}  // namespace qb
