// The judgement of a build: first the program's own steps, then the logs.
#include "build/judgement.h"

#include "build/tool_logs.h"

#include <optional>
#include <utility>

namespace qb {

namespace {

// True when a resource compiler's log of `length` bytes tells of a failure.
bool resource_log_failed(std::int32_t length) {
  return length < kResourceLogMin || length > kResourceLogMax;
}

// A verdict of `outcome` told by `line` in place of a log.
Verdict step_verdict(Outcome outcome, std::string line) {
  Verdict verdict;
  verdict.outcome = outcome;
  verdict.failed_step = std::move(line);
  return verdict;
}

// The verdict of the first step of the program's own that failed, in the
// order they ran; none when every one was done.
std::optional<Verdict> own_step_failure(const ProgramState& state) {
  if (!state.script_failure.empty()) {
    return step_verdict(
        Outcome::kResourceFailure,
        std::string(kScriptName) + " could not be written: " + state.script_failure);
  }
  if (!state.resource_log_failure.empty()) {
    return step_verdict(Outcome::kResourceFailure,
                        std::string(kResourceLog) +
                            " could not be created: " + state.resource_log_failure);
  }
  if (!state.compiler_log_failure.empty()) {
    return step_verdict(Outcome::kCompilerFailure,
                        std::string(kCompilerLog) +
                            " could not be created: " + state.compiler_log_failure);
  }
  return std::nullopt;
}

}  // namespace

Verdict judge_build(const ProgramState& state, LogLengths logs) {
  if (auto failure = own_step_failure(state)) return *std::move(failure);
  Verdict verdict;
  verdict.read.resource = !state.object_file_made;
  if (!state.object_file_made && resource_log_failed(logs.resource)) {
    verdict.outcome = Outcome::kResourceFailure;
    verdict.last_length = logs.resource;
    return verdict;
  }
  verdict.read.compiler = true;
  verdict.last_length = logs.compiler;
  if (logs.compiler > kCompilerLogLimit || state.compiler_status != 0) {
    verdict.outcome = Outcome::kCompilerFailure;
    return verdict;
  }
  verdict.passed.compiler = true;
  verdict.read.resource = true;
  verdict.last_length = logs.resource;
  if (resource_log_failed(logs.resource)) {
    verdict.outcome = Outcome::kResourceFailure;
    return verdict;
  }
  verdict.passed.resource = true;
  verdict.outcome = Outcome::kSuccess;
  return verdict;
}

}  // namespace qb
