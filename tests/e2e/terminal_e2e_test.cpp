// The real program and its terminal: every way out puts the terminal back
// (Ctrl+C, SIGTERM, SIGHUP, a crash, the end of input), Ctrl+Z stops it
// with the terminal restored and a resume repaints, a short terminal gets
// only the rows it has, a resize repaints (with a notice while too small),
// the C locale and TERM=dumb get output they can show, and right-to-left
// letters keep their cells.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "program_screens.h"

namespace qb::test {
namespace {

using std::chrono::milliseconds;

// Expects the program to have ended by `signal_number` with the terminal's
// modes, cursor and pen as they were before it started.
void expect_ended_restored(PtySession& session, int signal_number) {
  const auto status = session.wait_exit();
  ASSERT_TRUE(status) << "the program did not end";
  EXPECT_FALSE(status->exited);
  EXPECT_EQ(status->code, signal_number);
  EXPECT_EQ(session.modes_now(), session.modes_before());
  EXPECT_TRUE(session.screen().cursor_visible());
}

// Expects Ctrl+C to have ended the program at once with the terminal put
// back. On Windows the system's Ctrl+C handler ends the process, which is
// no signal: its status (STATUS_CONTROL_C_EXIT, which wine reports as a
// plain exit) is not checked there.
void expect_ended_by_ctrl_c(PtySession& session) {
  if (!under_wine()) return expect_ended_restored(session, SIGINT);
  ASSERT_TRUE(session.wait_exit()) << "the program did not end";
  EXPECT_EQ(session.modes_now(), session.modes_before());
  EXPECT_TRUE(session.screen().cursor_visible());
}

TEST(TerminalExit, CtrlCDuringTheSplashEndsAtOnceWithTheTerminalRestored) {
  PtySession session(program_options());
  ASSERT_TRUE(session.wait_until(splash_shown));
  session.send("\x03");
  expect_ended_by_ctrl_c(session);
  if (under_wine()) {
    // The program prints nothing on the way out: the splash stays, though
    // wine's console now and then ends its own output with a line end.
    const int scrolled = session.screen().scrolled_lines();
    EXPECT_LE(scrolled, 1);
    EXPECT_EQ(session.screen().text_at(10 - scrolled, 22, 34), kSplashTitle);
    return;
  }
  // The splash stays, moved up one row by the fresh line for the shell.
  EXPECT_EQ(session.screen().scrolled_lines(), 1);
  EXPECT_EQ(session.screen().text_at(9, 22, 34), kSplashTitle);
  EXPECT_EQ(session.screen().cursor_row(), 25);
  EXPECT_EQ(session.screen().cursor_column(), 1);
}

TEST(TerminalExit, CtrlCAtTheTitleEndsWithTheTerminalRestored) {
  PtySession session(program_options());
  ASSERT_TRUE(session.wait_until(title_shown));
  session.send("\x03");
  expect_ended_by_ctrl_c(session);
}

TEST(TerminalExit, HangUpAndTerminateEndBySignalWithTheTerminalRestored) {
  for (const int signal_number : {SIGHUP, SIGTERM}) {
    PtySession session(program_options());
    ASSERT_TRUE(session.wait_until(title_shown));
    // Halfway through an answer.
    session.send("half an answer");
    ASSERT_TRUE(session.wait_until(
        [](const VtScreen& vt) { return vt.text_at(12, 26, 14) == "half an answer"; }));
    session.signal(signal_number);
    expect_ended_restored(session, signal_number);
  }
}

// In Hebrew, whose letters the program keeps cell by cell, the crash puts
// the terminal's bidirectional text back on too.
TEST(TerminalExit, CrashSignalStillRestoresTheTerminal) {
  // Wine turns the signal into an access violation for its debugger: a
  // crash of the Windows build is the system's matter, not the program's.
  if (under_wine()) GTEST_SKIP() << "a POSIX crash signal; wine hands it to its debugger";
  for (const int crash : {SIGSEGV, SIGABRT}) {
    PtyOptions options = program_options();
    options.env = {"ASAN_OPTIONS=handle_segv=0:handle_abort=0", "LC_ALL=he_IL.UTF-8"};
    PtySession session(options);
    ASSERT_TRUE(session.wait_until(title_shown));
    session.signal(crash);
    expect_ended_restored(session, crash);
    const std::size_t bidi_on = session.output().rfind("\x1b[8h");
    EXPECT_NE(bidi_on, std::string::npos) << crash;
    EXPECT_GT(bidi_on, session.output().rfind("\x1b[8l")) << crash;
  }
}

// Answers that end before the form's last Enter, as `printf 'hello.bas\n2024\n'
// | quillbarrow` gives them, fail with one line on standard error and build nothing.
TEST(TerminalExit, EndOfInputBeforeTheFormIsCompleteIsAFailure) {
  for (const char* typed :
       {"hello.bas\n2024\n",
        "hello.bas\n(c) Me\n\nHello\n1.2.3\nHello\n1.2.0\n\n\napp.ico\nn\n-s gui"}) {
    PtyOptions options = program_options();
    options.prefix.insert(options.prefix.begin(),
                          {"/bin/sh", "-c", "printf %s \"$0\" | \"$@\" 2>errors", typed});
    PtySession session(options);
    const auto status = session.wait_exit();
    ASSERT_TRUE(status && status->exited && status->code == 1);
    std::ifstream errors(session.directory() + "/errors", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(errors), {}),
              std::string("quillbarrow: input ended before the form was complete") +
                  (under_wine() ? "\r\n" : "\n"));
    const std::filesystem::directory_iterator files(session.directory());
    EXPECT_EQ(std::distance(begin(files), end(files)), 1);  // the errors alone
    EXPECT_TRUE(session.screen().cursor_visible());
    EXPECT_EQ(session.modes_now(), session.modes_before());
  }
}

// The state letter of a process in /proc (R, S, T for stopped, ...).
char process_state(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const auto close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() ? '?' : line[close + 2];
}

TEST(TerminalSuspend, CtrlZStopsWithTheTerminalRestoredAndResumeRepaints) {
  // Windows has no job control; under wine the terminal's Ctrl+Z stops
  // wine itself and leaves the terminal as wine set it.
  if (under_wine()) GTEST_SKIP() << "no job control on Windows";
  PtyOptions options = program_options();
  options.job_control = true;
  PtySession session(options);
  ASSERT_TRUE(session.wait_until(first_prompt_shown));
  const std::string raw_modes = session.modes_now();
  ASSERT_NE(raw_modes, session.modes_before());
  session.send("\x1a");
  // Stopped, the cursor shown on a fresh line, which moved the title up.
  ASSERT_TRUE(session.wait_until([&](const VtScreen& vt) {
    return process_state(session.pid()) == 'T' && vt.cursor_visible() && !title_shown(vt);
  }));
  EXPECT_EQ(session.modes_now(), session.modes_before());

  session.signal(SIGCONT);
  ASSERT_TRUE(session.wait_until([](const VtScreen& vt) {
    return first_prompt_shown(vt) && vt.blank(25, 1, 80, kBlack, kLightGrey);
  }));
  EXPECT_EQ(session.modes_now(), raw_modes);
  const auto status = finish_run(session);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exited);
  EXPECT_EQ(session.modes_now(), session.modes_before());
}

// A paste far larger than the key queue and the terminal's input buffer,
// at the first prompt: every character lands in its cell, in order, so the
// text ends exactly where 5000 characters from the prompt end.
TEST(TerminalInput, LongPasteAtAPromptLosesNoCharacter) {
  PtySession session(program_options());
  ASSERT_TRUE(session.wait_until(first_prompt_shown));
  const int start =
      (12 - 1) * 80 + session.screen().cursor_column() - 1;  // cell of the first character
  constexpr int kLength = 5000;
  std::string paste;
  for (int i = 0; i < kLength; ++i) paste += static_cast<char>('a' + i % 26);
  session.send(paste);
  const int end = start + kLength;  // the cell after the last character
  const int end_column = end % 80 + 1;
  ASSERT_TRUE(session.wait_until([&](const VtScreen& vt) {
    return vt.cursor_row() == 25 && vt.cursor_column() == end_column;
  })) << session.screen().cursor_row()
      << "," << session.screen().cursor_column();
  const VtScreen& vt = session.screen();
  for (int row = 25, cell = end - end_column + 1; row >= 18; --row, cell -= 80) {
    for (int column = 1; column <= (row == 25 ? end_column - 1 : 80); ++column) {
      const int index = cell + column - 1 - start;
      ASSERT_EQ(vt.char_at(row, column), static_cast<char32_t>('a' + index % 26))
          << row << "," << column;
    }
  }
}

TEST(TerminalSize, ShortTerminalShowsRowsOneToTwentyFourAndNothingOutside) {
  // A Windows console keeps the 25-row buffer behind a 24-row window with a
  // scroll bar; wine, drawing that window on a 24-row terminal, scrolls
  // the terminal by a row instead.
  if (under_wine()) GTEST_SKIP() << "wine scrolls a terminal shorter than the console";
  PtySession session(program_options(80, 24));
  ASSERT_TRUE(session.wait_until(splash_complete));
  const VtScreen& vt = session.screen();
  EXPECT_TRUE(vt.blank(24, 1, 80, kBlack, kLightGrey));
  EXPECT_NE(session.output().find("\x1b[8;25;80t"), std::string::npos);  // asked for 80 x 25
  ASSERT_TRUE(session.wait_until(first_prompt_shown));
  EXPECT_TRUE(vt.blank(24, 1, 80, kBlack, kLightGrey));
  EXPECT_TRUE(session.wider().no_text(25, 1, 81));
  for (int row = 1; row <= 24; ++row) EXPECT_TRUE(session.wider().no_text(row, 81, 81)) << row;
  EXPECT_EQ(vt.scrolled_lines(), 0);
  ASSERT_TRUE(finish_run(session));
  for (int row = 1; row <= 24; ++row) EXPECT_TRUE(vt.untouched(row, 1, 80)) << row;
  EXPECT_TRUE(session.wider().untouched(25, 1, 81));
}

TEST(TerminalSize, ResizeRepaintsAtTheNewSizeWithANoticeWhileTooSmall) {
  // On Windows the console, not the program, answers a resize of its
  // window: the 80 x 25 buffer stays, and wine redraws it as it sees fit.
  if (under_wine()) GTEST_SKIP() << "the console, not the program, handles a resize on Windows";
  PtySession session(program_options());
  ASSERT_TRUE(session.wait_until(title_shown));
  session.resize(60, 20);
  // The repaint clears the terminal and draws only the 60 x 20 cells it
  // has, with the notice on the last of them.
  ASSERT_TRUE(session.wait_until([&](const VtScreen& vt) {
    bool outside_clear = session.wider().no_text(21, 1, 61);
    for (int row = 1; row <= 20; ++row)
      outside_clear = outside_clear && session.wider().no_text(row, 61, 61);
    return outside_clear && vt.text_at(4, 6, 55) == "╔" + repeat("═", 54) &&
           vt.text_at(20, 1, 41) == "Enlarge the terminal to at least 80 x 22 ";
  }));
  session.resize(80, 25);
  ASSERT_TRUE(session.wait_until([](const VtScreen& vt) {
    return title_shown(vt) && vt.blank(20, 1, 80, kBlack, kLightGrey) &&
           vt.blank(25, 1, 80, kBlack, kLightGrey);
  }));
  // Larger than the screen: the run still ends on a terminal all in its own colours.
  session.resize(100, 30);
  ASSERT_TRUE(finish_run(session));
  const VtScreen& vt = session.screen();
  for (int row = 1; row <= 30; ++row) EXPECT_TRUE(vt.untouched(row, 1, 100)) << row;
}

// Below 22 rows the view follows the cursor, so the prompt being answered
// (row 20 of the screen here) stays in sight above the notice.
TEST(TerminalSize, ASmallTerminalKeepsThePromptBeingAnsweredInSight) {
  if (under_wine()) GTEST_SKIP() << "the Windows console keeps its own 80 x 25 buffer";
  PtySession session(program_options(60, 20));
  ASSERT_TRUE(session.wait_until(
      [](const VtScreen& vt) { return vt.text_at(12, 6, 19) == "» Your source code:"; }));
  for (int i = 0; i < 8; ++i) session.send(std::string(kFormAnswers[i]) + "\r");
  session.send("www");
  EXPECT_TRUE(session.wait_until([](const VtScreen& vt) {
    return vt.text_at(19, 6, 19) == "» Your website: www" && vt.cursor_row() == 19 &&
           vt.cursor_visible() && vt.text_at(18, 6, 11) == "» Comments:" &&
           vt.text_at(20, 1, 7) == "Enlarge";
  }));
}

// Under the C locale the program writes plain ASCII, the boxes in the
// terminal's line-drawing set (single lines only); TERM=dumb, as editor
// shells set it, gets the plain transcript of redirected output.
TEST(TerminalCharset, CLocaleGetsAsciiWithBoxesAndDumbTerminalNoEscapes) {
  if (under_wine()) GTEST_SKIP() << "the Windows console draws its screen itself";
  for (const std::string env : {"LC_ALL=C", "TERM=dumb"}) {
    PtyOptions options = program_options();
    options.env = {env};
    PtySession session(options);
    const bool dumb = env == "TERM=dumb";
    EXPECT_TRUE(dumb || session.wait_until([](const VtScreen& vt) {
      return vt.text_at(4, 6, 70) == "┌" + repeat("─", 68) + "┐" && vt.text_at(12, 6, 2) == "> ";
    }));
    ASSERT_TRUE(finish_run(session));
    const std::string& out = session.output();
    if (dumb) {
      EXPECT_NE(out.find("Quillbarrowmintstamperwright"), std::string::npos);
      EXPECT_NE(out.find("» Your source code: hello.bas"), std::string::npos);  // in UTF-8
      EXPECT_EQ(out.find('\x1b'), std::string::npos);
      EXPECT_EQ(out.find(" \r\n"), std::string::npos);  // no trailing blanks, no blank rows
    } else {
      EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](char c) { return c >= 0; }));
      EXPECT_EQ(out.find("\x1b[8l"), std::string::npos);  // bidirectional text left alone
    }
  }
}

// Hebrew and Arabic letters stand cell by cell in the order written, as on
// the console: the terminal's bidirectional text is off while the program
// runs, and on again when it ends (other languages leave it alone: above).
TEST(TerminalCharset, RightToLeftLettersKeepTheirCells) {
  if (under_wine()) GTEST_SKIP() << "the Windows console draws its screen itself";
  PtyOptions options = program_options();
  options.env = {"LC_ALL=he_IL.UTF-8"};
  PtySession session(options);
  ASSERT_TRUE(finish_run(session));
  const std::string& out = session.output();
  EXPECT_LT(out.find("\x1b[8l"), out.find("╔"));
  EXPECT_GT(out.rfind("\x1b[8h"), out.rfind("\x1b[2J"));
  EXPECT_NE(out.rfind("\x1b[8h"), std::string::npos);
}

// With TERM=dumb the echo is what is stored: Backspace backs up over the
// character, blanks it and backs up again. Keys are typed once the prompt
// is out, as the terminal's own line editing holds them until then.
TEST(TerminalCharset, DumbTerminalErasesWhatBackspaceRemoves) {
  if (under_wine()) GTEST_SKIP() << "the Windows console draws its screen itself";
  PtyOptions options = program_options();
  options.env = {"TERM=dumb"};
  PtySession session(options);
  const std::string prompt = "» Your source code:";
  ASSERT_TRUE(session.wait_until(
      [&](const VtScreen&) { return session.output().find(prompt) != std::string::npos; }));
  session.send("hellx\x7fo.bas\r");
  ASSERT_TRUE(finish_run(session));  // its first answer goes to the copyright
  EXPECT_NE(session.output().find(prompt + " hellx\b \bo.bas\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qb::test
