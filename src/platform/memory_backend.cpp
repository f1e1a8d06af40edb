// The scripted backend. Waiting for a key jumps the virtual clock forward to
// the next scripted key, so a test of a 1.5 s splash or an idle prompt runs
// in microseconds; waiting when the script is empty throws instead of
// hanging the test.
#include "platform/memory_backend.h"

#include <algorithm>

namespace qb {

void MemoryBackend::type_text(std::string_view text) {
  for (const char c : text) type(static_cast<unsigned char>(c));
}

void MemoryBackend::type_at(double seconds, int code) {
  const auto later = std::upper_bound(script_.begin(), script_.end(), seconds,
                                      [](double t, const Scripted& s) { return t < s.at; });
  script_.insert(later, Scripted{seconds, code});
}

void MemoryBackend::present(const Screen& screen) {
  shown = screen;
  ++frames;
}

int MemoryBackend::move_ready(KeyQueue& keys) {
  int added = 0;
  while (!script_.empty() && script_.front().at <= now && keys.push(script_.front().code)) {
    script_.pop_front();
    ++added;
  }
  return added;
}

int MemoryBackend::poll_keys(KeyQueue& keys, int timeout_ms) {
  const int added = move_ready(keys);
  if (added > 0 || timeout_ms == 0) return added;
  const bool forever = timeout_ms < 0;
  if (script_.empty() || (forever && keys.room() == 0)) throw ScriptExhausted{};
  const double next_key = std::max(now, script_.front().at);
  if (forever) {
    now = next_key;
  } else {
    const double limit = now + timeout_ms / 1000.0;
    now = keys.room() == 0 ? limit : std::min(limit, next_key);
  }
  return move_ready(keys);
}

double MemoryBackend::timer_seconds() {
  const double reading = now;
  now += timer_step;
  return reading;
}

int MemoryBackend::run_command(std::string_view command_line) {
  commands.emplace_back(command_line);
  return on_command ? on_command(command_line) : 0;
}

void MemoryBackend::end_program(int exit_code, std::string_view error_line) {
  throw ProgramEnded{exit_code, std::string(error_line)};
}

}  // namespace qb
