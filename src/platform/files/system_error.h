// The system's own words for why its last call failed, so that a step of
// the program that could not be done can say why in one plain line.
#ifndef QB_PLATFORM_FILES_SYSTEM_ERROR_H
#define QB_PLATFORM_FILES_SYSTEM_ERROR_H

#include <string>

namespace qb {

// The system's message for the error its last failed call left (errno on
// POSIX, GetLastError on Windows, in the OEM code page there), on one line
// without a line end.
std::string last_system_error();

}  // namespace qb

#endif  // QB_PLATFORM_FILES_SYSTEM_ERROR_H
