// The benchmark: runs the program in a pseudo-terminal and prints what it
// costs, with the target beside each figure. Bytes written for the splash
// and for the title with the first prompt, how long the splash stays and
// the processor time of its wait, bytes and latency of echoing a character
// typed at the end of an answer, processor use and wake-ups while idle at a
// prompt, the processor time from a hang-up to the end, the time to the
// first painted frame, the peak resident memory, and a 5000-character paste
// (characters lost, time until it all shows), and the time to the result
// screen when the compiler prints a 10 MB log; and the same ASCII echo with
// the console's page 437 and UTF-8 (65001), in runs taken in turn.
// With a second path, the same echo is measured on a tiny ncurses program.
//
// Usage: quillbarrow_bench <path of quillbarrow> [<path of ncurses_echo>]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "echo_measure.h"
#include "long_log.h"
#include "process_time.h"
#include "program_screens.h"

namespace qb::test {
namespace {

using std::chrono::duration;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kStartRuns = 10;
constexpr double kIdleSeconds = 5.0;
constexpr int kPasteLength = 5000;
constexpr int kPageRuns = 5;  // runs of each page in the comparison of 437 and 65001

// A number of the process's /proc status (VmHWM in kB, voluntary_ctxt_switches,
// ...), or kNone.
double status_number(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name + ":", 0) == 0) return std::stod(line.substr(name.size() + 1));
  }
  return kNone;
}

// Waits (at most 10 s) until the process `pid`, a child, has ended, without
// reaping it, so that /proc still tells its processor time.
bool wait_ended(pid_t pid) {
  const auto start = Clock::now();
  while (seconds_since(start) < 10) {
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        info.si_pid == pid)
      return true;
    usleep(10000);
  }
  return false;
}

struct Figures {
  double start_ms = kNone, start_min_ms = kNone, start_max_ms = kNone;
  double splash_bytes = kNone, title_bytes = kNone, splash_s = kNone, splash_cpu_s = kNone;
  double idle_percent = kNone, idle_wakeups = kNone, hang_up_cpu_s = kNone;
  double bytes_per_key = kNone, echo_median_ms = kNone, echo_p99_ms = kNone;
  double peak_mb = kNone;
  double paste_lost = kNone, paste_ms = kNone, long_log_s = kNone;
  double curses_bytes_per_key = kNone, curses_median_ms = kNone, curses_p99_ms = kNone;
  // Under QB_CODE_PAGE 437 and 65001: bytes of the first frame with the
  // prompt, bytes per character typed and the median of the runs' median echo.
  std::array<double, 2> page_title_bytes{kNone, kNone}, page_bytes_per_key{kNone, kNone},
      page_echo_ms{kNone, kNone};
};

// Start-up to the first painted frame over a few runs: median, least, most.
void measure_start(const std::string& program, Figures& f) {
  std::vector<double> times;
  for (int run = 0; run < kStartRuns; ++run) {
    PtySession session(launch_options(program));
    if (!session.wait_until(splash_shown, seconds(10))) return;
    times.push_back(seconds_since(session.started()) * 1e3);
  }
  f.start_ms = percentile(times, 0.5);
  f.start_min_ms = *std::min_element(times.begin(), times.end());
  f.start_max_ms = *std::max_element(times.begin(), times.end());
}

// One session: the splash, the title with the first prompt, idle, typing,
// and the terminal closed. A wake-up is a voluntary context switch: the
// program slept and woke.
void measure_session(const std::string& program, Figures& f) {
  PtySession session(launch_options(program));
  if (!session.wait_until(splash_complete, seconds(10))) return;
  const auto splash_seen = Clock::now();
  const double splash_cpu = cpu_seconds(session.pid());
  settle(session, milliseconds(300));  // the splash stays 1.5 s; nothing more comes
  const std::size_t splash = session.bytes_received();
  f.splash_bytes = static_cast<double>(splash);
  if (!session.wait_until(first_prompt_shown, seconds(10))) return;
  f.splash_s = seconds_since(splash_seen);
  f.splash_cpu_s = cpu_seconds(session.pid()) - splash_cpu;
  settle(session, milliseconds(300));
  f.title_bytes = static_cast<double>(session.bytes_received() - splash);

  const double cpu_before = cpu_seconds(session.pid());
  const double switches_before = status_number(session.pid(), "voluntary_ctxt_switches");
  const auto idle_start = Clock::now();
  while (seconds_since(idle_start) < kIdleSeconds) session.pump(milliseconds(100));
  const double idle_seconds = seconds_since(idle_start);
  f.idle_percent = 100.0 * (cpu_seconds(session.pid()) - cpu_before) / idle_seconds;
  f.idle_wakeups =
      (status_number(session.pid(), "voluntary_ctxt_switches") - switches_before) / idle_seconds;

  const Echo echo = measure_echo(session);
  f.bytes_per_key = echo.bytes_per_key;
  f.echo_median_ms = echo.median_ms;
  f.echo_p99_ms = echo.p99_ms;
  f.peak_mb = status_number(session.pid(), "VmHWM") / 1024.0;
  const double cpu_at_hang_up = cpu_seconds(session.pid());
  session.hang_up();
  if (wait_ended(session.pid())) f.hang_up_cpu_s = cpu_seconds(session.pid()) - cpu_at_hang_up;
  session.wait_exit(seconds(5));
}

// A 5000-character paste at the first prompt, written as fast as the
// terminal takes it: the time until the screen shows all of it, and the
// characters lost, from where the cursor ends and the text on the last rows.
void measure_paste(const std::string& program, Figures& f) {
  PtySession session(launch_options(program));
  if (!session.wait_until(first_prompt_shown, seconds(10))) return;
  settle(session, milliseconds(300));
  std::string paste;
  for (int i = 0; i < kPasteLength; ++i) paste += static_cast<char>('a' + (i * 7) % 26);
  constexpr int kStart = 11 * 80 + 25;  // the first character's cell, counted from 0
  constexpr int kEnd = kStart + kPasteLength;
  constexpr int kScrolled = kEnd / 80 - 24;  // rows the answer pushed off the top
  auto tail_shown = [&](const VtScreen& vt) {
    for (int cell = kEnd - 1; cell >= kEnd - 8 * 80; --cell) {
      const int row = cell / 80 + 1 - kScrolled;
      const char32_t expected = static_cast<unsigned char>(paste[cell - kStart]);
      if (vt.char_at(row, cell % 80 + 1) != expected) return false;
    }
    return vt.cursor_row() == 25 && vt.cursor_column() == kEnd % 80 + 1;
  };
  const auto sent = Clock::now();
  session.send(paste);
  const bool whole = session.wait_until(tail_shown, seconds(30));
  const double elapsed_ms = seconds_since(sent) * 1e3;
  settle(session, milliseconds(300));
  const VtScreen& vt = session.screen();
  const int cursor_cell = (vt.cursor_row() - 1 + kScrolled) * 80 + vt.cursor_column() - 1;
  f.paste_lost = whole && tail_shown(vt) ? 0 : std::max(1, kEnd - cursor_cell);
  if (whole) f.paste_ms = elapsed_ms;
  session.signal(SIGTERM);
  session.wait_exit(seconds(5));
}

// The ASCII echo with the console's page 437 and then 65001, the two taken
// in turn run after run, so that a loaded machine weighs on both alike.
void measure_pages(const std::string& program, Figures& f) {
  std::array<std::vector<double>, 2> medians;
  for (int run = 0; run < kPageRuns; ++run) {
    for (std::size_t page = 0; page < 2; ++page) {
      PtyOptions options = launch_options(program);
      options.env.push_back(page == 0 ? "QB_CODE_PAGE=437" : "QB_CODE_PAGE=65001");
      PtySession session(options);
      if (!session.wait_until(first_prompt_shown, seconds(10))) return;
      settle(session, milliseconds(300));
      f.page_title_bytes[page] = static_cast<double>(session.bytes_received());
      const Echo echo = measure_echo(session);
      f.page_bytes_per_key[page] = echo.bytes_per_key;
      medians[page].push_back(echo.median_ms);
      session.signal(SIGTERM);
      session.wait_exit(seconds(5));
    }
  }
  for (std::size_t page = 0; page < 2; ++page)
    f.page_echo_ms[page] = percentile(medians[page], 0.5);
}

// The same echo on the ncurses program, from its first frame.
void measure_curses(const std::string& program, Figures& f) {
  PtySession session(launch_options(program));
  const bool ready = session.wait_until(
      [](const VtScreen& vt) { return vt.cursor_row() == 12 && vt.cursor_column() == 26; },
      seconds(10));
  if (!ready) return;
  settle(session, milliseconds(300));
  const Echo echo = measure_echo(session);
  f.curses_bytes_per_key = echo.bytes_per_key;
  f.curses_median_ms = echo.median_ms;
  f.curses_p99_ms = echo.p99_ms;
  session.signal(SIGTERM);
  session.wait_exit(seconds(5));
}

// A figure with `decimals` decimals, or "n/a".
std::string shown(double value, int decimals) {
  if (std::isnan(value)) return "n/a";
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

void row(const std::string& what, const std::string& measured, const std::string& target) {
  std::printf("| %s | %s | %s |\n", what.c_str(), measured.c_str(), target.c_str());
}

// Prints the figures as a Markdown table with the targets beside them.
void print_table(const Figures& f) {
  row("Figure", "Measured", "Target");
  row("---", "---", "---");
  row("Start-up to the first painted frame (median of 10; least, most)",
      shown(f.start_ms, 1) + " ms (" + shown(f.start_min_ms, 1) + ", " + shown(f.start_max_ms, 1) +
          ")",
      "under 20 ms");
  row("Bytes written for the splash", shown(f.splash_bytes, 0), "at most 600");
  row("Splash shown for (its first frame to the title's)", shown(f.splash_s, 3) + " s", "1.5 s");
  row("Processor time of the splash's 1.5 s wait", shown(f.splash_cpu_s, 3) + " s", "under 0.1 s");
  row("Bytes written for the title with the first prompt", shown(f.title_bytes, 0), "-");
  row("Bytes per character typed at the end of an answer",
      shown(f.bytes_per_key, 2) + " (" + std::to_string(kEchoedKeys) + " keys)", "at most 2");
  row("Key-to-echo latency, median", shown(f.echo_median_ms, 3) + " ms", "under 1 ms");
  row("Key-to-echo latency, p99", shown(f.echo_p99_ms, 3) + " ms", "under 5 ms");
  row("Processor use idle at a prompt (5 s)", shown(f.idle_percent, 3) + " % of a core",
      "under 0.5 %");
  row("Wake-ups per second idle at a prompt", shown(f.idle_wakeups, 1), "at most 1");
  row("Processor time from a hang-up (terminal closed) to the end",
      shown(f.hang_up_cpu_s, 3) + " s", "under 0.1 s");
  row("Peak resident memory", shown(f.peak_mb, 1) + " MB", "under 8 MB");
  row("5000-character paste: characters lost", shown(f.paste_lost, 0), "0");
  row("5000-character paste: time until the screen shows it all", shown(f.paste_ms, 1) + " ms",
      "-");
  row("A 10 MB compiler log: start to the result prompt", shown(f.long_log_s, 1) + " s", "-");
  for (std::size_t page = 0; page < 2; ++page) {
    const std::string name = page == 0 ? "437" : "65001";
    row("Code page " + name + ": bytes to the first prompt, per character typed",
        shown(f.page_title_bytes[page], 0) + ", " + shown(f.page_bytes_per_key[page], 2),
        page == 0 ? "-" : "as 437");
    row("Code page " + name + ": echo latency, median of " + std::to_string(kPageRuns) + " runs",
        shown(f.page_echo_ms[page], 3) + " ms", page == 0 ? "-" : "within 10 % or 0.01 ms of 437");
  }
  row("ncurses 6.4, same echo: bytes per character", shown(f.curses_bytes_per_key, 2), "-");
  row("ncurses 6.4, same echo: latency median, p99",
      shown(f.curses_median_ms, 3) + " ms, " + shown(f.curses_p99_ms, 3) + " ms", "-");
}

}  // namespace
}  // namespace qb::test

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <path of quillbarrow> [<path of ncurses_echo>]\n", argv[0]);
    return 2;
  }
  qb::test::Figures figures;
  qb::test::measure_start(argv[1], figures);
  qb::test::measure_session(argv[1], figures);
  qb::test::measure_paste(argv[1], figures);
  figures.long_log_s = qb::test::long_log_seconds(argv[1]);
  qb::test::measure_pages(argv[1], figures);
  if (argc == 3) qb::test::measure_curses(argv[2], figures);
  qb::test::print_table(figures);
  return std::isnan(figures.bytes_per_key) ? 1 : 0;
}
