// The judgement of a build, as a pure function from what the build met to
// its outcome: no file is read, written or deleted here. A step of the
// program's own that could not be done comes first: the script not written
// or GORC.LOG not created gives the resource compiler's box, FBC.LOG not
// created the compiler's, each with one plain line that says so in place of
// a log. Otherwise the two logs' byte lengths decide. A resource compiler
// that left no object file and a GORC.LOG outside 125 to 135 bytes failed
// first, and the compiler's failure only followed from it. In every other
// case FBC.LOG comes first: more than 2 bytes, or a compiler line that gave
// a non-zero status, is a compiler failure (so a compiler that could not be
// run, or died without a word, is never taken for success); else GORC.LOG
// must be 125 to 135 bytes long for success.
#ifndef QB_BUILD_JUDGEMENT_H
#define QB_BUILD_JUDGEMENT_H

#include <cstdint>
#include <string>

#include "build/log_lengths.h"
#include "driver/shared/program_state.h"

namespace qb {

enum class Outcome { kCompilerFailure, kResourceFailure, kSuccess };

// The two logs as the judgement reads them; a missing log reads as empty.
struct LogLengths {
  std::int32_t resource = 0;  // GORC.LOG
  std::int32_t compiler = 0;  // FBC.LOG
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
