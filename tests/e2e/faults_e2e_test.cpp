// Whole runs where the folder, the files or the tools misbehave: a
// read-only folder, a script or a log name taken by a folder, a log that
// cannot be created, logs far larger or longer-lined than a screen, and a
// tool that never ends. Every run must end on a failure box (never the
// success box) or a clean exit, and leave the terminal's modes as they were.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "work_folder.h"

namespace qb::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

constexpr int kRed = 1;  // console colour 4 is the terminal's palette index 1

class FaultRun : public ::testing::Test {
 protected:
  void add_standins() const { folder_.add_standins(QB_GORC_STANDIN, QB_FBC_STANDIN); }

  // Starts the program, answers the form and waits for the result prompt.
  const VtScreen& run_to_result(const PtyOptions& options,
                                const std::vector<std::string>& answers = run_answers()) {
    session_ = std::make_unique<PtySession>(options);
    type_answers(*session_, answers);
    EXPECT_TRUE(session_->wait_until(result_shown, seconds(60))) << "no result screen";
    // The frame is one write, which a long log may show before its end with
    // the cursor at row 23, column 1 too.
    EXPECT_TRUE(session_->catch_up());
    return session_->screen();
  }

  // Presses a key: the program must end with the outcome's status and the
  // terminal's modes back.
  void quit_and_expect_restored() const {
    quit_at_result(*session_);
    EXPECT_EQ(session_->modes_now(), session_->modes_before());
    EXPECT_TRUE(session_->screen().cursor_visible());
  }

  pid_t start_with_hanging_tool(const std::string& body);

  // The names in the working folder.
  std::set<std::string> listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.work()))
      names.insert(entry.path().filename().string());
    return names;
  }

  WorkFolder folder_;
  std::unique_ptr<PtySession> session_;
};

// True when the success message stands anywhere on the screen.
bool success_anywhere(const VtScreen& vt) {
  for (int row = 1; row <= vt.rows(); ++row) {
    if (vt.text_at(row, 1, 80).find("EXE file created") != std::string::npos) return true;
  }
  return false;
}

// The failure box with `middle` at rows 4 to 8 and no success message.
void expect_failure_box(const VtScreen& vt, const std::string& middle) {
  EXPECT_EQ(vt.text_at(6, 22, 34), middle);
  EXPECT_FALSE(success_anywhere(vt));
}

// The box of the step that stopped, with one line that says why in place
// of a log; the command interpreter's own messages stay off standard error.
TEST_F(FaultRun, ReadOnlyFolderSaysSoAndLeavesTheFolderAsItWas) {
  add_standins();
  const std::set<std::string> before = listing();
  fs::permissions(folder_.work(), fs::perms::owner_read | fs::perms::owner_exec);
  const std::string errors = (folder_.work().parent_path() / "stderr.txt").string();
  PtyOptions options = folder_.unprivileged(QB_PROGRAM);
  for (const char* word : {"/bin/sh", "-c", "exec \"$@\" 2>\"$0\""}) options.prefix.push_back(word);
  options.prefix.push_back(errors);
  const VtScreen& vt = run_to_result(options);
  expect_failure_box(vt, kResourceErrorMiddle);
  EXPECT_EQ(vt.text_at(13, 1, 53), "   RESFILE.RC could not be written: Permission denied");
  quit_and_expect_restored();
  EXPECT_EQ(listing(), before);
  std::ifstream in(errors);
  ASSERT_TRUE(in.is_open());
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "");
}

TEST_F(FaultRun, ResourceScriptNameTakenByAFolderSaysSo) {
  add_standins();
  fs::create_directory(folder_.work() / "RESFILE.RC");
  const VtScreen& vt = run_to_result(folder_.options(QB_PROGRAM));
  expect_failure_box(vt, kResourceErrorMiddle);
  EXPECT_EQ(vt.text_at(13, 4, 47), "RESFILE.RC could not be written: Is a directory");
  quit_and_expect_restored();
  EXPECT_EQ(folder_.get("GORC.LOG").rfind("GORC.EXE error: RESFILE.RC", 0), 0u);
  EXPECT_TRUE(fs::is_directory(folder_.work() / "RESFILE.RC"));
}

struct UncreatableLog {
  const char* name;
  const char* log;    // the log that cannot be created
  bool folder;        // a folder of that name; else a read-only file whose length would pass
  bool stale_object;  // an earlier run's RESFILE.OBJ lets the compiler succeed
  const std::string* middle;
  const char* shown;  // the line under the box
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const UncreatableLog& c, std::ostream* out) {
  *out << c.name;
}

class LogNotCreated : public FaultRun, public ::testing::WithParamInterface<UncreatableLog> {};

TEST_P(LogNotCreated, IsNamedUnderItsToolsBox) {
  add_standins();
  const UncreatableLog& c = GetParam();
  if (c.folder) {
    fs::create_directory(folder_.path(c.log));
  } else {
    // What would pass: a 130-byte resource log, an empty compiler log.
    folder_.put(c.log, c.log == std::string("GORC.LOG") ? std::string(128, 'b') + "\r\n" : "");
    fs::permissions(folder_.path(c.log), fs::perms::owner_read);
  }
  if (c.stale_object) folder_.put("RESFILE.OBJ", "an object from an earlier run\r\n");
  const VtScreen& vt = run_to_result(folder_.unprivileged(QB_PROGRAM));
  expect_failure_box(vt, *c.middle);
  const std::string shown(c.shown);
  EXPECT_EQ(vt.text_at(13, 4, static_cast<int>(shown.size())), shown);
  quit_and_expect_restored();
  EXPECT_EQ(fs::is_directory(folder_.path(c.log)), c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    FaultRun, LogNotCreated,
    ::testing::Values(
        UncreatableLog{"GorcLogFolder", "GORC.LOG", true, false, &kResourceErrorMiddle,
                       "GORC.LOG could not be created: Is a directory"},
        UncreatableLog{"GorcLogFolderStaleObject", "GORC.LOG", true, true, &kResourceErrorMiddle,
                       "GORC.LOG could not be created: Is a directory"},
        UncreatableLog{"GorcLogReadOnly", "GORC.LOG", false, false, &kResourceErrorMiddle,
                       "GORC.LOG could not be created: Permission denied"},
        UncreatableLog{"FbcLogFolder", "FBC.LOG", true, false, &kCompilerErrorMiddle,
                       "FBC.LOG could not be created: Is a directory"},
        UncreatableLog{"FbcLogReadOnly", "FBC.LOG", false, false, &kCompilerErrorMiddle,
                       "FBC.LOG could not be created: Permission denied"}),
    [](const ::testing::TestParamInfo<UncreatableLog>& info) {
      return std::string(info.param.name);
    });

// A line of the big log: its number and filler, 64 bytes with CR LF.
std::string numbered_line(int number) {
  std::string line = "log line " + std::to_string(number) + " ";
  line.resize(62, '.');
  return line + "\r\n";
}

TEST_F(FaultRun, TenMegabyteLogIsShownScrolledAndAKeyStillQuits) {
  add_standins();
  constexpr int kLines = 10 * 1024 * 1024 / 64;
  std::string log;
  log.reserve(static_cast<std::size_t>(kLines) * 64);
  for (int n = 1; n <= kLines; ++n) log += numbered_line(n);
  folder_.put("fbc.out", log);
  const VtScreen& vt = run_to_result(
      folder_.options(QB_PROGRAM, {"QB_STANDIN_FBC_OUTPUT=" + folder_.path("fbc.out")}));
  // The box has scrolled away. The log's own last line end and the one
  // printed after it leave rows 24 and 25 empty, so its last line stands
  // on row 23, and the prompt is printed over the line before, on row 22.
  EXPECT_FALSE(success_anywhere(vt));
  const std::string last = numbered_line(kLines).substr(0, 62);
  const std::string before_last = numbered_line(kLines - 1).substr(0, 62);
  EXPECT_EQ(vt.text_at(23, 1, 62), last);
  EXPECT_EQ(vt.text_at(22, 1, 3), before_last.substr(0, 3));
  EXPECT_EQ(vt.text_at(22, 4, 22), kResultPrompt);
  EXPECT_EQ(vt.text_at(22, 26, 37), before_last.substr(25));
  EXPECT_EQ(vt.text_at(21, 1, 62), numbered_line(kLines - 2).substr(0, 62));
  for (const int row : {24, 25}) EXPECT_TRUE(vt.blank(row, 1, 80, kRed, kLightGrey)) << row;
  quit_and_expect_restored();
  EXPECT_EQ(fs::file_size(folder_.path("FBC.LOG")), log.size());
}

TEST_F(FaultRun, LogWithoutLineEndsWrapsAtTheRightEdgeAndScrolls) {
  add_standins();
  constexpr int kLength = 10000;
  std::string log;
  for (int i = 0; i < kLength; ++i) log += static_cast<char>('a' + (i * 7) % 26);
  folder_.put("fbc.out", log);
  const VtScreen& vt = run_to_result(
      folder_.options(QB_PROGRAM, {"QB_STANDIN_FBC_OUTPUT=" + folder_.path("fbc.out")}));
  EXPECT_FALSE(success_anywhere(vt));
  // The log starts at row 13, column 4 (cell 963 counted from 0) and runs
  // on through every column; its last cell decides where each row ends.
  constexpr int kFirstCell = 12 * 80 + 3;
  constexpr int kEndCell = kFirstCell + kLength;  // the cell after the last character
  constexpr int kLastRowStart = kEndCell / 80 * 80;
  for (int row = 24, cell = kLastRowStart; row >= 23; --row, cell -= 80) {
    const int columns = row == 24 ? kEndCell - kLastRowStart : 80;
    for (int column = 1; column <= columns; ++column) {
      const int index = cell + column - 1 - kFirstCell;
      ASSERT_EQ(vt.char_at(row, column), static_cast<char32_t>(log[index])) << row << "," << column;
    }
  }
  EXPECT_TRUE(vt.blank(24, kEndCell - kLastRowStart + 1, 80, kRed, kLightGrey));
  quit_and_expect_restored();
}

// Starts a run whose resource compiler runs `body` and never ends; returns
// the tool's process once it is ready, as `body` writes it to tool.pid.
pid_t FaultRun::start_with_hanging_tool(const std::string& body) {
  fs::remove(folder_.work() / "tool.pid");
  folder_.script("GORC.EXE", body);
  session_ = std::make_unique<PtySession>(folder_.options(QB_PROGRAM));
  type_answers(*session_, run_answers());
  const bool started = session_->wait_until(
      [&](const VtScreen&) { return folder_.get("tool.pid").find('\n') != std::string::npos; },
      seconds(30));
  EXPECT_TRUE(started) << "the tool did not start";
  return started ? std::stoi(folder_.get("tool.pid")) : -1;
}

TEST_F(FaultRun, AHangingToolEndsWithTheProgramOnCtrlCOrTerminate) {
  add_standins();
  struct Case {
    const char* name;
    const char* tool;  // the hanging resource compiler
    int signal_number;
    bool typed;      // Ctrl+C typed into the terminal; else the signal is sent to the program alone
    bool tool_ends;  // the tool does not ignore the signal
  };
  for (const Case c :
       {Case{"Ctrl+C", "echo $$ > tool.pid\nexec sleep 600", SIGINT, true, true},
        Case{"Ctrl+C, tool ignores it", "trap '' INT\necho $$ > tool.pid\nexec sleep 600", SIGINT,
             true, false},
        Case{"SIGTERM", "echo $$ > tool.pid\nexec sleep 600", SIGTERM, false, true}}) {
    SCOPED_TRACE(c.name);
    const pid_t tool = start_with_hanging_tool(c.tool);
    ASSERT_GT(tool, 0);
    if (c.typed) {
      session_->send("\x03");
    } else {
      session_->signal(c.signal_number);
    }
    const auto status = session_->wait_exit(seconds(5));
    if (!status) ::kill(tool, SIGKILL);
    ASSERT_TRUE(status) << "the program waited for the tool";
    EXPECT_FALSE(status->exited);
    EXPECT_EQ(status->code, c.signal_number);
    EXPECT_EQ(session_->modes_now(), session_->modes_before());
    EXPECT_TRUE(session_->screen().cursor_visible());
    if (c.tool_ends) {
      EXPECT_TRUE(session_->wait_until(
          [&](const VtScreen&) { return state_of(tool) == '-' || state_of(tool) == 'Z'; },
          seconds(5)));
    }
    ::kill(tool, SIGKILL);
    session_.reset();
  }
}

}  // namespace
}  // namespace qb::test
