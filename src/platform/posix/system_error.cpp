// The system's words on POSIX: the C library's message for errno, as in
// "Permission denied" or "No space left on device".
#include <cerrno>
#include <cstring>

#include "platform/files/system_error.h"

namespace qb {

std::string last_system_error() {
  return std::strerror(errno);
}

}  // namespace qb
