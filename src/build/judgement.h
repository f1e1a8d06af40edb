// The judgement of a build, as a pure function from what the build met to
// its outcome: no file is read, written or deleted here. A step of the
// program's own that could not be done comes first: the script not written
// or the resource compiler's log not created gives the resource compiler's
// box, the compiler's log not created the compiler's, each with one plain
// line that says so in place of a log. Otherwise the two logs' byte lengths
// decide, by the rules of tool_logs.h. A resource compiler that left no
// object file and a log of a failure failed first, and the compiler's
// failure only followed from it. In every other case the compiler's log
// comes first: a log of a failure, or a compiler line that gave a non-zero
// status, is a compiler failure (so a compiler that could not be run, or
// died without a word, is never taken for success); else the resource
// compiler's log must tell of success.
#ifndef QB_BUILD_JUDGEMENT_H
#define QB_BUILD_JUDGEMENT_H

#include <cstdint>
#include <string>

#include "driver/shared/program_state.h"

namespace qb {

enum class Outcome { kCompilerFailure, kResourceFailure, kSuccess };

// The two logs as the judgement reads them; a missing log reads as empty.
struct LogLengths {
  std::int32_t resource = 0;  // the resource compiler's
  std::int32_t compiler = 0;  // the compiler's
};

// Which log a verdict read, kept or passed: one flag for each.
struct LogSet {
  bool resource = false;
  bool compiler = false;
};

struct Verdict {
  Outcome outcome = Outcome::kSuccess;
  // The program's own step that could not be done, told in place of a log;
  // empty when every step of its own was done and the logs were judged.
  std::string failed_step;
  LogSet read;                   // the logs the judgement looked at, in the order it does
  LogSet passed;                 // the logs that passed, which the run deletes
  std::int32_t last_length = 0;  // the length of the last log it looked at
};

// Judges the build from the program's own steps in `state`, the object file,
// the compiler's status and the logs' lengths.
Verdict judge_build(const ProgramState& state, LogLengths logs);

}  // namespace qb

#endif  // QB_BUILD_JUDGEMENT_H
