// The five command lines of a build, character for character, and what the
// build met as run_build_tools notes it: each line's status, the object
// file left or not, and the logs that could not be created.
#include "build/tool_invocation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/memory_backend.h"
#include "support/scratch_folder.h"

namespace qb {
namespace {

// A build in a scratch folder, its commands answered by `on_command`.
struct ToolRun {
  ScratchFolder folder;
  MemoryBackend backend;
  Platform platform{backend};
  ProgramState state;

  // Runs the build for `source` and `params` and returns its command lines.
  std::vector<std::string> commands_for(std::string_view source, const std::string& params) {
    state.project.source_file.store(source);
    state.fbc_params = params;
    run_build_tools(platform, "RESFILE.RC", state);
    EXPECT_EQ(state.project.source_file.view(), source);  // the record keeps what was typed
    return backend.commands;
  }
};

TEST(RunBuildTools, RunsTheFiveLinesInOrderWithoutQuoting) {
  EXPECT_EQ(ToolRun().commands_for("hello.bas", ""),
            (std::vector<std::string>{"GORC.EXE RESFILE>GORC.LOG",
                                      "FBC.EXE hello.bas -a RESFILE.OBJ>FBC.LOG", "DEL RESFILE.RC",
                                      "DEL RESFILE.OBJ", "DEL RESFILE.RES"}));
}

TEST(RunBuildTools, FormsTheCompilerLineFromSourceAndParameters) {
  const struct {
    const char* source;
    const char* params;
    const char* line;
  } cases[] = {
      {"prog.bas", "-s gui -x my app.exe",
       "FBC.EXE prog.bas -a RESFILE.OBJ -s gui -x my app.exe>FBC.LOG"},
      {"prog.bas", "   ", "FBC.EXE prog.bas -a RESFILE.OBJ    >FBC.LOG"},
      {"prog.bas", "-g ", "FBC.EXE prog.bas -a RESFILE.OBJ -g >FBC.LOG"},
      {"prog.bas   ", "", "FBC.EXE prog.bas -a RESFILE.OBJ>FBC.LOG"},
      {"  my prog.bas ", "", "FBC.EXE   my prog.bas -a RESFILE.OBJ>FBC.LOG"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToolRun().commands_for(c.source, c.params).at(1), c.line) << c.source;
  }
}

// Every line runs whatever the ones before met; each tool line's status,
// and whether the resource compiler's line left RESFILE.OBJ, is noted.
TEST(RunBuildTools, NotesEachToolsStatusAndTheObjectFile) {
  for (const bool object_made : {false, true}) {
    ToolRun run;
    run.backend.on_command = [object_made](std::string_view line) {
      if (line.starts_with("GORC.EXE") && object_made) ScratchFolder::write("resfile.obj", "");
      return line.starts_with("FBC.EXE") ? 127 : 9;
    };
    EXPECT_EQ(run.commands_for("hello.bas", "").size(), 5u);
    EXPECT_EQ(run.state.resource_status, 9);
    EXPECT_EQ(run.state.compiler_status, 127);
    EXPECT_EQ(run.state.object_file_made, object_made);
    EXPECT_EQ(run.state.resource_log_failure, "");
    EXPECT_EQ(run.state.compiler_log_failure, "");
  }
}

// A log that cannot be created is noted with the system's words; the lines
// still run, as the interpreter would be left to refuse them.
TEST(RunBuildTools, NotesALogThatCannotBeCreated) {
  for (const char* log : {"GORC.LOG", "FBC.LOG"}) {
    ToolRun run;
    std::filesystem::create_directory(log);
    EXPECT_EQ(run.commands_for("hello.bas", "").size(), 5u);
    const bool resource = log == std::string("GORC.LOG");
    EXPECT_NE((resource ? run.state.resource_log_failure : run.state.compiler_log_failure), "");
    EXPECT_EQ((resource ? run.state.compiler_log_failure : run.state.resource_log_failure), "");
    EXPECT_TRUE(ScratchFolder::exists(resource ? "FBC.LOG" : "GORC.LOG"));  // created empty
  }
}

}  // namespace
}  // namespace qb
