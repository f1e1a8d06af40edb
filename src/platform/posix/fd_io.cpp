// Writing to a file descriptor on POSIX. A descriptor in non-blocking mode
// (a terminal shared with a program that set O_NONBLOCK on it) answers
// EAGAIN when full; the loop then waits in poll() for room, a tenth of a
// second at a time, rather than dropping the rest. A signal that ends the
// program interrupts a write that waits (its handler is installed without
// SA_RESTART), and the loop then gives up.
#include "platform/posix/fd_io.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "platform/posix/signals/signals.h"

namespace qb {

namespace {
constexpr int kFullWaitMs = 100;  // the longest single wait for room in a full descriptor
}

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written == 0 || (errno != EAGAIN && errno != EINTR) ||
               pending_ending_signal() != 0) {
      return;
    } else if (errno == EAGAIN) {
      pollfd ready{fd, POLLOUT, 0};
      ::poll(&ready, 1, kFullWaitMs);
    }
  }
}

int stop_waits(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
  return flags;
}

void restore_waits(int fd, int flags) {
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags);
}

}  // namespace qb
