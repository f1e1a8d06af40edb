// Whole runs of the program in a pseudo-terminal, in a folder holding a
// source, two icons and the stand-in tools as GORC.EXE and FBC.EXE: the
// form typed as a user would, the tools run for real, and the result
// screen, the files left behind and the exit checked. The stand-ins' hooks
// force the log lengths at the edges of the judgement.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <utility>

#include "host.h"
#include "program_screens.h"
#include "readobj_listing.h"
#include "standin_io.h"
#include "support/demo_icons.h"
#include "support/scratch_folder.h"
#include "toolchain.h"

namespace qb::test {
namespace {

namespace fs = std::filesystem;

inline constexpr int kRed = 1;  // console colour 4 is the terminal's palette index 1

const std::string kPrompt = "Press any key to quit.";
const std::string kTop = "╔" + repeat("═", 32) + "╗";
const std::string kBlank = "║" + std::string(32, ' ') + "║";
const std::string kBottom = "╚" + repeat("═", 32) + "╝";
const std::string kSuccess = "║       EXE file created !       ║";
const std::string kResourceError = "║     GoRC RC-Compiler Error     ║";
const std::string kCompilerError = "║    FreeBasic Compiler Error    ║";

// The worked example's answers, with `icon` as the first icon and `params`
// as the extra compiler parameters.
std::vector<std::string> example_answers(const std::string& params = "",
                                         const std::string& icon = "app.ico") {
  return {"hello.bas",
          "2024 Sample Team",
          "Sample Team",
          "Greeting demo",
          "1.2.3",
          "Hello",
          "1.2.0",
          "First release",
          "",
          icon,
          "y",
          "small.ico",
          "n",
          params};
}

// A log of `length` bytes (at least 2) ending in CR LF.
std::string log_of(std::size_t length) {
  return std::string(length - 2, 'g') + "\r\n";
}

class BuildRun : public ::testing::Test {
 protected:
  void SetUp() override {
    copy_demo_icons(folder_);
    ASSERT_TRUE(tools::write_file(path("hello.bas"), "print \"Hello\"\r\n"));
    // The Windows program runs the Windows stand-ins, through wine's cmd.
    fs::copy_file(under_wine() ? windows_tool("gorc_standin.exe") : QB_GORC_STANDIN,
                  folder_ / "GORC.EXE");
    fs::copy_file(under_wine() ? windows_tool("fbc_standin.exe") : QB_FBC_STANDIN,
                  folder_ / "FBC.EXE");
  }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  bool exists(const std::string& name) const { return fs::exists(folder_ / name); }

  // Starts the program in the folder with `env`, types `answers` and waits
  // for the result screen's prompt. The stand-ins' hooks name files in the
  // folder, where the tools run, so that the Windows stand-ins find them too.
  PtySession& run_to_result(const std::vector<std::string>& answers,
                            const std::vector<std::string>& env = {}) {
    PtyOptions options = program_options();
    options.directory = folder_.string();
    options.env = env;
    session_ = std::make_unique<PtySession>(options);
    for (const std::string& answer : answers) session_->send(answer + "\r");
    const bool shown =
        session_->wait_until([](const VtScreen& vt) { return vt.text_at(22, 4, 22) == kPrompt; });
    EXPECT_TRUE(shown) << "no result screen";
    session_->settle();  // the whole frame, not just the part with the prompt
    return *session_;
  }

  // Presses a key: the program must end with the outcome's status on a
  // cleared screen.
  void press_key_and_expect_clean_exit() {
    quit_at_result(*session_);
    const VtScreen& vt = session_->screen();
    for (int row = 1; row <= 25; ++row) EXPECT_TRUE(vt.untouched(row, 1, 80));
  }

  const ScratchFolder scratch_{ScratchFolder::Enter::kNo};
  const fs::path& folder_ = scratch_.path();
  std::unique_ptr<PtySession> session_;
};

// The box with `middle` at `first_row`, column 22, white on `background`,
// and the prompt in dark grey at row 22, column 4.
void expect_result_screen(const VtScreen& vt, int first_row, const std::string& middle,
                          int background) {
  const std::string lines[] = {kTop, kBlank, middle, kBlank, kBottom};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(vt.text_at(first_row + i, 22, 34), lines[i]);
    for (int column = 22; column <= 55; ++column) {
      EXPECT_EQ(vt.foreground(first_row + i, column), kWhite);
      EXPECT_EQ(vt.background(first_row + i, column), background);
    }
  }
  EXPECT_EQ(vt.foreground(22, 4), kDarkGrey);
  EXPECT_EQ(vt.background(22, 4), kLightGrey);
}

// The log line shown at row 13, column 4, in red on light grey.
void expect_log_line(const VtScreen& vt, const std::string& text, int length) {
  EXPECT_EQ(vt.text_at(13, 4, length), text);
  EXPECT_EQ(vt.foreground(13, 4), kRed);
  EXPECT_EQ(vt.background(13, 4), kLightGrey);
}

TEST_F(BuildRun, WorkedExampleEndsOnTheSuccessBoxLeavingOnlyTheExecutable) {
  const VtScreen& vt = run_to_result(example_answers()).screen();
  expect_result_screen(vt, 10, kSuccess, kBlue);
  for (const int row : {9, 15, 16, 21}) EXPECT_TRUE(vt.blank(row, 1, 80, kBlack, kLightGrey));
  EXPECT_TRUE(vt.blank(13, 1, 21, kBlack, kLightGrey));  // no log under a success
  press_key_and_expect_clean_exit();
  for (const char* gone : {"GORC.LOG", "FBC.LOG", "RESFILE.RC", "RESFILE.OBJ", "RESFILE.RES"}) {
    EXPECT_FALSE(exists(gone)) << gone;
  }
  ASSERT_TRUE(exists("hello.exe"));

  const std::string readobj = tools::find_program("llvm-readobj");
  if (!tools::can_compile_resources() || !tools::can_link_executables() || readobj.empty() ||
      under_wine()) {
    // The Windows stand-ins look on wine's search path, where no llvm is.
    GTEST_SKIP() << "no llvm-rc, clang, lld-link or llvm-readobj: hello.exe is a placeholder";
  }
  const std::string listing =
      tools::run_captured({readobj, "--coff-resources", path("hello.exe")}).output;
  EXPECT_NE(listing.find("Name: (ID 100)"), std::string::npos);
  EXPECT_NE(listing.find("Name: (ID 101)"), std::string::npos);
  const std::string version =
      tools::narrow_utf16(tools::dumped_bytes(listing, "Type: VERSIONINFO"));
  for (const char* text : {"Greeting demo", "2024 Sample Team", "1.23", "1.20", "hello.exe"}) {
    EXPECT_NE(version.find(text), std::string::npos) << text;
  }
}

TEST_F(BuildRun, AResourceCompilerFailureIsShownBeforeTheCompilerFailureItCaused) {
  // GoRC leaves no RESFILE.OBJ and the compiler fails for want of it; the
  // first failure is the one shown, and both logs stay.
  const VtScreen& vt = run_to_result(example_answers("", "missing.ico")).screen();
  expect_result_screen(vt, 4, kResourceError, kRed);
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
  expect_result_screen(vt, 4, kResourceError, kRed);
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
  expect_result_screen(vt, 4, kCompilerError, kRed);
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
  expect_result_screen(vt, 4, kCompilerError, kRed);  // nothing cleared or recoloured the screen
  const std::string esc = utf8(U'\u2190');
  const std::string glyphs = esc + "[2J" + esc + "[31mX" + esc + "]0;T" + utf8(U'\u263A') +
                             utf8(U'\u263B') + utf8(U'\u2302') + utf8(U'\u2591');
  expect_log_line(vt, glyphs, 19);
  for (int column = 4; column <= 22; ++column) EXPECT_EQ(vt.foreground(13, column), kRed);
  press_key_and_expect_clean_exit();
}

// Names kept in the locale's OEM page (möwe.bas as 437's 0x94, привет.bas in
// 866) reach the tools as on disk: the Windows program gives cmd.exe characters.
TEST_F(BuildRun, BuildsASourceNamedInTheLocalesLetters) {
  for (const auto& [locale, stem] :
       {std::pair<std::string, std::string>{"C.UTF-8", "möwe"}, {"ru_RU.UTF-8", "привет"}}) {
    ASSERT_TRUE(tools::write_file(path(stem + ".bas"), "print \"Hello\"\r\n"));
    std::vector<std::string> answers = example_answers();
    answers[0] = stem + ".bas";
    const VtScreen& vt =
        run_to_result(answers, {"LOCPATH=" QB_TEST_LOCPATH, "LC_ALL=" + locale}).screen();
    expect_result_screen(vt, 10, kSuccess, kBlue);
    press_key_and_expect_clean_exit();
    EXPECT_TRUE(exists(stem + ".exe")) << locale;
  }
}

TEST_F(BuildRun, ExtraParametersReachTheCompilerAsWords) {
  const VtScreen& vt = run_to_result(example_answers("-s gui -x greet.exe")).screen();
  expect_result_screen(vt, 10, kSuccess, kBlue);
  press_key_and_expect_clean_exit();
  EXPECT_TRUE(exists("greet.exe"));
  EXPECT_FALSE(exists("hello.exe"));
  const std::string readobj = tools::find_program("llvm-readobj");
  if (!tools::can_link_executables() || readobj.empty() || under_wine()) {
    GTEST_SKIP() << "placeholder executable";
  }
  const std::string headers =
      tools::run_captured({readobj, "--file-headers", path("greet.exe")}).output;
  EXPECT_NE(headers.find("IMAGE_SUBSYSTEM_WINDOWS_GUI"), std::string::npos);
}

// The POSIX program with the Windows stand-ins as GORC.EXE and FBC.EXE:
// its command runner starts them through wine. Run with the label "wine",
// which names their folder in QB_E2E_WINDOWS_TOOLS.
// Whether the Windows stand-ins are at hand: under the label "wine", which
// names their folder, for this system's program; skips the test otherwise.
bool windows_tools_at_hand() {
  const char* tools = std::getenv("QB_E2E_WINDOWS_TOOLS");
  if (tools == nullptr || under_wine()) return false;
  const bool wine = !tools::find_program("wine").empty() || fs::exists("/usr/lib/wine/wine64");
  return wine && fs::exists(fs::path(tools) / "fbc_standin.exe");
}

class WindowsTools : public BuildRun {
 protected:
  void SetUp() override {
    if (!windows_tools_at_hand()) GTEST_SKIP() << "runs with the label wine";
    BuildRun::SetUp();
    use_windows_tools(folder_);
  }
  // The Windows stand-ins as GORC.EXE and FBC.EXE in `folder`.
  static void use_windows_tools(const fs::path& folder) {
    const fs::path dir = std::getenv("QB_E2E_WINDOWS_TOOLS");
    const auto replace = fs::copy_options::overwrite_existing;
    fs::copy_file(dir / "gorc_standin.exe", folder / "GORC.EXE", replace);
    fs::copy_file(dir / "fbc_standin.exe", folder / "FBC.EXE", replace);
  }
};

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
  expect_result_screen(vt, 4, kCompilerError, kRed);
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
  expect_result_screen(run_to_result(answers).screen(), 10, kSuccess, kBlue);
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
  const bool success = b.middle == &kSuccess;
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
        Boundary{"Fbc2", "QB_STANDIN_FBC_OUTPUT", 2, &kSuccess, false, false},
        Boundary{"Fbc3", "QB_STANDIN_FBC_OUTPUT", 3, &kCompilerError, true, true},
        Boundary{"Gorc124", "QB_STANDIN_GORC_OUTPUT", 124, &kResourceError, false, true},
        Boundary{"Gorc125", "QB_STANDIN_GORC_OUTPUT", 125, &kSuccess, false, false},
        Boundary{"Gorc135", "QB_STANDIN_GORC_OUTPUT", 135, &kSuccess, false, false},
        Boundary{"Gorc136", "QB_STANDIN_GORC_OUTPUT", 136, &kResourceError, false, true}),
    [](const ::testing::TestParamInfo<Boundary>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qb::test
