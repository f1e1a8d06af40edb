// The two tools and their logs: the names the command lines run them and
// redirect their output by, and the lengths that tell a tool's success. A
// resource compiler that succeeded prints a banner of kResourceLogMin to
// kResourceLogMax bytes into its log, a compiler that succeeded at most
// kCompilerLogLimit bytes into its own. The judgement of a build reads the
// logs by them, and the stand-in tools write their logs to them.
#ifndef QB_BUILD_TOOL_LOGS_H
#define QB_BUILD_TOOL_LOGS_H

#include <cstdint>
#include <string_view>

namespace qb {

inline constexpr std::string_view kResourceCompiler = "GORC.EXE";
inline constexpr std::string_view kResourceLog = "GORC.LOG";
inline constexpr std::string_view kCompiler = "FBC.EXE";
inline constexpr std::string_view kCompilerLog = "FBC.LOG";

// The lengths of the resource compiler's log its success is told by.
inline constexpr std::int32_t kResourceLogMin = 125;
inline constexpr std::int32_t kResourceLogMax = 135;
// The most the compiler's log may hold when the compiler succeeded.
inline constexpr std::int32_t kCompilerLogLimit = 2;

}  // namespace qb

#endif  // QB_BUILD_TOOL_LOGS_H
