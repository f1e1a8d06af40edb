// The printing rules of the screen model: control bytes, wrapping, scrolling
// and the pending wrap once row 25 is filled; pairs of a double-byte page.
#include "platform/screen/screen.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "support/screen_text.h"

namespace qb {
namespace {

TEST(Screen, LinesWrapAndLineEndsMoveToNextRow) {
  Screen s;
  s.move_to(4, 6);
  s.print(std::string(70, 'x'));
  s.print("\r\n");
  EXPECT_EQ(s.row(), 5);
  EXPECT_EQ(s.column(), 1);

  s.move_to(10, 1);
  s.print(std::string(80, 'y'));
  EXPECT_EQ(s.row(), 11);
  EXPECT_EQ(s.column(), 1);
  EXPECT_FALSE(s.pending_line_end());
}

TEST(Screen, ControlBytes) {
  Screen s;
  s.move_to(3, 1);
  EXPECT_EQ(s.print("ab\a\bc"), 1);  // the bell writes nothing and moves nothing
  EXPECT_EQ(row_text(s, 3).substr(0, 3), "ac ");
  s.move_to(3, 1);
  s.print("\b\bz");  // backspace stops at column 1 and erases nothing
  EXPECT_EQ(row_text(s, 3).substr(0, 2), "zc");
  s.move_to(5, 6);
  s.print("\tT");  // tab stops every 8 columns: column 6 gets 3 spaces
  EXPECT_EQ(s.cell(5, 9).ch, 'T');
  s.move_to(6, 5);
  s.print("abc\rX");
  EXPECT_EQ(row_text(s, 6).substr(0, 7), "X   abc");  // CR goes to column 1
  s.move_to(7, 1);
  s.print(std::string{'\x00', '\x0b', '\x0c', '\x1b', '\x7f'});  // glyphs, not controls
  EXPECT_EQ(s.cell(7, 4).ch, 0x1b);
  EXPECT_EQ(s.column(), 6);
}

TEST(Screen, TabAtColumn75WrapsToNextRow) {
  Screen s;
  s.move_to(8, 75);
  s.print("\t");
  EXPECT_EQ(s.row(), 9);
  EXPECT_EQ(s.column(), 1);
  EXPECT_EQ(row_text(s, 8).substr(74), "      ");
}

TEST(Screen, LineEndOnLastRowScrollsAtOnce) {
  Screen s;
  s.move_to(1, 1);
  s.print("top");
  s.move_to(25, 1);
  s.print("bottom");
  s.print("\r\n");
  EXPECT_EQ(s.row(), 25);
  EXPECT_EQ(s.column(), 1);
  EXPECT_EQ(row_text(s, 24).substr(0, 6), "bottom");
  EXPECT_EQ(row_text(s, 25), std::string(80, ' '));
  EXPECT_NE(row_text(s, 1).substr(0, 3), "top");
}

TEST(Screen, FullLastRowPutsTheLineEndOff) {
  Screen s;
  s.move_to(25, 1);
  s.print(std::string(80, 'a'));
  EXPECT_TRUE(s.pending_line_end());
  EXPECT_EQ(s.row(), 25);
  EXPECT_EQ(s.column(), 80);
  EXPECT_EQ(s.cell(25, 1).ch, 'a');  // not scrolled yet

  s.print("b");  // the next print scrolls first, then starts at row 25, column 1
  EXPECT_EQ(s.cell(24, 80).ch, 'a');
  EXPECT_EQ(s.cell(25, 1).ch, 'b');
  EXPECT_EQ(s.column(), 2);

  s.move_to(25, 1);
  s.print(std::string(80, 'c'));
  s.move_to(0, 0);  // a locate cancels the scroll
  EXPECT_FALSE(s.pending_line_end());
  s.move_to(25, 1);
  s.print("d");
  EXPECT_EQ(s.cell(25, 1).ch, 'd');
  EXPECT_EQ(s.cell(25, 2).ch, 'c');

  s.print("");  // an empty print is nothing at all, even when the line end waits
  s.move_to(25, 1);
  s.print(std::string(80, 'e'));
  s.print("");
  EXPECT_TRUE(s.pending_line_end());
  s.clear();
  EXPECT_FALSE(s.pending_line_end());
}

TEST(Screen, EightyCharactersWithLineEndLeaveAnEmptyRow) {
  Screen s;
  s.move_to(10, 1);
  s.print(std::string(80, 'x'));
  s.print("\r\n");
  EXPECT_EQ(s.row(), 12);

  s.move_to(25, 1);
  s.print(std::string(80, 'y'));
  s.print("\r\n");
  EXPECT_EQ(s.row(), 25);
  EXPECT_EQ(row_text(s, 23), std::string(80, 'y'));
  EXPECT_EQ(row_text(s, 24), std::string(80, ' '));
}

TEST(Screen, ManyLinesScrollSoTheLastStandsOnRow25InCurrentAttribute) {
  Screen s;
  s.set_attribute(0x47);
  s.move_to(20, 1);
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line" + std::to_string(i) + "\n";
  s.print(text + "end");
  EXPECT_EQ(row_text(s, 25).substr(0, 3), "end");
  EXPECT_EQ(row_text(s, 24).substr(0, 6), "line29");
  EXPECT_EQ(s.cell(25, 40).attr, 0x47);  // rows scrolled in take the current attribute

  s.move_to(25, 1);
  s.print(std::string(1000000, '\n'));  // a long run of line ends ends on row 25
  EXPECT_EQ(s.row(), 25);
  EXPECT_EQ(row_text(s, 1), std::string(80, ' '));
}

// Prints, then reads `count` cells from `at` cells after where the cursor was
// (ASCII as itself, else '.'; '[' ']' a pair, '_' a skipped cell) and the cursor.
std::string print_parts(Screen& s, std::string_view print, Glyphs glyphs, int at, int count) {
  int cell = (s.row() - 1) * Screen::kColumns + s.column() - 1 + at;
  s.print(print, glyphs);
  std::string shown;
  for (; count-- > 0; ++cell) {
    const Cell& c = s.cell(cell / Screen::kColumns + 1, cell % Screen::kColumns + 1);
    shown += c.part != CellPart::kWhole ? "?[]_"[static_cast<int>(c.part)]
                                        : (c.ch >= 0x20 && c.ch < 0x7F ? c.ch : '.');
  }
  return shown + " " + std::to_string(s.row()) + "," + std::to_string(s.column());
}

// A pair fills two cells and never straddles a row's end, on row 25 too,
// where it scrolls or puts its line end off like any glyph; a control byte
// after a lead byte, or a mark of the program, pairs with nothing (in 936
// the box corner C9 leads a pair); a print over half a pair blanks the other.
TEST(Screen, PairsFillTwoCellsAndStartANewRowRatherThanStraddleOne) {
  const std::string p = "\x88\x9F";
  for (const auto& [row, column, bytes, glyphs, at, shown] :
       std::to_array<std::tuple<int, int, std::string, Glyphs, int, std::string_view>>({
           {3, 1, "a\x88\x9F", Glyphs::kCodePage, 0, "a[]  3,4"},
           {4, 80, p, Glyphs::kCodePage, -1, " _[]  5,3"},
           {25, 80, p, Glyphs::kCodePage, -80, "_[]  25,3"},
           {25, 79, p, Glyphs::kCodePage, 0, "[] 25,80"},
           {3, 1, "\x88\n\x88", Glyphs::kCodePage, 0, ".  4,2"},
           {3, 1, "\xC9\xCD", Glyphs::kProgram, 0, ".. 3,3"},
           {3, 1, "\xC9\xCD", Glyphs::kCodePage, 0, "[] 3,3"},
           {6, 1, p + p + "\b\b\bx", Glyphs::kCodePage, 0, " x[] 6,3"},
           {6, 1, p + p + "\b\b\b" + p, Glyphs::kCodePage, 0, " []  6,4"},
       })) {
    Screen s;
    s.set_page(code_page_numbered(936));
    s.set_attribute(0x70);
    s.move_to(row, column);
    EXPECT_EQ(print_parts(s, bytes, glyphs, at, static_cast<int>(shown.rfind(' '))), shown);
    EXPECT_EQ(s.pending_line_end(), shown == "[] 25,80");
    if (at != -1) continue;
    EXPECT_EQ(s.cell(4, 80), (Cell{' ', 0x70, Glyphs::kCodePage, CellPart::kSkipped}));
    s.set_page(kCodePage437);
    EXPECT_EQ(print_parts(s, p, Glyphs::kCodePage, 0, 2), ".. 5,5");
  }
}

// In UTF-8 a wide character fills two cells as a pair does, each holding
// the whole character; any other (é, a combining mark) fills one, and a byte
// that starts no character shows in a cell of its own.
TEST(Screen, Utf8CharactersFillTheirCellsWhole) {
  const std::string smile = "\xF0\x9F\x98\x80";
  for (const auto& [column, bytes, at, shown] :
       std::to_array<std::tuple<int, std::string, int, std::string_view>>({
           {1,
            "a" + smile +
                "\xC3\xA9"
                "e\xCC\x81",
            0, "a[].e. 4,7"},
           {80, smile, -1, " _[]  5,3"},
           {1, "\xC3(", 0, ".( 4,3"},
       })) {
    Screen s;
    s.set_page(code_page_numbered(65001));
    s.move_to(4, column);
    EXPECT_EQ(print_parts(s, bytes, Glyphs::kCodePage, at, static_cast<int>(shown.rfind(' '))),
              shown);
  }
  Screen s;
  s.set_page(code_page_numbered(65001));
  s.print(smile);
  EXPECT_EQ(cell_bytes(s.cell(1, 1).ch, s.cell(1, 1).more), smile);
  EXPECT_EQ(s.cell(1, 2).more, s.cell(1, 1).more);
}

TEST(Screen, LocateRules) {
  Screen s;
  s.move_to(5, 10);
  s.move_to(0, 30);
  EXPECT_EQ(s.row(), 5);
  EXPECT_EQ(s.column(), 30);
  s.move_to(26, 1);
  s.move_to(1, 81);
  s.move_to(-1, 0);
  EXPECT_EQ(s.row(), 5);
  EXPECT_EQ(s.column(), 30);
}

}  // namespace
}  // namespace qb
