// The five command lines of a build, run one after the other through the
// command interpreter: the resource compiler with its log, the compiler with
// its log, and the deletion of the three temporary files. The lines are
// plain concatenations: no quoting, and the redirection follows the last
// argument without a space. Every line runs whatever the one before met;
// what each met is noted for the outcome phase. Each log is created here
// first, as its redirection would create it, so that a log that cannot be
// created is known with the system's words for why. The source's name is
// trimmed in whole characters of the console's code page.
#include "build/tool_invocation.h"

#include <string>

#include "build/tool_logs.h"
#include "platform/command.h"
#include "rcscript/text_conversions.h"

namespace qb {

namespace {

// Creates the log `name` empty; "" when it could, else the system's words.
std::string create_log(FileTable& files, std::string_view name) {
  const int number = files.free_file_number();
  if (!files.open_file(name, FileMode::kOutput, number)) return files.failure();
  files.close_file(number);
  return "";
}

}  // namespace

void run_build_tools(Platform& platform, std::string_view script_name, ProgramState& state) {
  Console& con = platform.console;
  const CodePage& page = con.text_page();
  const std::string base = base_name(script_name, page);
  const std::string source = trim_right(state.project.source_file.view(), page);
  const std::string tail = state.fbc_params.empty() ? "" : " " + state.fbc_params;

  const std::string resource_log(kResourceLog);
  const std::string compiler_log(kCompilerLog);
  state.resource_log_failure = create_log(platform.files, resource_log);
  state.resource_status =
      con.run_command(std::string(kResourceCompiler) + " " + base + ">" + resource_log);
  state.object_file_made = command_file_exists(base + ".OBJ");
  state.compiler_log_failure = create_log(platform.files, compiler_log);
  state.compiler_status = con.run_command(std::string(kCompiler) + " " + source + " -a " + base +
                                          ".OBJ" + tail + ">" + compiler_log);
  con.run_command("DEL " + std::string(script_name));
  con.run_command("DEL " + base + ".OBJ");
  con.run_command("DEL " + base + ".RES");
}

}  // namespace qb
