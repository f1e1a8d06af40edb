// Signals while a long answer is typed: a storm of resizes, a suspend and
// resume halfway through (and another, with a resize, while a tool runs),
// and the terminal going away; and a SIGTERM while the terminal takes no
// output. The answer is the compiler's extra
// parameters, so the record is checked where it ends up: on the command
// line of a small script standing in for FBC.EXE.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "work_folder.h"

namespace qb::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The parameters prompt stands at row 21, column 6; its answer starts at
// column 52 (cell 1651 counted from 0).
const std::string kParamsPrompt = "» Additional command line parameters for FBC: ";
constexpr int kAnswerCell = 20 * 80 + 51;

// A long answer without blanks or commas, so it reaches FBC.EXE as one word.
std::string long_answer(int length) {
  std::string text;
  for (int i = 0; i < length; ++i) text += static_cast<char>('a' + (i * 11) % 26);
  return text;
}

// FBC.EXE's script: its arguments into fbc.args, one a line.
const std::string kKeepArguments = "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > fbc.args";

class TypingRun : public ::testing::Test {
 protected:
  // Scripts for the tools: GORC.EXE prints a 130-byte log, FBC.EXE keeps
  // its arguments in fbc.args, one a line, and prints nothing.
  void SetUp() override {
    folder_.script("GORC.EXE", "printf '%0130d' 0");
    folder_.script("FBC.EXE", kKeepArguments);
  }

  // Starts the program and answers every prompt before the parameters.
  PtySession& start_at_params(PtyOptions options) {
    session_ = std::make_unique<PtySession>(options);
    std::vector<std::string> answers = run_answers();
    answers.pop_back();
    type_answers(*session_, answers);
    EXPECT_TRUE(session_->wait_until([](const VtScreen& vt) {
      return vt.text_at(21, 6, 46) == kParamsPrompt && vt.cursor_column() == 52;
    }));
    return *session_;
  }

  // True when the screen shows the last rows of `typed` where an answer of
  // that length ends, with the cursor after its last character.
  static bool answer_tail_shown(const VtScreen& vt, const std::string& typed) {
    const int end = kAnswerCell + static_cast<int>(typed.size());
    const int rows_below = end / 80 - 24 > 0 ? end / 80 - 24 : 0;  // rows scrolled off
    const int row = end / 80 + 1 - rows_below;
    if (vt.cursor_row() != row || vt.cursor_column() != end % 80 + 1) return false;
    for (int cell = end - 1; cell >= kAnswerCell && cell >= end - 400; --cell) {
      const int at_row = cell / 80 + 1 - rows_below;
      if (at_row < 1) break;
      const char expected = typed[static_cast<std::size_t>(cell - kAnswerCell)];
      if (vt.char_at(at_row, cell % 80 + 1) != static_cast<char32_t>(expected)) return false;
    }
    return true;
  }

  // Ends the answer, waits for the success box, quits, and returns the last
  // argument FBC.EXE received.
  std::string finish_and_read_params() {
    session_->send("\r");
    return quit_and_read_params();
  }
  std::string quit_and_read_params() {
    EXPECT_TRUE(session_->wait_until(result_shown, seconds(30)));
    EXPECT_EQ(session_->screen().text_at(12, 22, 34), kSuccessMiddle);
    session_->send("q");
    const auto status = session_->wait_exit(seconds(10));
    EXPECT_TRUE(status && status->exited && status->code == 0);
    EXPECT_EQ(session_->modes_now(), session_->modes_before());
    std::istringstream lines(folder_.get("fbc.args"));
    std::string line;
    std::string last;
    while (std::getline(lines, line)) last = line;
    return last;
  }

  WorkFolder folder_;
  std::unique_ptr<PtySession> session_;
};

TEST_F(TypingRun, ResizeStormWhileTypingLosesNothing) {
  PtySession& session = start_at_params(folder_.options(QB_PROGRAM));
  const std::string answer = long_answer(1200);
  struct Size {
    int columns;
    int rows;
  };
  constexpr Size kSizes[] = {{100, 30}, {60, 20}, {80, 24}, {132, 43}, {40, 10}, {80, 25}};
  int changes = 0;
  for (std::size_t at = 0; at < answer.size(); at += 4, ++changes) {
    session.send(answer.substr(at, 4));
    if (changes % 3 == 2) {
      session.signal(SIGWINCH);  // a resize event with no change of size
    } else {
      const Size size = kSizes[static_cast<std::size_t>(changes) % std::size(kSizes)];
      session.resize(size.columns, size.rows);
    }
  }
  ASSERT_GE(changes, 300);
  session.resize(80, 25);
  ASSERT_TRUE(session.wait_until([&](const VtScreen& vt) { return answer_tail_shown(vt, answer); }))
      << session.screen().cursor_row() << "," << session.screen().cursor_column();
  // The repaint at 80 x 25 is the model's whole screen: nothing stays from the other sizes.
  EXPECT_TRUE(session.wider().no_text(26, 1, 81));
  EXPECT_EQ(finish_and_read_params(), answer);
}

// A resize while a tool runs is answered once the tool has ended: the form
// is repainted at the new size, with the notice, before the next tool.
// Ctrl+Z while a tool runs stops the tool with the program, and the resume
// goes on with both.
TEST_F(TypingRun, SuspendMidAnswerAndResizeAndSuspendWhileToolsRun) {
  // Each tool waits for a line on a pipe of its own, with no process of its
  // own; a pipe of their own, so that no tool reads the end of the other's.
  for (const char* pipe : {"gorc.go", "fbc.go"})
    ASSERT_EQ(mkfifo(folder_.path(pipe).c_str(), 0600), 0);
  folder_.script("GORC.EXE", "echo $$ > gorc.pid\nread line < gorc.go\nprintf '%0130d' 0");
  folder_.script("FBC.EXE", "echo $$ > fbc.pid\n" + kKeepArguments + "\nread line < fbc.go");
  const auto started = [&](const std::string& pid_file) {
    return folder_.get(pid_file).find('\n') != std::string::npos;
  };
  PtyOptions options = folder_.options(QB_PROGRAM);
  options.job_control = true;
  PtySession& session = start_at_params(options);
  const std::string answer = long_answer(900);
  const std::string first_half = answer.substr(0, 450);
  session.send(first_half);
  ASSERT_TRUE(
      session.wait_until([&](const VtScreen& vt) { return answer_tail_shown(vt, first_half); }));
  const std::string raw_modes = session.modes_now();
  ASSERT_NE(raw_modes, session.modes_before());

  session.send("\x1a");
  ASSERT_TRUE(session.wait_until(
      [&](const VtScreen& vt) { return state_of(session.pid()) == 'T' && vt.cursor_visible(); }));
  EXPECT_EQ(session.modes_now(), session.modes_before());

  session.signal(SIGCONT);
  // Stopping moved the terminal's lines up by one; the resume repaints.
  ASSERT_TRUE(
      session.wait_until([&](const VtScreen& vt) { return answer_tail_shown(vt, first_half); }));
  EXPECT_EQ(session.modes_now(), raw_modes);
  session.send(answer.substr(450) + "\r");
  ASSERT_TRUE(session.wait_until([&](const VtScreen&) { return started("gorc.pid"); }));
  // Lets the tool waiting on `pipe` go on (a line whenever it has the pipe
  // open), until `next` holds.
  const auto release = [&](const std::string& pipe, const std::function<bool()>& next) {
    return session.wait_until([&](const VtScreen&) {
      const int fd = open(folder_.path(pipe).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        [[maybe_unused]] const ssize_t written =
            write(fd, "\n", 1);  // a full pipe has lines enough
        close(fd);
      }
      return next();
    });
  };
  session.resize(70, 25);
  ASSERT_TRUE(release("gorc.go", [&] {
    return started("fbc.pid") &&
           session.screen().text_at(25, 1, 40) == "Enlarge the terminal to at least 80 x 22";
  }));
  for (int row = 1; row <= 25; ++row) EXPECT_TRUE(session.wider().no_text(row, 71, 71)) << row;
  const pid_t tool = std::stoi(folder_.get("fbc.pid"));
  session.send("\x1a");
  ASSERT_TRUE(session.wait_until(
      [&](const VtScreen&) { return state_of(session.pid()) == 'T' && state_of(tool) == 'T'; }));
  session.signal(SIGCONT);
  session.resize(80, 25);
  ASSERT_TRUE(release("fbc.go", [&] { return result_shown(session.screen()); }));
  EXPECT_EQ(quit_and_read_params(), answer);
}

TEST_F(TypingRun, ClosedTerminalEndsTheProgram) {
  // Closing the terminal hangs it up: SIGHUP ends the program; where SIGHUP
  // is ignored (as under nohup), the end of its input does. (The processor
  // time it takes to end is a figure of the benchmark.)
  folder_.script("nohup.sh", std::string("trap '' HUP\nexec '") + QB_PROGRAM + "'");
  for (const bool ignored : {false, true}) {
    SCOPED_TRACE(ignored ? "SIGHUP ignored" : "SIGHUP");
    PtyOptions options = folder_.options(ignored ? folder_.path("nohup.sh") : QB_PROGRAM);
    PtySession& session = start_at_params(options);
    const std::string typed = long_answer(100);
    session.send(typed);
    ASSERT_TRUE(
        session.wait_until([&](const VtScreen& vt) { return answer_tail_shown(vt, typed); }));
    session.hang_up();
    const auto status = session.wait_exit();
    ASSERT_TRUE(status) << "still running, state " << state_of(session.pid());
    if (ignored) {
      EXPECT_TRUE(status->exited);
      EXPECT_EQ(status->code, 0);
    } else {
      EXPECT_FALSE(status->exited);
      EXPECT_EQ(status->code, SIGHUP);
    }
    EXPECT_FALSE(folder_.exists("fbc.args"));  // the build never ran
  }
}

// A terminal whose output is stopped (flow control) holds the program in a
// write; SIGTERM still ends it, by that signal, with the terminal's modes
// put back.
TEST(BlockedTerminal, SigtermEndsTheProgramInAWriteThatWaits) {
  PtySession session(launch_options(QB_PROGRAM));
  ASSERT_TRUE(session.wait_until(first_prompt_shown));
  const std::string proc = "/proc/" + std::to_string(session.pid());
  const int terminal =
      open(std::filesystem::read_symlink(proc + "/fd/1").c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(tcflow(terminal, TCOOFF), 0);
  session.send("hello");  // its echo waits
  bool in_write = false;
  for (int look = 0; look < 2000 && !in_write; ++look) {
    std::ifstream syscall_file(proc + "/syscall");
    std::string call;
    std::getline(syscall_file, call);
    in_write = call.rfind(std::to_string(SYS_write) + " ", 0) == 0;
    if (!in_write) session.pump(milliseconds(10));
  }
  ASSERT_TRUE(in_write) << "the program never waited in a write";
  session.signal(SIGTERM);
  const auto status = session.wait_exit();
  tcflow(terminal, TCOON);
  close(terminal);
  ASSERT_TRUE(status) << "still running, state " << state_of(session.pid());
  EXPECT_FALSE(status->exited);
  EXPECT_EQ(status->code, SIGTERM);
  EXPECT_EQ(session.modes_now(), session.modes_before());
}

}  // namespace
}  // namespace qb::test
