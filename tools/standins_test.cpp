// The stand-in tools run as the program runs them: in a folder holding the
// script, the icons and the source, with their output captured as a log.
// Where llvm-rc, llvm-cvtres and lld-link are installed the result is a real
// Windows executable, read back with llvm-readobj; tests that need those
// tools skip without them.
#include <gtest/gtest.h>

#include <filesystem>

#include "build/tool_logs.h"
#include "host.h"
#include "readobj_listing.h"
#include "standin_io.h"
#include "support/demo_icons.h"
#include "support/scratch_folder.h"
#include "support/worked_example_script.h"
#include "toolchain.h"

namespace qb::tools {
namespace {

namespace fs = std::filesystem;

// The worked example's script up to its version block: its two icon lines.
const std::string kIcons = [] {
  const std::string script = test::kWorkedExampleScript;
  return script.substr(0, script.find("1 VERSIONINFO"));
}();

// The worked example's script after its icon lines, with `file_version` as
// its FILEVERSION.
std::string script_body(const std::string& file_version = "1,2,3,0") {
  std::string body = test::kWorkedExampleScript;
  body.erase(0, kIcons.size());
  const std::size_t at = body.find("FILEVERSION ") + std::string_view("FILEVERSION ").size();
  return body.replace(at, body.find('\r', at) - at, file_version);
}

bool in_success_range(std::size_t length) {
  return length >= static_cast<std::size_t>(kResourceLogMin) &&
         length <= static_cast<std::size_t>(kResourceLogMax);
}

// A scratch folder with the demo icons and hello.bas, made current meanwhile.
class StandinFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    copy_demo_icons(".");
    ASSERT_TRUE(write_file("hello.bas", "print \"Hello\"\r\n"));
  }

  // Runs a tool with `env` settings (NAME=VALUE, given to env(1)) before its arguments.
  static RunResult run_tool(const char* tool, std::vector<std::string> args,
                            std::vector<std::string> env = {}) {
    std::vector<std::string> argv = {"/usr/bin/env"};
    argv.insert(argv.end(), env.begin(), env.end());
    argv.push_back(tool);
    argv.insert(argv.end(), args.begin(), args.end());
    return run_captured(argv);
  }
  static RunResult gorc(std::vector<std::string> env = {}) {
    return run_tool(QB_GORC_STANDIN, {"RESFILE"}, std::move(env));
  }
  static RunResult fbc(std::vector<std::string> args, std::vector<std::string> env = {}) {
    return run_tool(QB_FBC_STANDIN, std::move(args), std::move(env));
  }

  const ScratchFolder folder_;  // the current directory meanwhile
};

TEST_F(StandinFolder, WorkedExampleBecomesAWindowsExecutableWithIconsAndVersion) {
  const std::string readobj = find_program("llvm-readobj");
  if (!can_compile_resources() || !can_link_executables() || readobj.empty()) {
    GTEST_SKIP() << "llvm-rc, llvm-cvtres, lld-link or llvm-readobj missing";
  }
  ASSERT_TRUE(write_file("RESFILE.RC", kIcons + script_body()));
  const RunResult compiled = gorc();
  EXPECT_EQ(compiled.status, 0) << compiled.output;
  EXPECT_TRUE(in_success_range(compiled.output.size())) << compiled.output;
  const std::string object = read_file("RESFILE.OBJ").value_or("");
  ASSERT_GE(object.size(), 20u);
  EXPECT_EQ(object.substr(0, 2), "\x64\x86");  // x64 COFF machine number

  const RunResult linked = fbc({"hello.bas", "-a", "RESFILE.OBJ"});
  EXPECT_EQ(linked.status, 0);
  EXPECT_EQ(linked.output, "");
  ASSERT_TRUE(file_exists("hello.exe"));
  EXPECT_EQ(read_file("hello.exe")->substr(0, 2), "MZ");

  const std::string listing = run_captured({readobj, "--coff-resources", "hello.exe"}).output;
  EXPECT_NE(listing.find("Type: ICON (ID 3)"), std::string::npos);
  EXPECT_NE(listing.find("Type: GROUP_ICON (ID 14)"), std::string::npos);
  EXPECT_NE(listing.find("Name: (ID 100)"), std::string::npos);
  EXPECT_NE(listing.find("Name: (ID 101)"), std::string::npos);
  const std::string version = utf8_of_utf16(dumped_bytes(listing, "Type: VERSIONINFO"));
  for (const char* text :
       {"Greeting demo", "2024 Sample Team", "Sample Team", "First release", "1.23", "hello.exe"}) {
    EXPECT_NE(version.find(text), std::string::npos) << text;
  }

  // In KOI8-R an icon named значок in the script's 1251 is the file of that
  // name in KOI8-R.
  fs::rename("app.ico", "\xDA\xCE\xC1\xDE\xCF\xCB.ico");
  ASSERT_TRUE(write_file("RESFILE.RC",
                         "100 ICON \xE7\xED\xE0\xF7\xEE\xEA.ico\r\n\r\n\r\n\r\n" + script_body()));
  const RunResult koi8 = gorc({"LOCPATH=" QB_TEST_LOCPATH, "LC_ALL=ru_RU.KOI8-R"});
  EXPECT_EQ(koi8.status, 0) << koi8.output;
}

// A script that opens with the UTF-8 byte-order mark is read as UTF-8 in
// any locale (in C's ANSI page, 1252, its bytes would be other letters):
// its strings reach the executable as typed, 😀 as the surrogate pair
// D83D DE00.
TEST_F(StandinFolder, AScriptMarkedAsUtf8KeepsItsTextAsTyped) {
  const std::string readobj = find_program("llvm-readobj");
  if (!can_compile_resources() || !can_link_executables() || readobj.empty()) {
    GTEST_SKIP() << "llvm-rc, llvm-cvtres, lld-link or llvm-readobj missing";
  }
  std::string body = script_body();
  body.replace(body.find("Greeting demo"), 13, "Привет «мир» © € 😀 日本語");
  ASSERT_TRUE(write_file("RESFILE.RC", "\xEF\xBB\xBF" + kIcons + body));
  const RunResult compiled = gorc({"LC_ALL=C"});
  ASSERT_EQ(compiled.status, 0) << compiled.output;
  ASSERT_EQ(fbc({"hello.bas", "-a", "RESFILE.OBJ"}).status, 0);
  const std::string listing = run_captured({readobj, "--coff-resources", "hello.exe"}).output;
  EXPECT_NE(
      dumped_bytes(listing, "Type: VERSIONINFO").find(utf16le_bytes(u"Привет «мир» © € 😀 日本語")),
      std::string::npos);
}

TEST_F(StandinFolder, WithoutTheLlvmToolsPlaceholdersAreMade) {
  ASSERT_TRUE(write_file("RESFILE.RC", kIcons + script_body()));
  const RunResult compiled = gorc({"PATH=/nonexistent"});
  EXPECT_EQ(compiled.status, 0);
  EXPECT_TRUE(in_success_range(compiled.output.size()));
  EXPECT_TRUE(file_exists("RESFILE.OBJ"));
  const RunResult linked =
      fbc({"hello.bas", "-a", "RESFILE.OBJ", "-s", "gui", "-x", "greet.exe", "-g", "-O", "2"},
          {"PATH=/nonexistent"});
  EXPECT_EQ(linked.status, 0);
  EXPECT_EQ(linked.output, "");
  EXPECT_TRUE(file_exists("greet.exe"));
}

TEST_F(StandinFolder, ResourceErrorsAreReportedWithALengthOutsideTheSuccessRange) {
  // No script at all.
  RunResult result = gorc();
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.output, "GORC.EXE error: cannot open resource script RESFILE.RC\r\n");

  ASSERT_TRUE(write_file("RESFILE.RC", "100 ICON none.ico\r\n\r\n\r\n\r\n" + script_body()));
  result = gorc();
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.output, "GORC.EXE error: cannot open icon file none.ico\r\n");
  EXPECT_FALSE(file_exists("RESFILE.OBJ"));

  // A byte that the locale's ANSI page lacks (0xD2 in Greek, 1253) is named
  // by its line.
  ASSERT_TRUE(write_file("RESFILE.RC", "100 ICON app.ico\r\n\xD2\r\n\r\n\r\n" + script_body()));
  result = gorc({"LC_ALL=el_GR.UTF-8"});
  EXPECT_EQ(result.output, "GORC.EXE error: RESFILE.RC, line 2: not text in code page 1253\r\n");
  // Behind the UTF-8 mark a line must be UTF-8: é in 1252 (C's page) is not.
  ASSERT_TRUE(write_file("RESFILE.RC",
                         "\xEF\xBB\xBF"
                         "100 ICON app.ico\r\nCaf\xE9\r\n\r\n\r\n" +
                             script_body()));
  result = gorc({"LC_ALL=C"});
  EXPECT_EQ(result.output, "GORC.EXE error: RESFILE.RC, line 2: not text in code page 65001\r\n");

  ASSERT_TRUE(write_file("bad.ico", "BM not an icon at all"));
  ASSERT_TRUE(write_file("RESFILE.RC", "100 ICON bad.ico\r\n\r\n\r\n\r\n" + script_body()));
  result = gorc({"PATH=/nonexistent"});
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.output, "GORC.EXE error: bad.ico: not an icon file\r\n");

  // A message that would be 130 bytes long is padded out of the range.
  const std::string long_name(90, 'x');
  ASSERT_TRUE(
      write_file("RESFILE.RC", "100 ICON " + long_name + "\r\n\r\n\r\n\r\n" + script_body()));
  result = gorc();
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.output.size(), 136u);
  EXPECT_EQ(result.output.substr(result.output.size() - 2), "\r\n");
}

TEST_F(StandinFolder, ResourceCompilerMessagesArePassedOn) {
  if (!can_compile_resources()) GTEST_SKIP() << "llvm-rc or llvm-cvtres missing";
  // A version answer of blanks leaves "FILEVERSION ,0", which llvm-rc refuses.
  ASSERT_TRUE(write_file("RESFILE.RC", kIcons + script_body(",0")));
  const RunResult result = gorc();
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.output.rfind("GORC.EXE error: llvm-rc failed", 0), 0u) << result.output;
  EXPECT_NE(result.output.find("llvm-rc: Error"), std::string::npos) << result.output;
  EXPECT_FALSE(in_success_range(result.output.size()));
}

TEST_F(StandinFolder, CompilerErrorsArePrintedAndFail) {
  ASSERT_TRUE(write_file("RESFILE.OBJ", "placeholder"));
  const struct {
    std::vector<std::string> args;
    const char* output;
  } cases[] = {
      {{"missing.bas", "-a", "RESFILE.OBJ"},
       "FBC.EXE error: cannot open source file missing.bas\r\n"},
      {{"my", "prog.bas", "-a", "RESFILE.OBJ"}, "FBC.EXE error: cannot open source file my\r\n"},
      {{"hello.bas", "-a", "NONE.OBJ"}, "FBC.EXE error: cannot open object file NONE.OBJ\r\n"},
      {{"hello.bas", "-a", "RESFILE.OBJ", "-w"}, "FBC.EXE error: unknown option -w\r\n"},
      {{}, "FBC.EXE error: no source file given\r\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = fbc(c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, c.output);
  }
  EXPECT_FALSE(file_exists("hello.exe"));
}

TEST_F(StandinFolder, HooksReplaceTheOutputAndTheExitStatus) {
  ASSERT_TRUE(write_file("RESFILE.RC", kIcons + script_body()));
  ASSERT_TRUE(write_file("log124", std::string(122, 'g') + "\r\n"));
  RunResult result = gorc({"QB_STANDIN_GORC_OUTPUT=log124", "QB_STANDIN_GORC_STATUS=4"});
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.output, std::string(122, 'g') + "\r\n");
  EXPECT_TRUE(file_exists("RESFILE.OBJ"));

  ASSERT_TRUE(write_file("log3", "ok\n"));
  result = fbc({"hello.bas", "-a", "RESFILE.OBJ"}, {"QB_STANDIN_FBC_OUTPUT=log3"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "ok\n");
  result = fbc({"hello.bas", "-a", "RESFILE.OBJ"}, {"QB_STANDIN_FBC_STATUS=3"});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.output, "");
}

}  // namespace
}  // namespace qb::tools
