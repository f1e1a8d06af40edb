// Whole runs of the program in a pseudo-terminal, in a folder holding a
// source, two icons and the stand-in tools as GORC.EXE and FBC.EXE: the
// form typed as a user would, the tools run for real, and the result
// screen, the files left behind and the exit checked. The stand-ins' hooks
// force the log lengths at the edges of the judgement.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "build_run.h"
#include "readobj_listing.h"
#include "support/worked_example_script.h"

namespace qb::test {
namespace {

// A log of `length` bytes (at least 2) ending in CR LF.
std::string log_of(std::size_t length) {
  return std::string(length - 2, 'g') + "\r\n";
}

TEST_F(BuildRun, WorkedExampleEndsOnTheSuccessBoxLeavingOnlyTheExecutable) {
  const VtScreen& vt = run_to_result(example_answers()).screen();
  expect_result_screen(vt, 10, kSuccessMiddle, kBlue);
  for (const int row : {9, 15, 16, 21}) EXPECT_TRUE(vt.blank(row, 1, 80, kBlack, kLightGrey));
  EXPECT_TRUE(vt.blank(13, 1, 21, kBlack, kLightGrey));  // no log under a success
  press_key_and_expect_clean_exit();
  for (const char* gone : {"GORC.LOG", "FBC.LOG", "RESFILE.RC", "RESFILE.OBJ", "RESFILE.RES"}) {
    EXPECT_FALSE(exists(gone)) << gone;
  }
  ASSERT_TRUE(exists("hello.exe"));

  // Under wine the Windows stand-ins find the machine's llvm on wine's search path.
  const std::string readobj = llvm_readobj();
  if (readobj.empty()) {
    GTEST_SKIP() << "no llvm-rc, llvm-cvtres, lld-link or llvm-readobj: hello.exe is a placeholder";
  }
  const std::string listing =
      tools::run_captured({readobj, "--coff-resources", path("hello.exe")}).output;
  EXPECT_NE(listing.find("Name: (ID 100)"), std::string::npos);
  EXPECT_NE(listing.find("Name: (ID 101)"), std::string::npos);
  const std::string version =
      tools::utf8_of_utf16(tools::dumped_bytes(listing, "Type: VERSIONINFO"));
  for (const char* text : {"Greeting demo", "2024 Sample Team", "1.23", "1.20", "hello.exe"}) {
    EXPECT_NE(version.find(text), std::string::npos) << text;
  }
}

TEST_F(BuildRun, AResourceCompilerFailureIsShownBeforeTheCompilerFailureItCaused) {
  // GoRC leaves no RESFILE.OBJ and the compiler fails for want of it; the
  // first failure is the one shown, and both logs stay.
  const VtScreen& vt = run_to_result(example_answers("", "missing.ico")).screen();
  expect_result_screen(vt, 4, kResourceErrorMiddle, kRed);
  const std::string message = "GORC.EXE error: cannot open icon file missing.ico";
  expect_log_line(vt, message, static_cast<int>(message.size()));
  press_key_and_expect_clean_exit();
  EXPECT_EQ(tools::read_file(path("FBC.LOG")).value_or(""),
            "FBC.EXE error: cannot open object file RESFILE.OBJ\r\n");
  EXPECT_TRUE(exists("GORC.LOG"));
  EXPECT_FALSE(exists("RESFILE.RC"));
}

TEST_F(BuildRun, AResourceLogOutsideTheRangeShowsTheResourceBoxWithTheLog) {
  ASSERT_TRUE(tools::write_file(path("gorc.out"), "resource trouble\r\nsecond line\r\n"));
  const VtScreen& vt =
      run_to_result(example_answers(), {"QB_STANDIN_GORC_OUTPUT=gorc.out"}).screen();
  expect_result_screen(vt, 4, kResourceErrorMiddle, kRed);
  for (int row = 9; row <= 12; ++row) EXPECT_TRUE(vt.blank(row, 1, 80, kBlack, kLightGrey));
  expect_log_line(vt, "resource trouble", 16);
  EXPECT_EQ(vt.text_at(14, 1, 12), "second line ");
  press_key_and_expect_clean_exit();
  EXPECT_FALSE(exists("FBC.LOG"));
  EXPECT_TRUE(exists("GORC.LOG"));
}

TEST_F(BuildRun, AMissingCompilerIsAFailureThatNamesItsStatus) {
  fs::remove(folder_ / "FBC.EXE");
  const VtScreen& vt = run_to_result(example_answers()).screen();
  expect_result_screen(vt, 4, kCompilerErrorMiddle, kRed);
  // The command interpreter's status for a command it cannot find: the
  // POSIX runner's 127, cmd's 9009.
  const std::string line = std::string("FBC.EXE could not be run or failed silently (status ") +
                           (under_wine() ? "9009" : "127") + ").";
  expect_log_line(vt, line, static_cast<int>(line.size()));
  press_key_and_expect_clean_exit();
  EXPECT_TRUE(exists("FBC.LOG"));
  EXPECT_TRUE(exists("GORC.LOG"));
}

TEST_F(BuildRun, ControlBytesAndEscapeSequencesInALogShowAsGlyphs) {
  ASSERT_TRUE(
      tools::write_file(path("fbc.out"), "\x1b[2J\x1b[31mX\x1b]0;T\x07\x01\x02\x7f\xb0\r\n"));
  const VtScreen& vt = run_to_result(example_answers(), {"QB_STANDIN_FBC_OUTPUT=fbc.out"}).screen();
  expect_result_screen(vt, 4, kCompilerErrorMiddle,
                       kRed);  // nothing cleared or recoloured the screen
  const std::string esc = utf8(U'\u2190');
  const std::string glyphs = esc + "[2J" + esc + "[31mX" + esc + "]0;T" + utf8(U'\u263A') +
                             utf8(U'\u263B') + utf8(U'\u2302') + utf8(U'\u2591');
  expect_log_line(vt, glyphs, 19);
  for (int column = 4; column <= 22; ++column) EXPECT_EQ(vt.foreground(13, column), kRed);
  press_key_and_expect_clean_exit();
}

// Names kept in the locale's OEM page (möwe.bas as 437's 0x94, привет.bas in
// 866, 圖示 in Big5, 表示 in Shift_JIS) reach the tools as on disk, a
// source's and an icon's: the Windows program gives cmd.exe characters.
TEST_F(BuildRun, BuildsASourceNamedInTheLocalesLetters) {
  for (const auto& [locale, stem] : {std::pair<std::string, std::string>{"C.UTF-8", "möwe"},
                                     {"ru_RU.UTF-8", "привет"},
                                     {"zh_TW.BIG5", "\xB9\xCF\xA5\xDC"},
                                     {"ja_JP.SJIS", "\x95\x5C\x8E\xA6"}}) {
    // Under wine the names go through wine's own mapping of a legacy set,
    // which no Windows has, to the Linux llvm the Windows stand-ins run there.
    if (under_wine() && !locale.ends_with("UTF-8")) continue;
    ASSERT_TRUE(tools::write_file(path(stem + ".bas"), "print \"Hello\"\r\n"));
    fs::copy_file(path("app.ico"), path(stem + ".ico"), fs::copy_options::overwrite_existing);
    std::vector<std::string> answers = example_answers("", stem + ".ico");
    answers[0] = stem + ".bas";
    run_to_result(answers, {"LOCPATH=" QB_TEST_LOCPATH, "LC_ALL=" + locale}).send("q");
    EXPECT_EQ(session_->wait_exit().value_or(ExitStatus{false, -1}).code, 0) << locale;
    EXPECT_TRUE(exists(stem + ".exe")) << locale;
  }
}

// Answers saved on Windows (a byte-order mark, CR LF, some LF) give the
// worked example's script, piped in or from the file (under wine through
// cmd's "<"); a key that does not fit after them (a begun Esc, a pair)
// has come, and ends the result screen.
TEST_F(BuildRun, AnswersWithWindowsLineEndsGiveTheSameScript) {
  const std::string from_file =
      under_wine() ? R"("$1" cmd /c "Z:$(printf %s "$2" | tr / '\\') < answers.txt")"
                   : R"("$@" < answers.txt)";
  for (const auto& [shell, locale, last] : {std::tuple<std::string, std::string, std::string>{
                                                R"(cat answers.txt | "$@")", "C.UTF-8", "\x1b"},
                                            {from_file, "ja_JP.UTF-8", "亜"}}) {
    std::string answers = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < kWorkedExampleAnswers.size(); ++i)
      answers += std::string(kWorkedExampleAnswers[i]) + (i % 4 == 3 ? "\n" : "\r\n");
    ASSERT_TRUE(tools::write_file(path("answers.txt"), answers + std::string(510, 'x') + last));
    fs::remove(folder_ / "kept.rc");
    PtyOptions options = program_options();
    options.directory = folder_.string();
    options.env = {"QB_STANDIN_GORC_KEEP=kept.rc", "LOCPATH=" QB_TEST_LOCPATH, "LC_ALL=" + locale};
    options.prefix.insert(options.prefix.begin(), {"/bin/sh", "-c", shell, "sh"});
    PtySession session(options);
    const auto status = session.wait_exit();
    ASSERT_TRUE(status && status->exited) << shell;
    EXPECT_EQ(status->code, 0) << shell;
    EXPECT_EQ(tools::read_file(path("kept.rc")).value_or(""), kWorkedExampleScript) << shell;
  }
}

TEST_F(BuildRun, ExtraParametersReachTheCompilerAsWords) {
  const VtScreen& vt = run_to_result(example_answers("-s gui -x greet.exe")).screen();
  expect_result_screen(vt, 10, kSuccessMiddle, kBlue);
  press_key_and_expect_clean_exit();
  EXPECT_TRUE(exists("greet.exe"));
  EXPECT_FALSE(exists("hello.exe"));
  const std::string readobj = llvm_readobj();
  if (readobj.empty()) GTEST_SKIP() << "placeholder executable";
  const std::string headers =
      tools::run_captured({readobj, "--file-headers", path("greet.exe")}).output;
  EXPECT_NE(headers.find("IMAGE_SUBSYSTEM_WINDOWS_GUI"), std::string::npos);
}

// A compiler failure, with this system's stand-ins and with the Windows ones
// (true), which this system's program runs through wine.
class CompilerFailure : public WindowsTools, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    if (!GetParam()) return BuildRun::SetUp();
    WindowsTools::SetUp();
  }
};

TEST_P(CompilerFailure, ShowsItsLogAndKeepsTheResourceLogUntouched) {
  const VtScreen& vt = run_to_result(example_answers("-w")).screen();
  expect_result_screen(vt, 4, kCompilerErrorMiddle, kRed);
  expect_log_line(vt, "FBC.EXE error: unknown option -w", 32);
  press_key_and_expect_clean_exit();
  EXPECT_EQ(fs::file_size(path("GORC.LOG")), 130u);
  EXPECT_TRUE(exists("FBC.LOG"));
  EXPECT_FALSE(exists("hello.exe"));
}

INSTANTIATE_TEST_SUITE_P(BuildRun, CompilerFailure, ::testing::Values(false));
INSTANTIATE_TEST_SUITE_P(WindowsTools, CompilerFailure, ::testing::Values(true));

// A source named möwe.bas, typed in UTF-8 and kept as the byte 0x94, reaches
// the Windows tools under its name on disk.
TEST_F(WindowsTools, BuildsTheSourceNamedBeyondAscii) {
  fs::rename(folder_ / "hello.bas", folder_ / "m\xC3\xB6we.bas");
  std::vector<std::string> answers = example_answers();
  answers[0] = "m\xC3\xB6we.bas";
  expect_result_screen(run_to_result(answers).screen(), 10, kSuccessMiddle, kBlue);
  press_key_and_expect_clean_exit();
  EXPECT_TRUE(exists("m\xC3\xB6we.exe"));
}

struct Boundary {
  const char* name;
  const char* hook;    // the stand-in's output hook
  std::size_t length;  // bytes it prints instead
  const std::string* middle;
  bool fbc_left;
  bool gorc_left;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Boundary& boundary, std::ostream* out) {
  *out << boundary.name;
}

class LogBoundary : public BuildRun, public ::testing::WithParamInterface<Boundary> {};

TEST_P(LogBoundary, JudgesTheLogLengthAtTheEdge) {
  const Boundary& b = GetParam();
  ASSERT_TRUE(tools::write_file(path("hook.out"), log_of(b.length)));
  const VtScreen& vt =
      run_to_result(example_answers(), {std::string(b.hook) + "=hook.out"}).screen();
  const bool success = b.middle == &kSuccessMiddle;
  expect_result_screen(vt, success ? 10 : 4, *b.middle, success ? kBlue : kRed);
  const int shown = static_cast<int>(std::min<std::size_t>(b.length - 2, 10));
  if (!success) expect_log_line(vt, std::string(static_cast<std::size_t>(shown), 'g'), shown);
  press_key_and_expect_clean_exit();
  EXPECT_EQ(exists("FBC.LOG"), b.fbc_left);
  EXPECT_EQ(exists("GORC.LOG"), b.gorc_left);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, LogBoundary,
    ::testing::Values(
        Boundary{"Fbc2", "QB_STANDIN_FBC_OUTPUT", 2, &kSuccessMiddle, false, false},
        Boundary{"Fbc3", "QB_STANDIN_FBC_OUTPUT", 3, &kCompilerErrorMiddle, true, true},
        Boundary{"Gorc124", "QB_STANDIN_GORC_OUTPUT", 124, &kResourceErrorMiddle, false, true},
        Boundary{"Gorc125", "QB_STANDIN_GORC_OUTPUT", 125, &kSuccessMiddle, false, false},
        Boundary{"Gorc135", "QB_STANDIN_GORC_OUTPUT", 135, &kSuccessMiddle, false, false},
        Boundary{"Gorc136", "QB_STANDIN_GORC_OUTPUT", 136, &kResourceErrorMiddle, false, true}),
    [](const ::testing::TestParamInfo<Boundary>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qb::test
