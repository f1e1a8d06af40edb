// Writing to a file descriptor on POSIX: the one loop that every write of
// the terminal backend and the command runner goes through.
#ifndef QB_PLATFORM_POSIX_FD_IO_H
#define QB_PLATFORM_POSIX_FD_IO_H

#include <string_view>

namespace qb {

// Writes all of `bytes` to `fd`, going on after interruptions and partial
// writes and waiting while a non-blocking descriptor is full; gives up on an
// error such as a hung-up terminal, and once a signal that ends the program
// has come: a terminal that takes no output (flow control, a stalled
// connection) never holds the program's end back.
void write_all(int fd, std::string_view bytes);

// Makes writes to `fd` give up rather than wait while it is full (the
// program's last writes, on its way out by a signal); returns the
// descriptor's flags before, for restore_waits.
int stop_waits(int fd);
// Gives `fd` back the flags stop_waits returned: the descriptor is shared
// with the shell, which must not find it changed.
void restore_waits(int fd, int flags);

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_FD_IO_H
