// The whole run on the in-memory backend, phase by phase to its exit.
#include "driver/run_program.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_backend.h"
#include "support/form_answers.h"
#include "support/scratch_folder.h"
#include "support/screen_text.h"
#include "support/worked_example_script.h"

namespace qb {
namespace {

// Types one form's answers, each line ended by Enter, `at` seconds in.
void type_form(MemoryBackend& backend, double at) {
  for (const std::string_view line : test::kFormAnswers) {
    for (const char c : line) backend.type_at(at, static_cast<unsigned char>(c));
    backend.type_at(at, 13);
  }
}

// No tool runs in the test double, so the resource compiler's log is empty:
// a failed build, status 1.
TEST(RunProgram, EndsOnAClearedScreenWithTheOutcomesStatus) {
  const ScratchFolder folder;  // the run writes its script and logs here
  MemoryBackend backend;
  Platform platform(backend);
  ProgramState state;
  type_form(backend, 3.0);
  backend.type_at(5.0, 'q');
  try {
    run_program(platform, state);
    FAIL() << "run_program returned";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.exit_code, 1);
  }
  EXPECT_EQ(state.project.source_file.view(), "hello.bas");
  EXPECT_EQ(state.project.icon1.view(), "app.ico");
  EXPECT_EQ(backend.commands, std::vector<std::string>(test::kWorkedExampleCommands.begin(),
                                                       test::kWorkedExampleCommands.end()));
  EXPECT_TRUE(ScratchFolder::exists("RESFILE.RC"));  // DEL ran only in the test double
  const Screen& s = backend.shown;
  for (int row = 1; row <= 25; ++row) ASSERT_TRUE(blank_cells(s, row, 1, 80, 0x07)) << row;
  EXPECT_EQ(s.row(), 1);
  EXPECT_EQ(s.column(), 1);
}

TEST(RunProgram, KeysTypedDuringTheSplashReachTheFirstPrompt) {
  const ScratchFolder folder;
  MemoryBackend backend;
  Platform platform(backend);
  ProgramState state;
  backend.timer_step = 0.001;  // the splash's timer moves on at every reading
  type_form(backend, 0.5);     // the whole form typed ahead while the splash is shown
  backend.type_at(5.0, 'q');
  EXPECT_THROW(run_program(platform, state), ProgramEnded);
  EXPECT_EQ(state.project.source_file.view(), "hello.bas");
  EXPECT_EQ(state.project.copyright.view(), "(c) Me");
  EXPECT_EQ(state.project.product_version.view(), "1.2.0");
  EXPECT_EQ(state.project.icon1.view(), "app.ico");
  EXPECT_EQ(backend.keys_pending(), 0u);
}

}  // namespace
}  // namespace qb
