// The frame diff: cell comparisons between the frame and the shadow, in the
// order backends draw, row by row and left to right within a row.
#include "platform/screen/frame_diff.h"

namespace qb {

bool FrameDiff::changed(int row, int column) const {
  const std::size_t i = index(row, column);
  return !valid_ || frame_[i] != shadow_[i];
}

std::size_t FrameDiff::changed_cells(int rows, int columns) const {
  std::size_t count = 0;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= columns; ++column) count += changed(row, column) ? 1 : 0;
  }
  return count;
}

std::size_t FrameDiff::cells_unlike(ShownCell blank, int rows, int columns) const {
  std::size_t count = 0;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= columns; ++column) count += frame(row, column) == blank ? 0 : 1;
  }
  return count;
}

ColumnRun FrameDiff::next_run(int row, int from, int columns) const {
  ColumnRun run{from, from - 1};
  while (run.first <= columns && !changed(row, run.first)) ++run.first;
  run.last = run.first - 1;
  while (run.last < columns && changed(row, run.last + 1)) ++run.last;
  return whole_pairs(row, run, columns);
}

ColumnRun FrameDiff::changed_span(int row, int columns) const {
  ColumnRun span{1, columns};
  while (!span.empty() && !changed(row, span.first)) ++span.first;
  while (!span.empty() && !changed(row, span.last)) --span.last;
  return whole_pairs(row, span, columns);
}

ColumnRun FrameDiff::whole_pairs(int row, ColumnRun run, int columns) const {
  if (run.empty()) return run;
  if (run.first > 1 && frame(row, run.first).part == CellPart::kTrail) --run.first;
  if (run.last < columns && frame(row, run.last).part == CellPart::kLead) ++run.last;
  return run;
}

void FrameDiff::mark_shown(int row, ColumnRun run) {
  for (int column = run.first; column <= run.last; ++column) {
    shadow_[index(row, column)] = frame(row, column);
  }
}

void FrameDiff::mark_frame_shown() {
  shadow_ = frame_;
  valid_ = true;
}

void FrameDiff::mark_erased(ShownCell blank) {
  shadow_.fill(blank);
  valid_ = true;
}

}  // namespace qb
