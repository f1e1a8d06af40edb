// The five command lines of a build, character for character, and the
// status that run_build_tools hands back.
#include "build/tool_invocation.h"

#include <gtest/gtest.h>

#include "platform/memory_backend.h"

namespace qb {
namespace {

// The command lines run for `source` and `params`.
std::vector<std::string> commands_for(std::string_view source, const std::string& params) {
  MemoryBackend backend;
  Console con(backend);
  ProjectInfo project;
  project.source_file.store(source);
  run_build_tools(con, "RESFILE.RC", params, project);
  EXPECT_EQ(project.source_file.view(), source);  // the record keeps what was typed
  return backend.commands;
}

TEST(RunBuildTools, RunsTheFiveLinesInOrderWithoutQuoting) {
  EXPECT_EQ(commands_for("hello.bas", ""),
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
  for (const auto& c : cases) EXPECT_EQ(commands_for(c.source, c.params).at(1), c.line) << c.source;
}

TEST(RunBuildTools, ReturnsTheCompilerLinesStatusAndRunsEveryLineWhateverFails) {
  MemoryBackend backend;
  Console con(backend);
  ProjectInfo project;
  project.source_file.store("hello.bas");
  backend.on_command = [](std::string_view line) { return line.starts_with("FBC.EXE") ? 127 : 9; };
  EXPECT_EQ(run_build_tools(con, "RESFILE.RC", "", project), 127);
  EXPECT_EQ(backend.commands.size(), 5u);

  backend.on_command = [](std::string_view line) { return line.starts_with("FBC.EXE") ? 0 : 1; };
  EXPECT_EQ(run_build_tools(con, "RESFILE.RC", "", project), 0);
}

}  // namespace
}  // namespace qb
