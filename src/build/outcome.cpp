// The last phase of a run. The build is judged from the byte lengths of the
// two logs, FBC.LOG first: more than 2 bytes is a compiler failure; else
// GORC.LOG must be 125 to 135 bytes long for success. A compiler line that
// gave a non-zero status also counts as a compiler failure, so a compiler
// that could not be run, or died without a word, is never taken for
// success. Logs are measured with the binary open (which creates a missing
// one empty), always under file number 3, and deleted as they are passed.
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

// Decides the outcome from the logs and the compiler's status, deleting the
// logs that passed.
Outcome judge_logs(FileTable& files, ProgramState& state) {
  state.log_size = measure_log(files, "FBC.LOG");
  if (state.log_size > kCompilerLogLimit || state.compiler_status != 0) {
    return Outcome::kCompilerFailure;
  }
  delete_file("FBC.LOG");
  state.log_size = measure_log(files, "GORC.LOG");
  if (state.log_size < kResourceLogMin || state.log_size > kResourceLogMax) {
    return Outcome::kResourceFailure;
  }
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

// Reads the failing tool's whole log as text and prints it at row 13,
// column 4; a compiler that left a non-zero status and a log that says
// nothing gets a line of its own instead.
void show_log(Platform& platform, ProgramState& state, Outcome outcome) {
  FileTable& files = platform.files;
  files.open_file(outcome == Outcome::kCompilerFailure ? "FBC.LOG" : "GORC.LOG", FileMode::kInput,
                  kLogFileNumber);
  const auto length = static_cast<std::size_t>(files.file_length(kLogFileNumber));
  state.log_text = files.read_chars(length, kLogFileNumber);
  files.close_file(kLogFileNumber);
  if (outcome == Outcome::kCompilerFailure && state.compiler_status != 0 &&
      says_nothing(state.log_text)) {
    state.log_text = "FBC.EXE could not be run or failed silently (status " +
                     std::to_string(state.compiler_status) + ").";
  }
  platform.console.locate(13, 4);
  platform.console.print_text(platform.backend.oem_from_program_text(state.log_text), true);
}

}  // namespace

void show_outcome(Platform& platform, ProgramState& state) {
  Console& con = platform.console;
  con.set_screen_size(80, 25);
  const Outcome outcome = judge_logs(platform.files, state);
  const int exit_code = outcome == Outcome::kSuccess ? 0 : 1;
  con.set_end_of_input_status(exit_code);
  draw_box(con, state, outcome);
  con.set_color(4, 7);
  if (outcome != Outcome::kSuccess) show_log(platform, state, outcome);
  con.set_color(8, -1);
  con.locate(22, 4);
  con.print_text("Press any key to quit.", true, Glyphs::kProgram);
  con.wait_for_key();
  quit_program(platform, exit_code);
}

}  // namespace qb
