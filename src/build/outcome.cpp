// The last phase of a run: the logs measured, the build judged (judgement.h),
// the logs that passed deleted, the result box drawn with the failing log
// or the failed step's line under it, and the closing prompt; then the
// program ends. Logs are measured without being created, always under file
// number 3; a log the judgement looked at that is missing is then left
// behind empty, as the run has always left it. A log is shown as its
// writer meant it (on POSIX, UTF-8 as its characters); its length rules go
// by its bytes. The run ends with status 0 after "EXE file created !" and 1
// after either failure, so that a script that runs the program can tell
// them apart.
#include "build/outcome.h"

#include "build/judgement.h"
#include "build/tool_logs.h"

#include <string>
#include <string_view>

#include "driver/shared/box_text.h"
#include "driver/shared/quit_program.h"
#include "platform/command.h"

namespace qb {
namespace {

constexpr int kLogFileNumber = 3;
constexpr int kBoxWidth = kSmallBoxWidth;

// The length of the named log, 0 when it is missing; nothing is created.
std::int32_t log_length(FileTable& files, std::string_view name) {
  if (!files.open_file(name, FileMode::kInput, kLogFileNumber)) return 0;
  const std::int32_t length = files.file_length(kLogFileNumber);
  files.close_file(kLogFileNumber);
  return length;
}

// Leaves the named log as the verdict has it: deleted when it passed, made
// empty when the judgement looked at it and it was missing.
void settle_log(FileTable& files, std::string_view name, bool read, bool passed) {
  if (passed) {
    delete_file(name);
  } else if (read && !command_file_exists(name)) {
    files.open_file(name, FileMode::kBinary, kLogFileNumber);
    files.close_file(kLogFileNumber);
  }
}

// Judges the build, leaves the logs as the verdict has them and keeps the
// last length looked at.
Verdict judge(FileTable& files, ProgramState& state) {
  const LogLengths lengths{log_length(files, kResourceLog), log_length(files, kCompilerLog)};
  Verdict verdict = judge_build(state, lengths);
  settle_log(files, kCompilerLog, verdict.read.compiler, verdict.passed.compiler);
  settle_log(files, kResourceLog, verdict.read.resource, verdict.passed.resource);
  if (verdict.failed_step.empty()) state.log_size = verdict.last_length;
  return verdict;
}

// The box's middle line for an outcome.
std::string middle_line(Outcome outcome) {
  switch (outcome) {
    case Outcome::kCompilerFailure:
      return box_framed("FreeBasic Compiler Error", kBoxWidth);
    case Outcome::kResourceFailure:
      return box_framed("GoRC RC-Compiler Error", kBoxWidth);
    case Outcome::kSuccess:
      break;
  }
  return box_framed("EXE file created !", kBoxWidth);
}

// Clears the screen to light grey and draws the outcome's box.
void draw_box(Console& con, ProgramState& state, Outcome outcome) {
  const bool success = outcome == Outcome::kSuccess;
  // Two clears, kept as the result screen's fixed sequence: the first in the
  // colours the run left, the second after black on light grey is set. Only
  // the second is ever seen, since nothing is shown between them; the first,
  // as the first clear since the tools ran, is the one that has the next
  // frame repainted whole.
  con.clear_screen();
  con.set_color(0, 7);
  con.clear_screen();
  con.set_color(15, success ? 1 : 4);
  state.box_row = success ? 10 : 4;
  state.box_col = kSmallBoxColumn;
  const std::string blank = box_blank(kBoxWidth);
  for (const std::string& line :
       {box_top(kBoxWidth), blank, middle_line(outcome), blank, box_bottom(kBoxWidth)}) {
    con.locate(state.box_row, state.box_col);
    con.print_text(line, true, Glyphs::kProgram);
    next_row(state.box_row);
  }
}

// True when the text holds nothing but spaces and line ends.
bool says_nothing(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The failing tool's whole log, read as text; a tool line that left a
// non-zero status and a log that says nothing gets a line of its own instead.
std::string read_log(FileTable& files, const ProgramState& state, Outcome outcome) {
  const bool compiler = outcome == Outcome::kCompilerFailure;
  files.open_file(compiler ? kCompilerLog : kResourceLog, FileMode::kInput, kLogFileNumber);
  const auto length = static_cast<std::size_t>(files.file_length(kLogFileNumber));
  std::string text = files.read_chars(length, kLogFileNumber);
  files.close_file(kLogFileNumber);
  const int status = compiler ? state.compiler_status : state.resource_status;
  if (status != 0 && says_nothing(text)) {
    text = std::string(compiler ? kCompiler : kResourceCompiler) +
           " could not be run or failed silently (status " + std::to_string(status) + ").";
  }
  return text;
}

}  // namespace

void show_outcome(Platform& platform, ProgramState& state) {
  Console& con = platform.console;
  con.set_screen_size(Screen::kColumns, Screen::kRows);
  const Verdict verdict = judge(platform.files, state);
  const Outcome outcome = verdict.outcome;
  const int exit_code = outcome == Outcome::kSuccess ? 0 : 1;
  con.set_end_of_input_status(exit_code);
  draw_box(con, state, outcome);
  con.set_color(4, 7);
  if (outcome != Outcome::kSuccess) {
    // The log, or the failed step's line in its place, at row 13, column 4.
    state.log_text = verdict.failed_step.empty() ? read_log(platform.files, state, outcome)
                                                 : verdict.failed_step;
    con.locate(13, 4);
    con.print_text(platform.backend.oem_from_program_text(state.log_text), true);
  }
  con.set_color(8, -1);
  con.locate(22, 4);
  con.print_text("Press any key to quit.", true, Glyphs::kProgram);
  con.wait_for_key();
  quit_program(platform, exit_code);
}

}  // namespace qb
