// The scripted backend. Waiting for a key jumps the virtual clock forward to
// the next scripted key, so a test of a 1.5 s splash or an idle prompt runs
// in microseconds; waiting when the script is empty throws instead of
// hanging the test.
#include "platform/memory/memory_backend.h"

#include <algorithm>
#include <cstdint>

#include "platform/text/page_text.h"

namespace qb {

void MemoryBackend::type_text(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size = character_size(*code_page, text, at);
    type(size == 1 ? Keystroke(static_cast<std::uint8_t>(text[at]))
                   : Keystroke::character(text.substr(at, size)));
    at += size;
  }
}

void MemoryBackend::type_at(double seconds, const Keystroke& key) {
  const auto later = std::upper_bound(script_.begin(), script_.end(), seconds,
                                      [](double t, const Scripted& s) { return t < s.at; });
  script_.insert(later, Scripted{seconds, key});
}

void MemoryBackend::present(const Screen& screen) {
  shown = screen;
  ++frames;
}

// Moves the keys that are ready into the queue, each whole; returns how
// many have come, a ready key that does not fit counted as one.
int MemoryBackend::move_ready(KeyQueue& keys) {
  int added = 0;
  while (!script_.empty() && script_.front().at <= now) {
    const Keystroke& key = script_.front().key;
    if (!keys.push(key)) return added + 1;
    added += static_cast<int>(key.size());
    script_.pop_front();
  }
  return added;
}

int MemoryBackend::poll_keys(KeyQueue& keys, int timeout_ms) {
  const int come = move_ready(keys);
  if (come > 0 || timeout_ms == 0) return come;
  if (script_.empty()) throw ScriptExhausted{};
  const double next_key = std::max(now, script_.front().at);
  now = timeout_ms < 0 ? next_key : std::min(now + timeout_ms / 1000.0, next_key);
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
