// Figures for the line editor on the in-memory backend: the time a long
// paste takes, the time of inserts that move a long wrapped tail, and how
// many cells one appended character changes between two frames.
#include <chrono>
#include <cstdio>
#include <string>

#include "form/read_line.h"
#include "platform/keys/bios_keys.h"
#include "platform/memory/memory_backend.h"

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds since `start`.
double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Types `length` characters and Enter at row 12, column 26; returns the milliseconds taken.
double paste(int length, int repeat_at_home) {
  qb::MemoryBackend backend;
  qb::Console con(backend);
  con.locate(12, 26);
  for (int i = 0; i < length; ++i) backend.type(33 + i % 90);
  backend.type(qb::key::kHome);
  for (int i = 0; i < repeat_at_home; ++i) backend.type('#');
  backend.type(13);
  const auto start = Clock::now();
  const std::string line = qb::read_line(con);
  const double ms = ms_since(start);
  if (line.size() != static_cast<std::size_t>(length + repeat_at_home)) std::puts("lost keys!");
  return ms;
}

// Cells that differ between the frames before and after one appended key.
int cells_changed_by_append() {
  struct Frames : qb::MemoryBackend {
    qb::Screen before;
    void present(const qb::Screen& screen) override {
      before = shown;
      qb::MemoryBackend::present(screen);
    }
  } backend;
  qb::Console con(backend);
  con.locate(12, 26);
  backend.type_text("some answer");
  backend.type(13);
  qb::read_line(con);
  int changed = 0;
  for (int r = 1; r <= qb::Screen::kRows; ++r) {
    for (int c = 1; c <= qb::Screen::kColumns; ++c) {
      if (!(backend.before.cell(r, c) == backend.shown.cell(r, c))) ++changed;
    }
  }
  return changed;
}

}  // namespace

// Prints the figures.
int main() {
  std::printf("paste of 5000 characters:              %8.2f ms\n", paste(5000, 0));
  std::printf("paste of 50000 characters:             %8.2f ms\n", paste(50000, 0));
  std::printf("500 inserts before a 1900-cell tail:   %8.2f ms\n",
              paste(5000, 500) - paste(5000, 0));
  std::printf("cells changed by one appended key:     %8d\n", cells_changed_by_append());
}
