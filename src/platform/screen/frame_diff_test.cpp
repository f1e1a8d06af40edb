// The frame diff: which cells, runs and spans of a row count as changed,
// before the display is known, after an erase and as cells are marked shown.
#include "platform/screen/frame_diff.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

void expect_run(ColumnRun run, int first, int last) {
  EXPECT_EQ(run.first, first);
  EXPECT_EQ(run.last, last);
}

TEST(FrameDiff, UnknownDisplayChangesEverywhereUntilErasedOrShown) {
  FrameDiff diff;
  EXPECT_EQ(diff.changed_cells(Screen::kRows, Screen::kColumns), 2000u);
  expect_run(diff.changed_span(25, 80), 1, 80);
  diff.mark_erased({' ', kDefaultLook});
  EXPECT_EQ(diff.changed_cells(Screen::kRows, Screen::kColumns), 2000u);  // frame in 0x07
  diff.mark_frame_shown();
  EXPECT_EQ(diff.changed_cells(Screen::kRows, Screen::kColumns), 0u);
  diff.invalidate();
  EXPECT_TRUE(diff.changed(1, 1));
}

TEST(FrameDiff, RowsSplitIntoRunsAndASpanWithinTheirColumns) {
  FrameDiff diff;
  diff.mark_erased({' ', 0x07});
  for (int column : {3, 4, 7}) diff.frame(2, column) = {'x', 0x1F};
  EXPECT_EQ(diff.changed_cells(Screen::kRows, Screen::kColumns), 3u);
  EXPECT_EQ(diff.cells_unlike({' ', 0x07}, 2, 4), 2u);
  expect_run(diff.next_run(2, 1, 80), 3, 4);
  expect_run(diff.next_run(2, 5, 80), 7, 7);
  EXPECT_TRUE(diff.next_run(2, 8, 80).empty());
  expect_run(diff.changed_span(2, 80), 3, 7);
  expect_run(diff.changed_span(2, 5), 3, 4);
  EXPECT_TRUE(diff.changed_span(1, 80).empty());
  diff.mark_shown(2, {3, 4});
  expect_run(diff.changed_span(2, 80), 7, 7);
  EXPECT_EQ(diff.shown(2, 4), (ShownCell{'x', 0x1F}));
  // A pair whose one half changed is drawn whole: the trail, then the lead.
  diff.frame(2, 9) = {0x88, 0x1F, Glyphs::kCodePage, CellPart::kLead};
  diff.frame(2, 10) = {0x9F, 0x1F, Glyphs::kCodePage, CellPart::kTrail};
  diff.mark_shown(2, {9, 9});
  expect_run(diff.next_run(2, 8, 80), 9, 10);
  diff.mark_shown(2, {10, 10});
  diff.frame(2, 9).ch ^= 1;
  expect_run(diff.changed_span(2, 80), 7, 10);
}

}  // namespace
}  // namespace qb
