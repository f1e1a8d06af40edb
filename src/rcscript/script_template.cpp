// The fixed lines of the resource script: the VERSIONINFO line (15 bytes),
// the head of the string table (83 bytes) and the tail of the version block
// down to its last brace (79 bytes).
#include "rcscript/script_template.h"

#include <initializer_list>
#include <string_view>

namespace qb {

namespace {

// The lines joined, each followed by CR LF.
std::string crlf_lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace

ScriptTemplate build_script_template() {
  ScriptTemplate script;
  script.versioninfo_head = crlf_lines({"1 VERSIONINFO"});
  script.string_table_head =
      crlf_lines({"FILEOS 0x10001", "FILETYPE 0x1", "{", "BLOCK \"StringFileInfo\"", "{",
                  "\tBLOCK \"040904b4\"", "\t{"});
  script.version_block_tail = crlf_lines({"\t}", "}", "", "BLOCK \"VarFileInfo\"", "", "", "{",
                                          "VALUE \"Translation\", 0x0409 0x04B4", "}", "}"});
  return script;
}

}  // namespace qb
