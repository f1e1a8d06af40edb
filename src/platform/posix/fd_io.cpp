// Writing to a file descriptor on POSIX. A descriptor in non-blocking mode
// (a terminal shared with a program that set O_NONBLOCK on it) answers
// EAGAIN when full; the loop then waits in poll() for room, a tenth of a
// second at a time, rather than dropping the rest.
#include "platform/posix/fd_io.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace qb {

namespace {
constexpr int kFullWaitMs = 100;  // the longest single wait for room in a full descriptor
}

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EAGAIN) {
      pollfd ready{fd, POLLOUT, 0};
      ::poll(&ready, 1, kFullWaitMs);
    } else if (written == 0 || errno != EINTR) {
      return;
    }
  }
}

}  // namespace qb
