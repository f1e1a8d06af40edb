// The whole runs' harness: a scratch folder holding a source, two icons
// and the stand-in tools as GORC.EXE and FBC.EXE, the program started there
// in a pseudo-terminal with the answers typed, and the checks of the result
// screen; and the same with the Windows stand-ins, which this system's
// program runs through wine.
#ifndef QB_TESTS_E2E_BUILD_RUN_H
#define QB_TESTS_E2E_BUILD_RUN_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host.h"
#include "platform/posix/commands/program_run.h"
#include "program_screens.h"
#include "standin_io.h"
#include "support/demo_icons.h"
#include "support/result_boxes.h"
#include "support/scratch_folder.h"
#include "toolchain.h"

namespace qb::test {

namespace fs = std::filesystem;

inline constexpr int kRed = 1;  // console colour 4 is the terminal's palette index 1

// The worked example's answers, with `icon` as the first icon and `params`
// as the extra compiler parameters.
inline std::vector<std::string> example_answers(const std::string& params = "",
                                                const std::string& icon = "app.ico") {
  std::vector<std::string> answers = with_params(kWorkedExampleAnswers, params);
  answers[kFirstIconAnswer] = icon;
  return answers;
}

// A description typed in a language beyond ASCII, with an icon named in it,
// and where given the description's bytes as the resource script holds them.
struct Typed {
  const char* locale;
  const char* description;
  const char* icon;
  const char* script_bytes = nullptr;
  const char* code_page = nullptr;  // QB_CODE_PAGE, where one is chosen
};

// Names the case in test listings by its language.
inline void PrintTo(const Typed& typed, std::ostream* out) {
  *out << typed.locale;
}

// llvm-rc, llvm-cvtres, lld-link and llvm-readobj, which make and read a
// real executable; "" when one of them is missing.
inline std::string llvm_readobj() {
  const bool tools = tools::can_compile_resources() && tools::can_link_executables();
  return tools ? tools::find_program("llvm-readobj") : "";
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
    EXPECT_TRUE(session_->wait_until(result_shown)) << "no result screen";
    return *session_;
  }

  // Builds the worked example in `typed`'s locale, with its description and
  // first icon, and `env`: the script carries the description's bytes, if
  // given, and the executable the description as typed and the icon
  // (language_e2e_test.cpp).
  void expect_built_as_typed(const Typed& typed, std::vector<std::string> env);

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
inline void expect_result_screen(const VtScreen& vt, int first_row, const std::string& middle,
                                 int background) {
  const std::string lines[] = {kBoxTop, kBoxBlank, middle, kBoxBlank, kBoxBottom};
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
inline void expect_log_line(const VtScreen& vt, const std::string& text, int length) {
  EXPECT_EQ(vt.text_at(13, 4, length), text);
  EXPECT_EQ(vt.foreground(13, 4), kRed);
  EXPECT_EQ(vt.background(13, 4), kLightGrey);
}

// Whether the Windows stand-ins are at hand, and a wine that the program
// would run them with: under the label "wine", which names their folder in
// QB_E2E_WINDOWS_TOOLS, for this system's program.
inline bool windows_tools_at_hand() {
  const char* tools = std::getenv("QB_E2E_WINDOWS_TOOLS");
  if (tools == nullptr || under_wine()) return false;
  return find_wine().has_value() && fs::exists(fs::path(tools) / "fbc_standin.exe");
}

// The POSIX program with the Windows stand-ins as GORC.EXE and FBC.EXE:
// its command runner starts them through wine; skipped without them.
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

}  // namespace qb::test

#endif  // QB_TESTS_E2E_BUILD_RUN_H
