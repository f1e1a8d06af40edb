// The last phase of a run. A step of the program's own that could not be
// done comes first: the script not written or GORC.LOG not created shows
// the resource compiler's box, FBC.LOG not created the compiler's, each
// with one plain line that says so in place of a log. Otherwise the build
// is judged from the byte lengths of the two logs. A resource compiler that
// left no object file and a GORC.LOG outside 125 to 135 bytes failed first,
// and the compiler's failure only followed from it: its box is shown and
// FBC.LOG is kept. In every other case FBC.LOG comes first: more than 2
// bytes is a compiler failure; else GORC.LOG must be 125 to 135 bytes long
// for success. A compiler line that gave a non-zero status also counts as
// a compiler failure, so a compiler that could not be run, or died without
// a word, is never taken for success. Logs are measured with the binary
// open (which creates a missing one empty), always under file number 3,
// and deleted as they are passed.
// A log is shown as its writer meant it (on POSIX, UTF-8 as its
// characters); its length rules go by its bytes. The run ends with status
// 0 after "EXE file created !" and 1 after either failure, so that a
// script that runs the program can tell them apart.
#include "build/outcome.h"

#include <string>
#include <string_view>

#include "driver/box_text.h"
#include "driver/quit_program.h"

namespace qb {
namespace {

enum class Outcome { kCompilerFailure, kResourceFailure, kSuccess };

constexpr int kLogFileNumber = 3;
constexpr int kBoxWidth = 34;
constexpr int kBoxColumn = 22;
constexpr std::int32_t kCompilerLogLimit = 2;
constexpr std::int32_t kResourceLogMin = 125;
constexpr std::int32_t kResourceLogMax = 135;

// The length of the named log, measured through the binary open under number 3.
std::int32_t measure_log(FileTable& files, std::string_view name) {
  files.open_file(name, FileMode::kBinary, kLogFileNumber);
  const std::int32_t size = files.file_length(kLogFileNumber);
  files.close_file(kLogFileNumber);
  return size;
}

// True when a GORC.LOG of `size` bytes tells of a failure.
bool resource_log_failed(std::int32_t size) {
  return size < kResourceLogMin || size > kResourceLogMax;
}

// The first of the program's own steps that could not be done: the box of
// the tool it was for and the line that says so; no line when none failed.
struct FailedStep {
  Outcome outcome = Outcome::kSuccess;
  std::string line;
};

// The first step of the program's own that failed, in the order they ran.
FailedStep failed_step(const ProgramState& state) {
  if (!state.script_failure.empty()) {
    return {Outcome::kResourceFailure,
            std::string(kScriptName) + " could not be written: " + state.script_failure};
  }
  if (!state.resource_log_failure.empty()) {
    return {Outcome::kResourceFailure,
            "GORC.LOG could not be created: " + state.resource_log_failure};
  }
  if (!state.compiler_log_failure.empty()) {
    return {Outcome::kCompilerFailure,
            "FBC.LOG could not be created: " + state.compiler_log_failure};
  }
  return {};
}

// Decides the outcome from the logs, the object file and the compiler's
// status, deleting the logs that passed.
Outcome judge_logs(FileTable& files, ProgramState& state) {
  if (!state.object_file_made) {
    state.log_size = measure_log(files, "GORC.LOG");
    if (resource_log_failed(state.log_size)) return Outcome::kResourceFailure;
  }
  state.log_size = measure_log(files, "FBC.LOG");
  if (state.log_size > kCompilerLogLimit || state.compiler_status != 0) {
    return Outcome::kCompilerFailure;
  }
  delete_file("FBC.LOG");
  state.log_size = measure_log(files, "GORC.LOG");
  if (resource_log_failed(state.log_size)) return Outcome::kResourceFailure;
  delete_file("GORC.LOG");
  return Outcome::kSuccess;
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

// Clears the screen to light grey and draws the outcome's box at column 22.
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
  state.box_col = kBoxColumn;
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
  files.open_file(compiler ? "FBC.LOG" : "GORC.LOG", FileMode::kInput, kLogFileNumber);
  const auto length = static_cast<std::size_t>(files.file_length(kLogFileNumber));
  std::string text = files.read_chars(length, kLogFileNumber);
  files.close_file(kLogFileNumber);
  const int status = compiler ? state.compiler_status : state.resource_status;
  if (status != 0 && says_nothing(text)) {
    text = std::string(compiler ? "FBC.EXE" : "GORC.EXE") +
           " could not be run or failed silently (status " + std::to_string(status) + ").";
  }
  return text;
}

}  // namespace

void show_outcome(Platform& platform, ProgramState& state) {
  Console& con = platform.console;
  con.set_screen_size(80, 25);
  const FailedStep step = failed_step(state);
  const Outcome outcome = step.line.empty() ? judge_logs(platform.files, state) : step.outcome;
  const int exit_code = outcome == Outcome::kSuccess ? 0 : 1;
  con.set_end_of_input_status(exit_code);
  draw_box(con, state, outcome);
  con.set_color(4, 7);
  if (outcome != Outcome::kSuccess) {
    // The log, or the step's line in its place, at row 13, column 4.
    state.log_text = step.line.empty() ? read_log(platform.files, state, outcome) : step.line;
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
