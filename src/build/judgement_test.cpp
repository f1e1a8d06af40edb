// The judgement of a build from what it met: the logs' lengths at the edges
// of their ranges, the compiler's status and the object file; which logs
// it read, which passed, and the length it looked at last.
#include "build/judgement.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(JudgeBuild, DecidesByTheLogsTheStatusAndTheObjectFile) {
  using enum Outcome;
  const struct {
    const char* name;
    LogLengths logs;  // the resource compiler's, the compiler's
    int status;
    bool object;
    Outcome outcome;
    LogSet read, passed;
    int last_length;
  } cases[] = {
      {"FBC 2, GORC 125", {125, 2}, 0, true, kSuccess, {true, true}, {true, true}, 125},
      {"FBC 2, GORC 135", {135, 2}, 0, true, kSuccess, {true, true}, {true, true}, 135},
      {"FBC 0, GORC 124", {124, 0}, 0, true, kResourceFailure, {true, true}, {false, true}, 124},
      {"FBC 0, GORC 136", {136, 0}, 0, true, kResourceFailure, {true, true}, {false, true}, 136},
      {"FBC 3, GORC 130", {130, 3}, 0, true, kCompilerFailure, {false, true}, {false, false}, 3},
      {"status 127, FBC 0", {130, 0}, 127, true, kCompilerFailure, {false, true}, {}, 0},
      // The resource compiler failed first, and the compiler for want of its object.
      {"no object, GORC 124", {124, 3}, 1, false, kResourceFailure, {true, false}, {}, 124},
      {"no object, GORC 136", {136, 0}, 0, false, kResourceFailure, {true, false}, {}, 136},
      // Otherwise the compiler's log is judged first, as with an object.
      {"object, FBC 3, GORC 124", {124, 3}, 1, true, kCompilerFailure, {false, true}, {}, 3},
      {"no object, GORC 125", {125, 3}, 1, false, kCompilerFailure, {true, true}, {}, 3},
  };
  for (const auto& c : cases) {
    ProgramState state;
    state.compiler_status = c.status;
    state.object_file_made = c.object;
    const Verdict verdict = judge_build(state, c.logs);
    EXPECT_EQ(verdict.outcome, c.outcome) << c.name;
    EXPECT_EQ(verdict.read.resource, c.read.resource) << c.name;
    EXPECT_EQ(verdict.read.compiler, c.read.compiler) << c.name;
    EXPECT_EQ(verdict.passed.resource, c.passed.resource) << c.name;
    EXPECT_EQ(verdict.passed.compiler, c.passed.compiler) << c.name;
    EXPECT_EQ(verdict.last_length, c.last_length) << c.name;
    EXPECT_TRUE(verdict.failed_step.empty()) << c.name;
  }
}

}  // namespace
}  // namespace qb
