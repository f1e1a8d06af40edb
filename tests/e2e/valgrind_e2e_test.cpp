// Whole sessions under valgrind's memcheck: the splash, two resizes, the
// form, a build with the stand-in tools, the result screen and the key that
// ends it, once ending on the success box and once on a failure box that
// shows its log.
// Any memory error, or any block lost for good, makes valgrind end the
// program with status 99 instead of 0. The program must be built without
// sanitizers (make valgrind does so).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "work_folder.h"

namespace qb::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

constexpr int kErrorStatus = 99;

class ValgrindSession : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto valgrind = find_program("valgrind");
    if (!valgrind) GTEST_SKIP() << "valgrind is not installed";
    valgrind_ = valgrind->string();
    folder_.add_standins(QB_GORC_STANDIN, QB_FBC_STANDIN);
    log_ = (folder_.work().parent_path() / "memcheck.log").string();
  }

  // Runs one session to its result screen with `env`, checks the box's
  // middle line, presses a key and expects a clean exit from memcheck with
  // the outcome's status.
  void run_session(const std::vector<std::string>& env, const std::string& middle, int middle_row) {
    PtyOptions options = folder_.options(QB_PROGRAM, env);
    options.prefix = {valgrind_,
                      "--quiet",
                      "--leak-check=full",
                      "--errors-for-leak-kinds=definite,indirect",
                      "--error-exitcode=" + std::to_string(kErrorStatus),
                      "--log-file=" + log_};
    PtySession session(options);
    ASSERT_TRUE(session.wait_until(title_shown, seconds(60)));
    session.resize(100, 30);  // a repaint at another size, and back
    session.resize(80, 25);
    type_answers(session, run_answers());
    ASSERT_TRUE(session.wait_until(result_shown, seconds(120)));
    EXPECT_EQ(session.screen().text_at(middle_row, 22, 34), middle);
    const int expected = expected_status(session.screen());
    session.send("q");
    const auto status = session.wait_exit(seconds(60));
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_TRUE(status->exited);
    EXPECT_NE(status->code, kErrorStatus) << folder_.get("../memcheck.log");
    EXPECT_EQ(status->code, expected);
    EXPECT_EQ(session.modes_now(), session.modes_before());
  }

  WorkFolder folder_;
  std::string valgrind_;
  std::string log_;
};

TEST_F(ValgrindSession, WholeRunsHaveNoMemoryErrorAndLeakNothing) {
  {
    SCOPED_TRACE("success");
    run_session({}, kSuccessMiddle, 12);
  }
  {
    SCOPED_TRACE("compiler failure with its log");
    folder_.put("fbc.out", "first line of the log\r\nsecond line\r\n");
    run_session({"QB_STANDIN_FBC_OUTPUT=" + folder_.path("fbc.out")}, kCompilerErrorMiddle, 6);
  }
}

}  // namespace
}  // namespace qb::test
