// The splash and title screens, cell by cell, and the splash's timed wait.
#include "driver/screens.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_backend.h"
#include "support/result_boxes.h"
#include "support/screen_text.h"

namespace qb {
namespace {

// The splash box's frame is the result boxes'.
const std::string kBoxTop34 = test::in_437(test::kBoxTop);
const std::string kBoxBottom34 = test::in_437(test::kBoxBottom);

TEST(Splash, DrawsTheBoxAndFooterOnLightGrey) {
  MemoryBackend backend;
  Console con(backend);
  show_splash(con);
  const Screen& s = backend.shown;  // what was on the display during the wait
  EXPECT_EQ(backend.resizes.front(), std::make_pair(80, 25));
  EXPECT_EQ(text_at(s, 8, 22, 34), kBoxTop34);
  EXPECT_EQ(text_at(s, 9, 22, 34), "\xBA" + std::string(32, ' ') + "\xBA");
  EXPECT_EQ(text_at(s, 10, 22, 34), "\xBA  Quillbarrowmintstamperwright  \xBA");
  EXPECT_EQ(text_at(s, 12, 22, 34), "\xBA(c) 2026 The Quillbarrow Authors\xBA");
  EXPECT_EQ(text_at(s, 13, 22, 34), "\xBAhttps://quillbarrow.example.org \xBA");
  EXPECT_EQ(text_at(s, 15, 22, 34), kBoxBottom34);
  for (int row = 8; row <= 15; ++row) {
    for (int col = 22; col <= 55; ++col)
      ASSERT_EQ(s.cell(row, col).attr, 0x1F) << row << "," << col;
    EXPECT_TRUE(blank_cells(s, row, 1, 21, 0x70));
    EXPECT_TRUE(blank_cells(s, row, 56, 80, 0x70));
  }
  EXPECT_EQ(text_at(s, 23, 62, 15), "powered by GoRC");
  EXPECT_EQ(s.cell(23, 62).attr, 0x78);
  EXPECT_EQ(s.cell(23, 77).attr, 0x70);
  EXPECT_TRUE(blank_cells(s, 1, 1, 80, 0x70));
  EXPECT_TRUE(blank_cells(s, 25, 1, 80, 0x70));
  EXPECT_EQ(s.row(), 24);
  EXPECT_EQ(s.column(), 1);
}

TEST(Splash, WaitEndsOnFirstReadingStrictlyAboveStartPlusOneAndAHalf) {
  MemoryBackend backend;
  Console con(backend);
  backend.timer_step = 0.25;  // readings 0, 0.25, 1.5 after the sleep (equal: goes on), 1.75
  show_splash(con);
  EXPECT_DOUBLE_EQ(backend.now, 2.0);
}

TEST(Splash, StartHeldInSinglePrecisionShiftsTheWait) {
  MemoryBackend backend;
  Console con(backend);
  backend.timer_step = 0.00001;
  backend.now = 10000000.3;  // stored as 10000000.0: the wait ends above 10000001.5
  show_splash(con);
  EXPECT_NEAR(backend.now - 10000000.3, 1.2, 0.001);

  backend.now = 3600.123;
  show_splash(con);
  const double last_reading = backend.now - backend.timer_step;
  EXPECT_NEAR(last_reading - 3600.123, 1.5, 0.0001);
}

TEST(Splash, KeysTypedMeanwhileStayWaiting) {
  MemoryBackend backend;
  Console con(backend);
  backend.type_at(0.5, 'h');
  show_splash(con);
  EXPECT_TRUE(con.key_waiting());
  EXPECT_EQ(con.read_key(), 'h');
}

TEST(TitleBox, ClearsTheSplashAndDrawsTheWideBox) {
  MemoryBackend backend;
  Console con(backend);
  ProgramState state;
  show_splash(con);
  show_title_box(con, state);
  con.flush();
  const Screen& s = backend.shown;
  EXPECT_EQ(text_at(s, 4, 6, 70), '\xC9' + std::string(68, '\xCD') + '\xBB');
  EXPECT_EQ(text_at(s, 5, 6, 70), '\xBA' + std::string(68, ' ') + '\xBA');
  EXPECT_EQ(text_at(s, 6, 6, 70), '\xBA' + std::string(20, ' ') + "Quillbarrowmintstamperwright" +
                                      std::string(20, ' ') + '\xBA');
  EXPECT_EQ(text_at(s, 8, 6, 70), '\xC8' + std::string(68, '\xCD') + '\xBC');
  for (int row = 4; row <= 8; ++row) {
    EXPECT_EQ(s.cell(row, 6).attr, 0x1F);
    EXPECT_EQ(s.cell(row, 75).attr, 0x1F);
    EXPECT_TRUE(blank_cells(s, row, 1, 5, 0x70));
    EXPECT_TRUE(blank_cells(s, row, 76, 80, 0x70));
  }
  for (int row : {1, 2, 3, 9, 10, 15, 23, 25}) EXPECT_TRUE(blank_cells(s, row, 1, 80, 0x70)) << row;
}

}  // namespace
}  // namespace qb
