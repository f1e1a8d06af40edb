// The processor time a process has used so far, read from /proc: for the
// benchmark's figures of a program idle, waiting and ending.
#ifndef QB_TESTS_E2E_PROCESS_TIME_H
#define QB_TESTS_E2E_PROCESS_TIME_H

#include <sys/types.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace qb::test {

// User plus system time of `pid` in seconds: the scheduler's nanosecond
// count where the kernel keeps one, else the clock ticks of /proc/<pid>/stat.
// It stays readable until the ended process is waited for.
inline double cpu_seconds(pid_t pid) {
  const std::string proc = "/proc/" + std::to_string(pid);
  std::ifstream schedstat(proc + "/schedstat");
  double nanoseconds = 0;
  if (schedstat >> nanoseconds) return nanoseconds * 1e-9;
  std::ifstream stat(proc + "/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int n = 3; fields >> field && n <= 15; ++n) {
    if (n == 14 || n == 15) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace qb::test

#endif  // QB_TESTS_E2E_PROCESS_TIME_H
