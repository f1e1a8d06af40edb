// The five command lines of a build, run one after the other through the
// command interpreter: the resource compiler with its log, the compiler with
// its log, and the deletion of the three temporary files. The lines are
// plain concatenations: no quoting, and the redirection follows the last
// argument without a space.
#include "build/tool_invocation.h"

#include "rcscript/text_conversions.h"

namespace qb {

int run_build_tools(Console& con, std::string_view script_name, const std::string& fbc_params,
                    const ProjectInfo& project) {
  const std::string base = base_name(script_name);
  const std::string source = trim_right(project.source_file.view());
  const std::string tail = fbc_params.empty() ? "" : " " + fbc_params;

  con.run_command("GORC.EXE " + base + ">GORC.LOG");
  const int compiler_status =
      con.run_command("FBC.EXE " + source + " -a " + base + ".OBJ" + tail + ">FBC.LOG");
  con.run_command("DEL " + std::string(script_name));
  con.run_command("DEL " + base + ".OBJ");
  con.run_command("DEL " + base + ".RES");
  return compiler_status;
}

}  // namespace qb
