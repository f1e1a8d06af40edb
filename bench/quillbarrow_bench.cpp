// The benchmark: runs the program in a pseudo-terminal and prints what it
// costs. Bytes written for the splash and up to the idle title screen, the
// bytes and latency of echoing a typed character (once a prompt echoes),
// processor use while idle, the time to the first painted frame and the
// peak resident memory.
//
// Usage: quillbarrow_bench <path of quillbarrow>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "program_screens.h"

namespace qb::test {
namespace {

using std::chrono::duration;
using std::chrono::milliseconds;

constexpr int kStartRuns = 5;
constexpr int kEchoedKeys = 40;  // fits on the first prompt's row
constexpr double kIdleSeconds = 5.0;

double seconds_since(Clock::time_point start) {
  return duration<double>(Clock::now() - start).count();
}

// The splash is complete once its footer and the cursor below it show.
bool splash_complete(const VtScreen& vt) {
  return splash_shown(vt) && vt.text_at(23, 62, 15) == "powered by GoRC" && vt.cursor_row() == 24;
}

// Processor time (user + system) the process has used, in seconds.
double cpu_seconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
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

// A line of /proc/<pid>/status, such as "VmHWM:  3456 kB".
std::string status_line(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name + ":", 0) == 0) return line;
  }
  return name + ": n/a";
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// Start-up to the first painted frame, the median of a few runs.
void measure_start(const std::string& program) {
  std::vector<double> times;
  for (int run = 0; run < kStartRuns; ++run) {
    PtySession session(launch_options(program));
    if (!session.wait_until(splash_shown, std::chrono::seconds(10))) break;
    times.push_back(seconds_since(session.started()));
  }
  if (times.empty()) {
    std::printf("start-up to first frame: n/a (no splash)\n");
  } else {
    std::printf("start-up to first frame: %.1f ms (median of %zu)\n", median(times) * 1e3,
                times.size());
  }
}

struct EchoFigures {
  double bytes_per_key;
  std::vector<double> latencies;
};

// Types characters at the cursor one by one, each once the last has shown;
// nothing when the program does not echo what is typed there.
std::optional<EchoFigures> measure_echo(PtySession& session) {
  const VtScreen& vt = session.screen();
  EchoFigures figures{};
  const std::size_t bytes_before = session.bytes_received();
  for (int i = 0; i < kEchoedKeys; ++i) {
    const int row = vt.cursor_row();
    const int column = vt.cursor_column();
    const char typed = static_cast<char>('a' + i % 26);
    const auto sent = Clock::now();
    session.send(std::string(1, typed));
    const bool echoed = session.wait_until(
        [&](const VtScreen& screen) {
          return screen.char_at(row, column) == static_cast<char32_t>(typed) &&
                 screen.cursor_column() == column + 1;
        },
        milliseconds(1000));
    if (!echoed) return std::nullopt;
    figures.latencies.push_back(seconds_since(sent));
  }
  session.settle(milliseconds(100));
  figures.bytes_per_key =
      static_cast<double>(session.bytes_received() - bytes_before) / kEchoedKeys;
  return figures;
}

void print_echo(const std::optional<EchoFigures>& echo) {
  if (!echo) {
    std::printf("bytes per echoed character: n/a (no prompt echoes yet)\n");
    std::printf("key-to-echo latency: n/a\n");
    return;
  }
  std::printf("bytes per echoed character: %.2f\n", echo->bytes_per_key);
  std::printf("key-to-echo latency: median %.2f ms, p99 %.2f ms (%zu keys)\n",
              median(echo->latencies) * 1e3, percentile(echo->latencies, 0.99) * 1e3,
              echo->latencies.size());
}

// One run from the splash to the idle title screen, then idle, then typing.
int measure_run(const std::string& program) {
  PtySession session(launch_options(program));
  if (!session.wait_until(splash_complete, std::chrono::seconds(10))) {
    std::printf("the splash did not appear\n");
    return 1;
  }
  std::printf("bytes for the splash: %zu\n", session.bytes_received());
  if (!session.wait_until(title_shown, std::chrono::seconds(10))) {
    std::printf("the title did not appear\n");
    return 1;
  }
  session.settle(milliseconds(300));
  std::printf("bytes up to the idle title screen: %zu\n", session.bytes_received());

  const double cpu_before = cpu_seconds(session.pid());
  const auto idle_start = Clock::now();
  while (seconds_since(idle_start) < kIdleSeconds) session.pump(milliseconds(100));
  const double idle_cpu = cpu_seconds(session.pid()) - cpu_before;
  std::printf("idle processor use: %.2f %% (%.0f ms over %.0f s)\n",
              100.0 * idle_cpu / seconds_since(idle_start), idle_cpu * 1e3, kIdleSeconds);

  const std::string peak_before_typing = status_line(session.pid(), "VmHWM");
  const auto echo = measure_echo(session);
  print_echo(echo);
  const std::string peak = echo ? status_line(session.pid(), "VmHWM") : peak_before_typing;
  const auto value = peak.find_first_not_of(" \t", peak.find(':') + 1);
  std::printf("peak resident memory: %s\n", peak.substr(value).c_str());
  session.signal(SIGTERM);
  session.wait_exit(std::chrono::seconds(5));
  return 0;
}

}  // namespace
}  // namespace qb::test

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <path of quillbarrow>\n", argv[0]);
    return 2;
  }
  qb::test::measure_start(argv[1]);
  return qb::test::measure_run(argv[1]);
}
