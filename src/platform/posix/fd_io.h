// Writing to a file descriptor on POSIX: the one loop that every write of
// the terminal backend and the command runner goes through.
#ifndef QB_PLATFORM_POSIX_FD_IO_H
#define QB_PLATFORM_POSIX_FD_IO_H

#include <string_view>

namespace qb {

// Writes all of `bytes` to `fd`, going on after interruptions and partial
// writes and waiting while a non-blocking descriptor is full; gives up on an
// error such as a hung-up terminal.
void write_all(int fd, std::string_view bytes);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_FD_IO_H
