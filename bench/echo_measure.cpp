// The echo measurement and the helpers the benchmark's figures share.
#include "echo_measure.h"

#include <algorithm>
#include <string>

namespace qb::test {

using std::chrono::duration;
using std::chrono::milliseconds;

double seconds_since(Clock::time_point start) {
  return duration<double>(Clock::now() - start).count();
}

// Reads output until the program has written nothing for `quiet`: the
// bytes of a screen are counted once all of them have come. A quiet stretch
// is good enough for a figure; the tests wait for events instead.
void settle(PtySession& session, milliseconds quiet) {
  std::size_t seen = session.bytes_received();
  auto still_since = Clock::now();
  while (Clock::now() - still_since < quiet) {
    session.pump(milliseconds(10));
    if (session.bytes_received() != seen) {
      seen = session.bytes_received();
      still_since = Clock::now();
    }
  }
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return kNone;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

Echo measure_echo(PtySession& session) {
  const VtScreen& vt = session.screen();
  std::vector<double> latencies;
  const std::size_t bytes_before = session.bytes_received();
  for (int i = 0; i < kEchoedKeys; ++i) {
    const int row = vt.cursor_row();
    const int column = vt.cursor_column();
    const char typed = static_cast<char>('a' + i % 26);
    const auto sent = Clock::now();
    session.send(std::string(1, typed));
    const bool echoed = session.wait_until(
        [&](const VtScreen& screen) {
          const bool moved = column == vt.columns()
                                 ? screen.cursor_row() == row + 1 && screen.cursor_column() == 1
                                 : screen.cursor_column() == column + 1;
          return screen.char_at(row, column) == static_cast<char32_t>(typed) && moved;
        },
        milliseconds(1000));
    if (!echoed) return {};
    latencies.push_back(seconds_since(sent) * 1e3);
  }
  settle(session, milliseconds(100));
  const double bytes = static_cast<double>(session.bytes_received() - bytes_before);
  return {bytes / kEchoedKeys, percentile(latencies, 0.5), percentile(latencies, 0.99)};
}

}  // namespace qb::test
