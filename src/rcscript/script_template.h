// The three fixed texts of the resource script, composed once at start-up
// and written whole by the script writer.
#ifndef QB_RCSCRIPT_SCRIPT_TEMPLATE_H
#define QB_RCSCRIPT_SCRIPT_TEMPLATE_H

#include <string>

namespace qb {

struct ScriptTemplate {
  std::string versioninfo_head;    // the VERSIONINFO line
  std::string string_table_head;   // FILEOS to the string block's opening brace
  std::string version_block_tail;  // the string block's closing brace to the end
};

// Composes the three fixed texts, every line ended by CR LF.
ScriptTemplate build_script_template();

}  // namespace qb

#endif  // QB_RCSCRIPT_SCRIPT_TEMPLATE_H
