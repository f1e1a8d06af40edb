// The five command lines of a build, character for character, and what
// run_build_tools notes of them: each tool line's status and the object file.
#include "build/tool_invocation.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/memory/memory_backend.h"
#include "support/scratch_folder.h"
#include "support/worked_example_script.h"

namespace qb {
namespace {

// Runs the build for `source` and `params` in a scratch folder, its command
// lines answered by `on_command`; returns the lines and leaves `state` as noted.
std::vector<std::string> commands_for(std::string_view source, const std::string& params,
                                      ProgramState& state,
                                      std::function<int(std::string_view)> on_command = {}) {
  const ScratchFolder folder;
  MemoryBackend backend;
  backend.on_command = std::move(on_command);
  Platform platform(backend);
  state.project.source_file.store(source);
  state.fbc_params = params;
  run_build_tools(platform, "RESFILE.RC", state);
  EXPECT_EQ(state.project.source_file.view(), source);  // the record keeps what was typed
  return backend.commands;
}

TEST(RunBuildTools, RunsTheFiveLinesInOrderWithoutQuoting) {
  ProgramState state;
  EXPECT_EQ(commands_for("hello.bas", "", state),
            std::vector<std::string>(test::kWorkedExampleCommands.begin(),
                                     test::kWorkedExampleCommands.end()));
  EXPECT_FALSE(state.object_file_made);  // nothing answered the resource compiler's line
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
    ProgramState state;
    EXPECT_EQ(commands_for(c.source, c.params, state).at(1), c.line) << c.source;
  }
}

TEST(RunBuildTools, NotesEachToolLinesStatusAndTheObjectFileAndRunsEveryLine) {
  ProgramState state;
  const auto tools = [](std::string_view line) {
    if (line.starts_with("GORC.EXE")) ScratchFolder::write("resfile.obj", "");
    return line.starts_with("FBC.EXE") ? 127 : 9;
  };
  EXPECT_EQ(commands_for("hello.bas", "", state, tools).size(), 5u);
  EXPECT_EQ(state.resource_status, 9);
  EXPECT_EQ(state.compiler_status, 127);
  EXPECT_TRUE(state.object_file_made);  // found whatever the case of its name
}

}  // namespace
}  // namespace qb
