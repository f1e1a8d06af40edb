// The splash and title screens. Every box line is printed at its row and the
// box's column with a line end after it, the row stepped with next_row. The
// splash's timed wait reads the timer in a loop until a reading passes the
// end, but sleeps until the end is due between readings, so it reads the
// timer only a few times and spends no processor time waiting.
#include "driver/screens.h"

#include <string>

#include "driver/shared/box_text.h"

namespace qb {

namespace {

constexpr const char* kTitle = "Quillbarrowmintstamperwright";
constexpr const char* kSplashCopyright = "(c) 2026 The Quillbarrow Authors";
constexpr const char* kSplashAddress = "https://quillbarrow.example.org";
constexpr const char* kSplashFooter = "powered by GoRC";
constexpr double kSplashSeconds = 1.5;

// Prints `line` at `row`, `column` with a line end, then steps the row.
void print_box_line(Console& con, std::int32_t& row, int column, const std::string& line) {
  con.locate(row, column);
  con.print_text(line, true, Glyphs::kProgram);
  next_row(row);
}

}  // namespace

void show_splash(Console& con) {
  constexpr int kWidth = kSmallBoxWidth;
  con.set_screen_size(Screen::kColumns, Screen::kRows);
  con.set_color(0, 7);
  con.clear_screen();
  con.set_color(15, 1);
  std::int32_t row = 8;
  const int column = kSmallBoxColumn;
  for (const std::string& line :
       {box_top(kWidth), box_blank(kWidth), box_framed(kTitle, kWidth), box_blank(kWidth),
        box_framed(kSplashCopyright, kWidth), box_framed(kSplashAddress, kWidth), box_blank(kWidth),
        box_bottom(kWidth)}) {
    print_box_line(con, row, column, line);
  }
  con.set_color(8, 7);
  con.locate(23, 62);
  con.print_text(kSplashFooter, true, Glyphs::kProgram);

  // The start is kept in single precision, so a large timer value shifts the
  // wait. Between readings the program sleeps until the end is due, so it
  // reads the timer only a few times; a reading equal to the end goes on.
  const auto splash_start = static_cast<float>(con.timer_seconds());
  const double end = static_cast<double>(splash_start) + kSplashSeconds;
  while (!(con.timer_seconds() > end)) con.sleep_until(end);
}

void show_title_box(Console& con, ProgramState& state) {
  constexpr int kWidth = 70;
  con.set_color(0, 7);
  con.clear_screen();
  con.set_color(15, 1);
  state.box_row = 4;
  state.box_col = 6;
  for (const std::string& line : {box_top(kWidth), box_blank(kWidth), box_framed(kTitle, kWidth),
                                  box_blank(kWidth), box_bottom(kWidth)}) {
    print_box_line(con, state.box_row, state.box_col, line);
  }
}

}  // namespace qb
