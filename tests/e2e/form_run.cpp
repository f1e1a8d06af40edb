// The form-run fixture: a scratch folder with the wrapped stand-in tools,
// the program started in it, and the screen checks the form tests share.
#include "form_run.h"

#include <sstream>

#include "host.h"
#include "standin_io.h"
#include "support/demo_icons.h"

namespace qb::test {

namespace fs = std::filesystem;
using std::chrono::seconds;

namespace {

// A shell script that keeps the script it is handed (kept.rc), marks its
// start (gorc.started), waits while the file "hold" exists and then runs
// the real stand-in.
std::string gorc_wrapper() {
  return "#!/bin/sh\n"
         "cp RESFILE.RC kept.rc\n"
         ": > gorc.started\n"
         "while [ -e hold ]; do sleep 0.02; done\n"
         "exec '" QB_GORC_STANDIN "' \"$@\"\n";
}

// A shell script that writes its arguments to fbc.args, one a line, and
// then runs the real stand-in.
std::string fbc_wrapper() {
  return "#!/bin/sh\n"
         "printf '%s\\n' \"$@\" > fbc.args\n"
         "exec '" QB_FBC_STANDIN "' \"$@\"\n";
}

// Writes an executable script.
void write_script(const fs::path& path, const std::string& text) {
  ASSERT_TRUE(tools::write_file(path.string(), text));
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

}  // namespace

int cells(const std::string& text) {
  int count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

void expect_text(const VtScreen& vt, int row, int column, const std::string& text, int fg) {
  const int length = cells(text);
  EXPECT_EQ(vt.text_at(row, column, length), text) << "row " << row << ", column " << column;
  for (int c = column; c < column + length; ++c) {
    EXPECT_EQ(vt.foreground(row, c), fg) << row << "," << c;
    EXPECT_EQ(vt.background(row, c), kLightGrey) << row << "," << c;
  }
}

int expect_prompt(const VtScreen& vt, int row, const std::string& prompt, const std::string& answer,
                  int answer_fg) {
  expect_text(vt, row, 6, prompt, kBlack);
  const int answer_column = 6 + cells(prompt);
  expect_text(vt, row, answer_column, answer, answer_fg);
  return answer_column + cells(answer);
}

void expect_spaces(const VtScreen& vt, int row, int first, int last) {
  for (int c = first; c <= last; ++c) {
    EXPECT_EQ(vt.char_at(row, c), U' ') << row << "," << c;
    EXPECT_EQ(vt.background(row, c), kLightGrey) << row << "," << c;
  }
}

void FormRun::SetUp() {
  copy_demo_icons(folder_);
  ASSERT_TRUE(tools::write_file((folder_ / "hello.bas").string(), "print \"Hello\"\r\n"));
  write_script(folder_ / "GORC.EXE", gorc_wrapper());
  write_script(folder_ / "FBC.EXE", fbc_wrapper());
}

void FormRun::TearDown() {
  session_.reset();
}

PtySession& FormRun::start(const std::vector<std::string>& env) {
  PtyOptions options = program_options();
  options.directory = folder_.string();
  options.env = env;
  session_ = std::make_unique<PtySession>(options);
  return *session_;
}

bool FormRun::shows(const std::function<bool(const VtScreen&)>& holds) {
  return session_->wait_until(holds) && session_->catch_up();
}

bool FormRun::keys_waiting(std::size_t count) {
  return shows([&](const VtScreen&) { return session_->unread_input() == count; });
}

bool FormRun::shows_text(int row, int column, const std::string& text) {
  return shows([&](const VtScreen& vt) { return vt.text_at(row, column, cells(text)) == text; });
}

bool FormRun::cursor_at(int row, int column) {
  return shows(
      [&](const VtScreen& vt) { return vt.cursor_row() == row && vt.cursor_column() == column; });
}

void FormRun::hold_build() {
  ASSERT_TRUE(tools::write_file((folder_ / "hold").string(), ""));
}

void FormRun::release_build() {
  fs::remove(folder_ / "hold");
}

bool FormRun::build_started() const {
  return fs::exists(folder_ / "gorc.started");
}

void FormRun::finish() {
  ASSERT_TRUE(session_->wait_until(result_shown)) << "no result screen";
  quit_at_result(*session_);
}

std::string FormRun::kept_script() const {
  return tools::read_file((folder_ / "kept.rc").string()).value_or("");
}

std::vector<std::string> FormRun::script_lines() const {
  std::vector<std::string> lines;
  const std::string script = kept_script();
  for (std::size_t at = 0; at < script.size();) {
    const std::size_t end = script.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(script.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::vector<std::string> FormRun::fbc_arguments() const {
  std::vector<std::string> arguments;
  std::istringstream lines(tools::read_file((folder_ / "fbc.args").string()).value_or(""));
  for (std::string line; std::getline(lines, line);) arguments.push_back(line);
  return arguments;
}

}  // namespace qb::test
