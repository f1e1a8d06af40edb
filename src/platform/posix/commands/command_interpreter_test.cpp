// The command runner on real files: tiny shell-script stand-ins for the
// tools are written into a fresh directory that becomes the current one.
#include "platform/command.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/commands/command_interpreter.h"
#include "platform/posix/commands/program_run.h"
#include "platform/posix/signals/signals.h"
#include "support/scratch_folder.h"

namespace qb {
namespace {

namespace fs = std::filesystem;

// A tool that prints each of its arguments in brackets, one a line.
constexpr char kEcho[] = "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done";

// What a command wrote to the two output streams, and its status.
struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "bin");
    if (const char* path = std::getenv("PATH")) old_path_ = path;
    setenv("PATH", ((dir_ / "bin").string() + ":/usr/bin:/bin").c_str(), 1);
    unsetenv("WINE");
  }
  void TearDown() override {
    if (old_path_) setenv("PATH", old_path_->c_str(), 1);
  }
  // Writes an executable shell script `name` holding `body`.
  static void tool(const fs::path& name, const std::string& body) {
    std::ofstream(name) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(name, fs::perms::owner_all, fs::perm_options::add);
  }
  static void put(const fs::path& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  static std::string get(const fs::path& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Runs `line` with this process's standard output and error caught in files.
  Outcome run(const std::string& line) {
    const int saved_out = dup(STDOUT_FILENO);
    const int saved_err = dup(STDERR_FILENO);
    const int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    const int status = interpret_command_line(line, LocaleCharset{});
    dup2(saved_out, STDOUT_FILENO);
    dup2(saved_err, STDERR_FILENO);
    for (int fd : {saved_out, saved_err, out, err}) close(fd);
    Outcome result{status, get("stdout.txt"), get("stderr.txt")};
    fs::remove("stdout.txt");
    fs::remove("stderr.txt");
    return result;
  }
  const ScratchFolder folder_;  // the current directory meanwhile
  const fs::path& dir_ = folder_.path();
  std::optional<std::string> old_path_;
};

TEST_F(CommandTest, RedirectionCreatesOrEmptiesTheLog) {
  tool("GORC.EXE", kEcho);
  Outcome r = run("GORC.EXE RESFILE>GORC.LOG");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(get("GORC.LOG"), "[RESFILE]\n");
  EXPECT_EQ(r.out, "");

  put("GORC.LOG", std::string(500, 'x'));
  run("GORC.EXE  a\tb > GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "[a]\n[b]\n");

  run("GORC.EXE c>>GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "[a]\n[b]\n[c]\n");

  r = run("GORC.EXE d");  // no redirection: the output stays on standard output
  EXPECT_EQ(r.out, "[d]\n");
}

TEST_F(CommandTest, ArgumentsArriveAsTheInterpreterSplitsThem) {
  tool("FBC.EXE", kEcho);
  run("FBC.EXE my prog.bas -a RESFILE.OBJ>FBC.LOG");
  EXPECT_EQ(get("FBC.LOG"), "[my]\n[prog.bas]\n[-a]\n[RESFILE.OBJ]\n");

  run("FBC.EXE \"my prog.bas\" -a RESFILE.OBJ -x \"\">FBC.LOG");
  EXPECT_EQ(get("FBC.LOG"), "[my prog.bas]\n[-a]\n[RESFILE.OBJ]\n[-x]\n[]\n");

  LocaleCharset paired;  // a pair is one character, whatever its second byte (88 20 too),
  paired.oem = &code_page_numbered(932);  // and reaches the tool whole: ポ表.bas, and ? for none
  interpret_command_line("FBC.EXE \x83\x7C\x95\x5C.bas \x88 x>FBC.LOG", paired);
  EXPECT_EQ(get("FBC.LOG"), "[\xe3\x83\x9d\xe8\xa1\xa8.bas]\n[?x]\n");
}

TEST_F(CommandTest, ShellBytesInArgumentsRunNothing) {
  tool("FBC.EXE", kEcho);
  const Outcome r =
      run("FBC.EXE a;touch${IFS}p1 `touch p2` $(touch p3) & touch p4 | touch p5 -a "
          "RESFILE.OBJ>FBC.LOG");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(get("FBC.LOG"),
            "[a;touch${IFS}p1]\n[`touch]\n[p2`]\n[$(touch]\n[p3)]\n[&]\n[touch]\n[p4]\n[|]\n"
            "[touch]\n[p5]\n[-a]\n[RESFILE.OBJ]\n");
  for (const char* name : {"p1", "p2", "p3", "p4", "p5"}) EXPECT_FALSE(fs::exists(name)) << name;
}

TEST_F(CommandTest, ToolsAreFoundHereFirstThenOnThePathInAnyCase) {
  tool("bin/GORC.EXE", "echo path");
  tool("GORC.EXE", "echo here");
  run("GORC.EXE RESFILE>GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "here\n");

  fs::remove("GORC.EXE");
  run("GORC.EXE RESFILE>GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "path\n");

  tool("gorc.exe", "echo lower");
  run("GORC.EXE RESFILE>GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "lower\n");
  run("Gorc.Exe RESFILE>GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "lower\n");

  put("FBC.EXE", "not a program");  // a file that may not be run is passed over
  tool("bin/fbc.exe", "echo fbc");
  run("FBC.EXE x>FBC.LOG");
  EXPECT_EQ(get("FBC.LOG"), "fbc\n");
}

TEST_F(CommandTest, AMissingToolLeavesAnEmptyLogAndSaysSo) {
  put("FBC.LOG", "old output");
  const Outcome r = run("FBC.EXE hello.bas -a RESFILE.OBJ>FBC.LOG");
  EXPECT_EQ(r.status, 127);
  EXPECT_TRUE(fs::exists("FBC.LOG"));
  EXPECT_EQ(get("FBC.LOG"), "");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "'FBC.EXE' is not recognized as an internal or external command,\n"
            "operable program or batch file.\n");
}

// DEL finds its files as command_file_exists does, in any case, and says
// nothing of the ones it cannot find or remove.
TEST_F(CommandTest, DelRemovesFilesAndPassesOverMissingOnesInSilence) {
  put("RESFILE.RC", "script");
  Outcome r = run("DEL RESFILE.RC");
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(fs::exists("RESFILE.RC"));
  EXPECT_EQ(r.out + r.err, "");

  put("resfile.obj", "object");
  EXPECT_TRUE(command_file_exists("RESFILE.OBJ"));
  r = run("del RESFILE.OBJ");
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(fs::exists("resfile.obj"));
  EXPECT_FALSE(command_file_exists("RESFILE.OBJ"));

  r = run("DEL RESFILE.RES");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");

  put("m\xc3\xb6we.txt", "");  // the name typed in code page 437, on a UTF-8 system
  run("ERASE M\x94WE.TXT");
  EXPECT_FALSE(fs::exists("m\xc3\xb6we.txt"));

  fs::create_directory("RESFILE.RES");  // a folder is no file to delete
  EXPECT_EQ(run("DEL RESFILE.RES").status, 0);
  EXPECT_TRUE(fs::is_directory("RESFILE.RES"));
  r = run("DEL");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "The syntax of the command is incorrect.\n");
}

// A Windows program ("MZ"), executable or not, runs through wine with the
// same arguments and redirection, a 32-bit one through the 32-bit loader
// beside wine64; without a wine for it the log says why.
TEST_F(CommandTest, WindowsProgramsRunThroughWine) {
  put("FBC.EXE", std::string("MZ\x90\0", 4));
  tool("bin/wine", std::string("echo wine $WINEDEBUG\n") + kEcho);
  run("FBC.EXE m\x94we.bas -a RESFILE.OBJ>FBC.LOG");
  EXPECT_EQ(get("FBC.LOG"), "wine -all\n[" + (dir_ / "FBC.EXE").string() +
                                "]\n[m\xc3\xb6we.bas]\n[-a]\n[RESFILE.OBJ]\n");

  fs::create_directory("other");
  tool("other/wine64", "echo wine64 $WINELOADER");
  setenv("WINE", (dir_ / "other/wine64").c_str(), 1);
  run("FBC.EXE x>FBC.LOG");
  EXPECT_EQ(get("FBC.LOG"), "wine64 " + (dir_ / "other/wine64").string() + "\n");

  // A 32-bit program, which wine64 alone cannot start: its PE header at 64 names i386.
  put("GORC.EXE", "MZ" + std::string(58, '\0') + std::string("@\0\0\0PE\0\0\x4c\x01", 10));
  EXPECT_EQ(run("GORC.EXE RESFILE").err,
            "GORC.EXE is a 32-bit Windows program: wine32 is needed to run it.\n");
  tool("other/wine", "echo wine32 $WINELOADER");  // where Debian keeps wine32's loader
  run("GORC.EXE RESFILE>GORC.LOG");
  EXPECT_EQ(get("GORC.LOG"), "wine32 " + (dir_ / "other/wine").string() + "\n");
  // No PE signature, or another machine: not a 32-bit program.
  for (const std::string& header :
       {std::string("XE\0\0\x4c\x01", 6), std::string("PE\0\0\x64\x01", 6)}) {
    put("GORC.EXE", "MZ" + std::string(58, '\0') + std::string("@\0\0\0", 4) + header);
    run("GORC.EXE RESFILE>GORC.LOG");
    EXPECT_EQ(get("GORC.LOG"), "wine64 " + (dir_ / "other/wine64").string() + "\n");
  }

  setenv("WINE", "no-such-wine", 1);
  const std::string line =
      "FBC.EXE is a Windows program: wine is needed to run it and was not found.\n";
  EXPECT_EQ(run("FBC.EXE x>FBC.LOG").status, 126);
  EXPECT_EQ(get("FBC.LOG"), line);
  EXPECT_EQ(run("FBC.EXE x").err, line);
}

// The scripts find the wine the program finds (scripts/find-wine.sh), as
// WINE names it or on PATH; wine's environment takes what is not set.
TEST_F(CommandTest, WineIsFoundAsTheScriptsFindItAndGetsItsSettings) {
  fs::create_directory("other");
  tool("other/wine64", "");
  for (const char* wine : {"", "wine", "no-such-wine", "other/wine64"}) {
    setenv("WINE", wine, 1);
    if (*wine == 0) tool("bin/wine", "");
    std::string script(512, '\0');  // its line, the same file however spelled
    FILE* found = popen(QB_SCRIPTS_DIR "/find-wine.sh", "r");
    script.resize(std::fread(script.data(), 1, script.size(), found));
    pclose(found);
    const fs::path by_script =
        script.empty() ? "" : fs::absolute(script.substr(0, script.size() - 1));
    EXPECT_EQ(find_wine().value_or(""), by_script) << wine;
  }
  const char* const set[] = {"WINEDEBUG=+relay", "WINELOADER=/l", "WINEDEBUGGER=x", nullptr};
  EXPECT_EQ(wine_environment(set, fs::path("/w")), std::vector<std::string>(set, set + 3));
  EXPECT_EQ(wine_environment(set + 2, fs::path("/w")),
            (std::vector<std::string>{"WINEDEBUGGER=x", "WINEDEBUG=-all", "WINELOADER=/w"}));
  EXPECT_EQ(wine_environment(set + 3, std::nullopt), std::vector<std::string>{"WINEDEBUG=-all"});
}

TEST_F(CommandTest, TheChildsStatusIsReturned) {
  tool("GORC.EXE", "exit 3");
  EXPECT_EQ(run("GORC.EXE RESFILE>GORC.LOG").status, 3);
  tool("GORC.EXE", "kill -TERM $$");
  EXPECT_EQ(run("GORC.EXE").status, 128 + SIGTERM);

  // Ctrl+C reaches the child at its default even when this program ignores it.
  tool("GORC.EXE", "kill -INT $$; exit 0");
  const auto old = std::signal(SIGINT, SIG_IGN);
  EXPECT_EQ(run("GORC.EXE").status, 128 + SIGINT);
  std::signal(SIGINT, old);
}

// With the program's handlers in place, a terminate signal during a
// command that would run for minutes ends the wait at once and ends the
// command too.
TEST_F(CommandTest, AnEndingSignalStopsTheWaitAndReachesTheCommand) {
  tool("GORC.EXE", "echo $$ > tool.pid\nexec sleep 600");
  const int wake = install_signal_handlers();
  const pthread_t runner = pthread_self();
  std::thread signaller([runner] {
    while (!fs::exists("tool.pid") || get("tool.pid").find('\n') == std::string::npos) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pthread_kill(runner, SIGTERM);
  });
  const int status = interpret_command_line("GORC.EXE", LocaleCharset{});
  signaller.join();
  EXPECT_EQ(status, 128 + SIGTERM);
  EXPECT_EQ(take_signals(), signal_bit(SIGTERM));
  const pid_t tool_pid = std::stoi(get("tool.pid"));
  int wait_status = 0;
  ASSERT_EQ(waitpid(tool_pid, &wait_status, 0), tool_pid);
  EXPECT_TRUE(WIFSIGNALED(wait_status));
  EXPECT_EQ(WTERMSIG(wait_status), SIGTERM);
  close(wake);
}

TEST_F(CommandTest, EmptyLinesAndBadRedirections) {
  EXPECT_EQ(interpret_command_line("", LocaleCharset{}), -1);
  EXPECT_EQ(run("  \t").status, 0);

  tool("GORC.EXE", "touch ran");
  Outcome r = run("GORC.EXE >");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "The syntax of the command is incorrect.\n");
  r = run("GORC.EXE >no/such/dir/GORC.LOG");  // the program tells of its own logs
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(fs::exists("ran"));
}

}  // namespace
}  // namespace qb
