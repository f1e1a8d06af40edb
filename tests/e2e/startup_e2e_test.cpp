// The real program in a terminal, from the splash to the last key: what
// the splash and title show, in which colours, that a key typed during the
// splash waits for the first prompt, and the terminal the program leaves
// behind; --help and --version, which leave the terminal and the folder
// alone; and a QB_CODE_PAGE refused before the terminal is touched. How
// long the splash stays is the splash's unit test, on the in-memory
// backend's clock, and a figure of the benchmark.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "program_screens.h"

namespace qb::test {
namespace {

void expect_box_colours(const VtScreen& vt, int first_row, int last_row, int first_column,
                        int last_column) {
  for (int row = first_row; row <= last_row; ++row) {
    for (int column = first_column; column <= last_column; ++column) {
      ASSERT_EQ(vt.foreground(row, column), kWhite) << row << "," << column;
      ASSERT_EQ(vt.background(row, column), kBlue) << row << "," << column;
      ASSERT_FALSE(vt.bold(row, column));
    }
  }
}

TEST(Startup, SplashThenTitleThenTheRunEndsOnACleanTerminal) {
  PtySession session(program_options());
  ASSERT_TRUE(session.wait_until(splash_complete)) << session.screen().text_at(10, 1, 80);
  session.send("h");  // kept for the first prompt
  const VtScreen& vt = session.screen();
  EXPECT_EQ(vt.text_at(8, 22, 34), "╔" + repeat("═", 32) + "╗");
  EXPECT_EQ(vt.text_at(9, 22, 34), "║" + std::string(32, ' ') + "║");
  EXPECT_EQ(vt.text_at(12, 22, 34), "║(c) 2026 The Quillbarrow Authors║");
  EXPECT_EQ(vt.text_at(13, 22, 34), "║https://quillbarrow.example.org ║");
  EXPECT_EQ(vt.text_at(15, 22, 34), "╚" + repeat("═", 32) + "╝");
  expect_box_colours(vt, 8, 15, 22, 55);
  for (int row = 8; row <= 15; ++row) {
    EXPECT_TRUE(vt.blank(row, 1, 21, kBlack, kLightGrey)) << row;
    EXPECT_TRUE(vt.blank(row, 56, 80, kBlack, kLightGrey)) << row;
  }
  for (const int row : {1, 7, 16, 22, 24, 25})
    EXPECT_TRUE(vt.blank(row, 1, 80, kBlack, kLightGrey));
  EXPECT_EQ(vt.text_at(23, 62, 15), "powered by GoRC");
  for (int column = 62; column <= 76; ++column) {
    EXPECT_EQ(vt.foreground(23, column), kDarkGrey);
    EXPECT_EQ(vt.background(23, column), kLightGrey);
  }
  EXPECT_TRUE(vt.blank(23, 77, 80, kBlack, kLightGrey));

  ASSERT_TRUE(session.wait_until([](const VtScreen& v) {
    return title_shown(v) && v.text_at(12, 6, 21) == "» Your source code: h" &&
           v.cursor_row() == 12 && v.cursor_column() == 27;
  }));
  EXPECT_EQ(vt.text_at(4, 6, 70), "╔" + repeat("═", 68) + "╗");
  EXPECT_EQ(vt.text_at(8, 6, 70), "╚" + repeat("═", 68) + "╝");
  expect_box_colours(vt, 4, 8, 6, 75);
  for (const int row : {1, 3, 9, 10, 15, 23, 25})
    EXPECT_TRUE(vt.blank(row, 1, 80, kBlack, kLightGrey));
  EXPECT_TRUE(vt.blank(6, 76, 80, kBlack, kLightGrey));
  // The program's own drawing never scrolls; later the interpreter's messages
  // about the missing tools and files may, until the result screen clears them.
  EXPECT_EQ(vt.scrolled_lines(), 0);
  // Already 80 x 25: no request to resize (wine's console writes its own sequences).
  EXPECT_TRUE(under_wine() || session.output().find("\x1b[8;25;80t") == std::string::npos);

  const auto status = finish_run(session);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exited);
  EXPECT_EQ(status->code, 1);  // no tools here: a failed build
  for (int row = 1; row <= 25; ++row) EXPECT_TRUE(vt.untouched(row, 1, 80)) << row;
  EXPECT_EQ(vt.cursor_row(), 1);
  EXPECT_EQ(vt.cursor_column(), 1);
  EXPECT_TRUE(vt.cursor_visible());
  EXPECT_EQ(session.modes_now(), session.modes_before());
}

// --help and --version print their text and nothing else: every byte that
// reaches the terminal is a character on its screen or a line end (CR LF),
// the modes are those of the start, and the folder stays empty; a code page
// the program does not know stops neither.
TEST(Startup, HelpAndVersionPrintOnlyTheirText) {
  const struct {
    std::string option;
    std::string first_line;
  } cases[] = {{"--help", "Usage: quillbarrow [--help | --version]"},
               {"--version", "Quillbarrowmintstamperwright " QB_VERSION}};
  for (const auto& c : cases) {
    PtyOptions options = program_options();
    options.env = {"QB_CODE_PAGE=1234"};
    options.prefix.insert(options.prefix.begin(),
                          {"/bin/sh", "-c", "exec \"$@\" " + c.option, "sh"});
    PtySession session(options);
    const auto status = session.wait_exit();
    ASSERT_TRUE(status) << c.option;
    EXPECT_TRUE(status->exited && status->code == 0) << c.option;
    const VtScreen& vt = session.screen();
    EXPECT_EQ(vt.text_at(1, 1, 80), c.first_line + std::string(80 - c.first_line.size(), ' '));
    std::size_t shown = 0;
    for (int row = 1; row < vt.cursor_row(); ++row) {
      const std::string line = vt.text_at(row, 1, 80);
      shown += line.find_last_not_of(' ') + 1 + 2;
    }
    EXPECT_EQ(vt.cursor_column(), 1) << c.option;
    EXPECT_TRUE(vt.untouched(vt.cursor_row(), 1, 80)) << c.option;
    // Wine's console writes escape sequences of its own around any output.
    if (!under_wine()) {
      EXPECT_EQ(session.bytes_received(), shown) << c.option;
    }
    EXPECT_EQ(session.modes_now(), session.modes_before()) << c.option;
    EXPECT_TRUE(std::filesystem::is_empty(session.directory())) << c.option;
  }
}

// A code page the program does not know ends it before the terminal is
// touched: status 2 and one line on standard error, nothing drawn or written.
TEST(Startup, AnUnknownCodePageIsRefusedBeforeTheTerminalIsTouched) {
  if (under_wine()) GTEST_SKIP() << "the Windows console's page is chcp's";
  PtyOptions options = program_options();
  options.env = {"QB_CODE_PAGE=1234"};
  options.prefix = {"/bin/sh", "-c", "exec \"$@\" 2>errors", "sh"};
  PtySession session(options);
  const auto status = session.wait_exit();
  ASSERT_TRUE(status && status->exited);
  EXPECT_EQ(status->code, 2);
  std::ifstream errors(session.directory() + "/errors", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(errors), {}),
            "quillbarrow: QB_CODE_PAGE=1234 is not a code page this program knows; it knows "
            "65001 and 437, 720, 737, 775, 850, 852, 855, 857, 862, 866, 874, 1258, 932, 936, "
            "949, 950\n");
  EXPECT_EQ(session.bytes_received(), 0u);
  const std::filesystem::directory_iterator files(session.directory());
  EXPECT_EQ(std::distance(begin(files), end(files)), 1);  // the errors alone: no RESFILE.RC
  EXPECT_EQ(session.modes_now(), session.modes_before());
}

// A scripted run: the answers piped in, the transcript in a file, the exit
// status telling the outcome (1: no tools here, a failed build). The input
// ends at the closing prompt, which ends the run. On POSIX the transcript is
// UTF-8 text lines ended by LF; the Windows console keeps OEM bytes and CR LF.
TEST(Startup, AScriptedRunWritesATranscriptAndReportsAFailedBuild) {
  PtyOptions options = program_options();
  std::string answers;
  for (const std::string_view answer : kFormAnswers) answers += std::string(answer) + "\n";
  options.prefix.insert(options.prefix.begin(),
                        {"/bin/sh", "-c", "printf %s \"$0\" | \"$@\" >transcript.txt", answers});
  PtySession session(options);
  const auto status = session.wait_exit();
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exited && status->code == 1);
  std::ifstream file(std::filesystem::path(session.directory()) / "transcript.txt",
                     std::ios::binary);
  const std::string transcript{std::istreambuf_iterator<char>(file), {}};
  if (under_wine()) {
    EXPECT_NE(transcript.find("\xAF Your source code: hello.bas\r\n"), std::string::npos);
    return;
  }
  EXPECT_NE(transcript.find("\n» Your source code: hello.bas\n» Your copyright: (c) Me\n"),
            std::string::npos);
  // GoRC, the first tool, is missing: its box, and the status it left.
  EXPECT_NE(transcript.find("\n" + kResourceErrorMiddle + "\n"), std::string::npos);
  EXPECT_NE(transcript.find("\nGORC.EXE could not be run or failed silently (status 127).\n"),
            std::string::npos);
  EXPECT_EQ(transcript.find_first_of("\r\x1b"), std::string::npos);
  EXPECT_EQ(transcript.find(" \n"), std::string::npos);  // no trailing blanks, no blank rows
  EXPECT_EQ(transcript.back(), '\n');
}

}  // namespace
}  // namespace qb::test
