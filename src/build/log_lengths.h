// The lengths of the two logs that tell a tool's success: a resource
// compiler that succeeded prints a banner of 125 to 135 bytes into GORC.LOG,
// a compiler that succeeded at most 2 bytes into FBC.LOG. The judgement of a
// build reads the logs by them, and the stand-in tools write their logs to
// them.
#ifndef QB_BUILD_LOG_LENGTHS_H
#define QB_BUILD_LOG_LENGTHS_H

#include <cstdint>

namespace qb {

// The lengths of GORC.LOG a resource compiler's success is told by.
inline constexpr std::int32_t kResourceLogMin = 125;
inline constexpr std::int32_t kResourceLogMax = 135;
// The most FBC.LOG may hold when the compiler succeeded.
inline constexpr std::int32_t kCompilerLogLimit = 2;

}  // namespace qb

#endif  // QB_BUILD_LOG_LENGTHS_H
