// The whole run on the in-memory backend, phase by phase to its exit.
#include "driver/run_program.h"

#include <gtest/gtest.h>

#include "platform/memory_backend.h"
#include "platform/screen_text.h"

namespace qb {
namespace {

TEST(RunProgram, EndsOnAClearedScreenWithStatusZero) {
  MemoryBackend backend;
  Platform platform(backend);
  ProgramState state;
  backend.type_at(5.0, 'q');
  try {
    run_program(platform, state);
    FAIL() << "run_program returned";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.exit_code, 0);
  }
  const Screen& s = backend.shown;
  for (int row = 1; row <= 25; ++row) ASSERT_TRUE(blank_cells(s, row, 1, 80, 0x07)) << row;
  EXPECT_EQ(s.row(), 1);
  EXPECT_EQ(s.column(), 1);
}

}  // namespace
}  // namespace qb
