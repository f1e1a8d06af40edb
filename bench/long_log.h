// The benchmark's run of a build whose compiler prints a 10 MB log.
#ifndef QB_BENCH_LONG_LOG_H
#define QB_BENCH_LONG_LOG_H

#include <string>

namespace qb::test {

// Seconds from the start of `program` to the result screen's prompt when
// the compiler prints a 10 MB log, which the screen scrolls through; NaN
// when the prompt did not show.
double long_log_seconds(const std::string& program);

}  // namespace qb::test

#endif  // QB_BENCH_LONG_LOG_H
