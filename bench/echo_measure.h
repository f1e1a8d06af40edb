// What the benchmark's measurements share: waiting for the output to
// settle, percentiles, and the echo of characters typed at the cursor.
#ifndef QB_BENCH_ECHO_MEASURE_H
#define QB_BENCH_ECHO_MEASURE_H

#include <chrono>
#include <cmath>
#include <vector>

#include "pty_session.h"

namespace qb::test {

inline constexpr double kNone = NAN;     // a figure that could not be taken
inline constexpr int kEchoedKeys = 400;  // rows 12 to 17 of the first prompt

// Seconds since `start`.
double seconds_since(Clock::time_point start);
// Reads output until the program has written nothing for `quiet`.
void settle(PtySession& session, std::chrono::milliseconds quiet);
// The value below which a share `p` of `values` lies; kNone for none.
double percentile(std::vector<double> values, double p);

// The echo of kEchoedKeys characters: bytes per character and latencies.
struct Echo {
  double bytes_per_key = kNone;
  double median_ms = kNone;
  double p99_ms = kNone;
};

// Types characters at the cursor one by one, each once the last has shown;
// the cursor must follow each one, wrapping at the end of a row.
Echo measure_echo(PtySession& session);

}  // namespace qb::test

#endif  // QB_BENCH_ECHO_MEASURE_H
