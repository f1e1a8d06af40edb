// The resource compiler stand-in's own reading of a resource script: the
// ICON statements and the VERSIONINFO block, enough to check the script's
// shape when no real resource compiler is at hand.
#ifndef QB_TOOLS_RC_SHAPE_H
#define QB_TOOLS_RC_SHAPE_H

#include <string>
#include <string_view>
#include <vector>

namespace qb::tools {

struct ScriptShape {
  std::vector<std::string> icon_files;  // in the order of the ICON statements
  bool has_version_info = false;
  std::string problem;  // empty when the shape is sound, else the first fault
};

// Reads the script's statements line by line (CR LF or LF line ends).
ScriptShape read_script_shape(std::string_view script);

// The script with the file of its ICON statement number i (from 0) put in
// double quotes as `files`[i] where that is not plain ASCII; every other
// line as it is.
std::string with_icon_files(std::string_view script, const std::vector<std::string>& files);

}  // namespace qb::tools

#endif  // QB_TOOLS_RC_SHAPE_H
