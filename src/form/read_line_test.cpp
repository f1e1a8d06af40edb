// The line editor on the in-memory backend: each editing key, what reaches
// the screen after each key, wrapping and scrolling, and read_answer; and
// its verbs on the state alone, over the cells of code page 932's pairs.
#include "form/read_line.h"
#include "form/edit_verbs.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/keys/bios_keys.h"
#include "platform/memory/memory_backend.h"
#include "support/screen_text.h"

namespace qb {
namespace {

constexpr std::uint8_t kGreen = 0x72;  // green on light grey
constexpr std::uint8_t kGrey = 0x70;   // the cleared screen

// Keeps every frame shown, one per key wait, while `recording` is on, and
// runs `meddle` once, at the frame numbered `meddle_at`.
struct RecordingBackend : MemoryBackend {
  bool recording = false;
  std::vector<Screen> history;
  int meddle_at = -1;
  std::function<void()> meddle;
  void present(const Screen& screen) override {
    MemoryBackend::present(screen);
    if (recording) history.push_back(screen);
    if (frames == meddle_at) meddle();
  }
};

// A light grey screen with the cursor at row, column and green text colours.
struct Editor {
  RecordingBackend backend;
  Console con{backend};

  Editor(int row, int column) {
    con.set_color(0, 7);
    con.clear_screen();
    con.set_color(2, -1);
    con.locate(row, column);
  }
  // Keys come 10 ms apart, as a typist's do, so each is shown before the next.
  void keys(std::initializer_list<int> codes) {
    for (const int code : codes) type(code);
  }
  void text(std::string_view typed) {
    for (const char c : typed) type(static_cast<unsigned char>(c));
  }
  void type(int code) { backend.type_at(typed_until += 0.010, code); }
  double typed_until = 0.0;
  const Screen& screen() const { return con.screen(); }
};

// The cells in which two screens differ, as row * 100 + column.
std::vector<int> changed_cells(const Screen& a, const Screen& b) {
  std::vector<int> cells;
  for (int r = 1; r <= Screen::kRows; ++r) {
    for (int c = 1; c <= Screen::kColumns; ++c) {
      if (!(a.cell(r, c) == b.cell(r, c))) cells.push_back(r * 100 + c);
    }
  }
  return cells;
}

TEST(ReadLine, InsertsAtTheInsertionPointAndMovesTheRestRight) {
  Editor ed(12, 26);
  ed.text("acd");
  ed.keys({key::kLeft, key::kLeft, 'b', key::kHome, '>', key::kEnd, '!', key::kEnter});
  EXPECT_EQ(read_line(ed.con), ">abcd!");
  EXPECT_EQ(text_at(ed.screen(), 12, 26, 7), ">abcd! ");
  for (int c = 26; c <= 31; ++c) EXPECT_EQ(ed.screen().cell(12, c).attr, kGreen) << c;
  EXPECT_EQ(ed.con.cursor_column(), 32);  // moved to the end after Enter
}

TEST(ReadLine, LeftRightHomeEndStayWithinTheText) {
  Editor ed(5, 10);
  ed.keys({key::kLeft, key::kHome, 'x', key::kRight, key::kRight, 'y', key::kHome, key::kLeft, 'a',
           key::kEnd, key::kRight, 'z', key::kEnter});
  EXPECT_EQ(read_line(ed.con), "axyz");
}

TEST(ReadLine, TabFillsSpacesToTheNextMultipleOfEightFromTheAnswerStart) {
  Editor ed(12, 26);  // column 26 is not a tab stop of the screen: the count is the answer's
  ed.keys({key::kTab, 'a', 'b', 'c', key::kTab, 'x', key::kHome, key::kTab, key::kEnter});
  EXPECT_EQ(read_line(ed.con), std::string(16, ' ') + "abc" + std::string(5, ' ') + "x");
}

TEST(ReadLine, BackspaceAndDeleteBlankOnlyTheFreedCells) {
  Editor ed(12, 26);
  ed.con.locate(12, 32);
  ed.con.print_text("ZZ", false);  // stands beyond the text: never touched
  ed.con.locate(12, 26);
  ed.text("abcd");
  ed.keys({key::kBackspace, key::kHome, key::kBackspace, key::kDelete, key::kEnter});
  EXPECT_EQ(read_line(ed.con), "bc");
  EXPECT_EQ(text_at(ed.screen(), 12, 26, 8), "bc    ZZ");
  EXPECT_EQ(ed.screen().cell(12, 28).attr, kGreen);  // blanked in the current colours
  EXPECT_EQ(ed.screen().cell(12, 30).attr, kGrey);   // never written
  EXPECT_EQ(ed.backend.beeps, 0);
}

TEST(ReadLine, DeleteAtTheEndBeepsAndChangesNothing) {
  Editor ed(12, 26);
  ed.text("ab");
  ed.keys({key::kDelete, key::kLeft, key::kDelete, key::kDelete, key::kEnter});
  EXPECT_EQ(read_line(ed.con), "a");
  EXPECT_EQ(ed.backend.beeps, 2);
  EXPECT_EQ(text_at(ed.screen(), 12, 26, 3), "a  ");
}

TEST(ReadLine, EscClearsTheTextAndItsCellsAndTypingStartsOver) {
  Editor ed(12, 26);
  ed.text(std::string(70, 'q'));  // wraps onto row 13
  ed.keys({key::kHome, key::kRight, key::kEscape, key::kEnter});
  EXPECT_EQ(read_line(ed.con), "");
  EXPECT_TRUE(blank_cells(ed.screen(), 12, 26, 80, kGreen));
  EXPECT_TRUE(blank_cells(ed.screen(), 13, 1, 15, kGreen));
  EXPECT_TRUE(blank_cells(ed.screen(), 13, 16, 80, kGrey));
  EXPECT_EQ(ed.con.cursor_row(), 12);
  EXPECT_EQ(ed.con.cursor_column(), 26);

  ed.text("old");
  ed.keys({key::kEscape, 'n', 'e', 'w', key::kEnter});
  EXPECT_EQ(read_line(ed.con), "new");
}

TEST(ReadLine, OtherKeysAreIgnored) {
  Editor ed(12, 26);
  // Keys the editor has no use for, control codes, Shift+Tab, Alt+Enter,
  // Alt+Backspace, Alt+Esc and Alt with a key the BIOS has no code for;
  // 255 is the page's last character (the no-break space of 437 and 850).
  ed.keys({'a', key::kF1, key::kInsert, key::kPageUp, key::kPageDown, key::kAltF4, 1, 0, 7, 31,
           key::extended(0x0F), key::extended(0x1C), key::extended(0x0E), key::extended(0x01),
           key::kAltOther, 255, 256, 'b', key::kEnter});
  EXPECT_EQ(read_line(ed.con),
            "a\xFF"
            "b");
  EXPECT_EQ(ed.backend.beeps, 0);
}

TEST(ReadLine, LineFeedEndsTheLineAndTheCursorIsShownOnlyMeanwhile) {
  Editor ed(12, 26);
  ed.con.show_cursor(false);
  ed.keys({'o', 'k', 10, 'n'});
  EXPECT_EQ(read_line(ed.con), "ok");
  EXPECT_TRUE(ed.backend.shown.cursor_visible());  // while waiting for the keys
  EXPECT_EQ(ed.backend.shown.column(), 28);
  EXPECT_FALSE(ed.con.cursor_visible());
  ed.con.wait_for_input(50);
  EXPECT_TRUE(ed.con.key_waiting());  // the key after Enter is left for the next read
}

TEST(ReadLine, AnAppendChangesOneCellAndTheCursor) {
  Editor ed(12, 26);
  ed.backend.recording = true;
  ed.text("hello");
  ed.keys({key::kEnter});
  read_line(ed.con);
  const auto& frames = ed.backend.history;
  ASSERT_GE(frames.size(), 6u);
  for (std::size_t k = frames.size() - 5; k < frames.size(); ++k) {
    const int column = 26 + static_cast<int>(k - (frames.size() - 5));
    EXPECT_EQ(changed_cells(frames[k - 1], frames[k]), std::vector<int>{1200 + column}) << k;
    EXPECT_EQ(frames[k].column(), column + 1);
  }
}

TEST(ReadLine, AnAppendDoesNotReprintWhatStandsBeforeIt) {
  Editor ed(12, 26);
  ed.text("abc");
  ed.keys({'d', key::kEnter});
  // Once "abc" is shown, its first cell is changed behind the editor's back:
  // an append that reprinted the whole text would put the 'a' back.
  ed.backend.meddle_at = 4;
  ed.backend.meddle = [&ed] {
    ed.con.locate(12, 26);
    ed.con.print_text("#", false);
    ed.con.locate(12, 29);
  };
  EXPECT_EQ(read_line(ed.con), "abcd");
  EXPECT_EQ(text_at(ed.screen(), 12, 26, 5), "#bcd ");
}

TEST(ReadLine, EditingAcrossTheRowBoundaryMovesTheWrappedTail) {
  Editor ed(12, 26);
  ed.backend.recording = true;
  std::string typed;
  for (int i = 0; i < 60; ++i) typed += static_cast<char>('A' + i % 26);
  ed.text(typed);  // 55 cells on row 12 (columns 26 to 80), 5 on row 13
  std::vector<int> back(7, key::kLeft);
  for (const int k : back) ed.type(k);  // insertion point 53: row 12, column 79
  ed.keys({'#', '$', key::kBackspace, key::kDelete, key::kDelete, key::kEnter});
  std::string expected = typed;
  expected.insert(53, 1, '#');
  expected.erase(54, 2);
  EXPECT_EQ(read_line(ed.con), expected);
  EXPECT_EQ(text_at(ed.screen(), 12, 76, 5), expected.substr(50, 5));
  EXPECT_EQ(text_at(ed.screen(), 13, 1, 5), expected.substr(55, 4) + " ");
  EXPECT_EQ(ed.screen().cell(13, 7).attr, kGreen);  // freed, blanked
  EXPECT_EQ(ed.screen().cell(13, 8).attr, kGrey);   // never part of the text

  // Between keys, every frame changed only cells of the text, from the insertion point on.
  const auto& frames = ed.backend.history;
  for (std::size_t k = frames.size() - 5; k < frames.size(); ++k) {
    for (const int cell : changed_cells(frames[k - 1], frames[k])) {
      EXPECT_TRUE((cell >= 1279 && cell <= 1280) || (cell >= 1301 && cell <= 1307)) << cell;
    }
  }
}

TEST(ReadLine, UpAndDownMoveByOneScreenWidth) {
  Editor ed(3, 1);
  ed.text(std::string(200, '.'));
  // At 200: Up to 120, Up to 40, Up refused; Down to 120, Down to 200, Down refused.
  ed.keys({key::kUp, key::kUp, key::kUp, 'u', key::kDown, key::kDown, key::kDown, 'd', key::kHome,
           key::kDown, key::kDown, key::kDown, 'h', key::kEnter});
  const std::string line = read_line(ed.con);
  ASSERT_EQ(line.size(), 203u);
  EXPECT_EQ(line[40], 'u');
  EXPECT_EQ(line[160], 'h');
  EXPECT_EQ(line[202], 'd');
  EXPECT_EQ(ed.screen().cell(3, 41).ch, 'u');
  EXPECT_EQ(ed.screen().cell(5, 1).ch, 'h');
}

// Cells from the text's start on rows of 80: "a" at 0, forty 表 at 1-2 ... 77-78 and, past
// the blank cell 79, at 80-81; "bc" at 82-83; 76 "x" at 84-159.
TEST(EditVerbs, TakeWholeCharactersAndTheCellsAPairCovers) {
  std::string text = "a";
  for (int i = 0; i < 40; ++i) text += "\x95\x5C";
  text += "bc" + std::string(76, 'x');
  const struct {
    long start;
    std::size_t pos;
    void (*verb)(LineEdit&);
    std::size_t pos_after;
    std::size_t size_after;
  } cases[] = {
      {0, 1, edit_down, 79, 159},        // onto a pair's second cell: the pair
      {0, 81, edit_up, 1, 159},          // the same, above
      {0, 158, edit_up, 79, 159},        // onto the blank: the pair after it
      {0, 81, edit_left, 79, 159},       // past the blank
      {0, 79, edit_right, 81, 159},      // past both bytes
      {0, 79, edit_backspace, 77, 157},  // the pair before, whole
      {0, 79, edit_delete, 79, 157},     // the pair at the cursor, whole
      {0, 3, edit_tab, 8, 164},          // counts bytes, a pair two
      {-80, 158, edit_up, 158, 159},     // the first row went off the top
      {-80, 158, edit_home, 79, 159},    // to the first reachable pair
  };
  for (const auto& c : cases) {
    LineEdit st{.page = &code_page_numbered(932), .text = text, .pos = c.pos, .start = c.start};
    c.verb(st);
    EXPECT_EQ(st.pos, c.pos_after) << c.start << " " << c.pos;
    EXPECT_EQ(st.text.size(), c.size_after) << c.start << " " << c.pos;
  }
}

TEST(ReadLine, ALineThatScrollsTheScreenKeepsItsCursorOnItsCells) {
  Editor ed(24, 26);
  ed.con.locate(1, 1);
  ed.con.print_text("top row", false);
  ed.con.locate(24, 26);
  ed.text(std::string(250, 'x'));  // 55 cells on row 24, 80 on row 25, 115 below: two scrolls
  ed.keys({key::kHome, 'S', key::kEnd, key::kBackspace, 'E', key::kEnter});
  const std::string line = read_line(ed.con);
  EXPECT_EQ(line, 'S' + std::string(249, 'x') + 'E');
  EXPECT_EQ(ed.screen().cell(22, 26).ch, 'S');  // the start went up two rows
  EXPECT_TRUE(blank_cells(ed.screen(), 22, 1, 25, kGrey));
  EXPECT_EQ(text_at(ed.screen(), 25, 1, 37), std::string(35, 'x') + "E ");
  EXPECT_TRUE(blank_cells(ed.screen(), 25, 37, 80, kGreen));  // scrolled in, current colours
  EXPECT_TRUE(blank_cells(ed.screen(), 1, 1, 80, kGrey));     // "top row" went off the top
  EXPECT_EQ(ed.con.cursor_row(), 25);
  EXPECT_EQ(ed.con.cursor_column(), 37);
}

TEST(ReadLine, AnInsertThatPushesTheTailBelowTheLastRowFollowsTheScroll) {
  Editor ed(24, 26);
  ed.text(std::string(134, 'x'));                     // up to row 25, column 79
  ed.keys({key::kHome, 'S', 'T', 'U', key::kEnter});  // 'T' pushes the last x below row 25
  EXPECT_EQ(read_line(ed.con), "STU" + std::string(134, 'x'));
  EXPECT_EQ(text_at(ed.screen(), 23, 25, 5), " STUx");
  EXPECT_EQ(text_at(ed.screen(), 25, 1, 3), "xx ");
  EXPECT_EQ(ed.con.cursor_row(), 25);
  EXPECT_EQ(ed.con.cursor_column(), 3);
}

TEST(ReadLine, FillingTheLastCellScrollsTheCursorOntoANewRow) {
  Editor ed(25, 71);
  ed.text(std::string(10, 'w'));  // the tenth lands on row 25, column 80
  ed.keys({key::kBackspace, key::kEnter});
  EXPECT_EQ(read_line(ed.con), std::string(9, 'w'));
  EXPECT_EQ(text_at(ed.screen(), 24, 71, 10), std::string(9, 'w') + " ");
  EXPECT_EQ(ed.con.cursor_row(), 24);
  EXPECT_EQ(ed.con.cursor_column(), 80);
  EXPECT_TRUE(blank_cells(ed.screen(), 25, 1, 80, kGreen));

  // A line begun after a print that filled the last row starts on a new row.
  ed.con.locate(25, 1);
  ed.con.print_text(std::string(80, '='), false);
  ed.keys({'a', 'b', key::kEnter});
  EXPECT_EQ(read_line(ed.con), "ab");
  EXPECT_EQ(row_text(ed.screen(), 24), std::string(80, '='));
  EXPECT_EQ(text_at(ed.screen(), 25, 1, 3), "ab ");
}

TEST(ReadLine, TextWhoseStartScrolledOffTheTopIsReachableFromTheFirstVisibleCell) {
  Editor ed(20, 1);
  std::string typed;
  for (int i = 0; i < 2500; ++i) typed += static_cast<char>('a' + i % 26);
  ed.text(typed);
  // The text now fills rows 1 to 24 and 20 cells of row 25; 560 cells went off the top.
  ed.keys({key::kHome, key::kBackspace, key::kUp, key::kLeft, '^', key::kEnter});
  std::string expected = typed;
  expected.insert(560, 1, '^');
  EXPECT_EQ(read_line(ed.con), expected);
  EXPECT_EQ(text_at(ed.screen(), 1, 1, 3), expected.substr(560, 3));
  EXPECT_EQ(text_at(ed.screen(), 25, 1, 22), expected.substr(2480) + " ");

  ed.con.locate(20, 1);
  ed.text(typed);
  ed.keys({key::kHome, key::kEscape, 'e', key::kEnter});
  EXPECT_EQ(read_line(ed.con), "e");
  EXPECT_EQ(text_at(ed.screen(), 1, 1, 2), "e ");
  for (int row = 2; row <= 24; ++row) EXPECT_TRUE(blank_cells(ed.screen(), row, 1, 80, kGreen));
  EXPECT_TRUE(blank_cells(ed.screen(), 25, 1, 20, kGreen));
}

TEST(ReadLine, APasteOf5000KeysKeepsEveryKeyInOrder) {
  MemoryBackend backend;
  Console con(backend);
  con.locate(12, 26);
  std::string typed;
  for (int i = 0; i < 5000; ++i) typed += static_cast<char>(33 + i % 90);
  backend.type_text(typed);
  backend.type(key::kEnter);
  EXPECT_EQ(read_line(con), typed);
  EXPECT_EQ(text_at(con.screen(), 25, 61, 6), typed.substr(4995) + " ");
  EXPECT_EQ(con.cursor_row(), 25);
  EXPECT_EQ(con.cursor_column(), 66);
}

// Where output is a plain stream, a terminal that honours backspace is
// shown each edit as it is made, by backing up, reprinting and blanking; a
// pipe or a file gets the finished text alone, and never a backspace.
TEST(ReadLine, APlainStreamShowsTheTextThatWasRead) {
  using namespace key;
  const Keystroke hyo = Keystroke::character("\x95\x5C");  // 表
  const Keystroke ji = Keystroke::character("\x8E\xA6");   // 示
  const struct {
    std::vector<Keystroke> keys;
    const char* text;
    const char* shown;  // what the terminal gets
    const CodePage* page = &kCodePage437;
  } cases[] = {
      {{'a', 'b', 'c', kBackspace, 'd', kEnter}, "abd", "abc\b \bd"},
      {{'a', 'c', kLeft, 'b', kEnd, '!', kEnter}, "abc!", "ac\bbc\bc!"},
      {{'a', 'b', 'c', kLeft, kLeft, kBackspace, kDelete, kEnter},
       "c",
       "abc\b\b\bbc \b\b\bc \b\bc"},  // Enter goes on to the end
      // 表示A: a pair is two cells; a lead byte with no second byte is dropped.
      {{hyo, ji, 'A', kLeft, kLeft, kBackspace, kEnter},
       "\x8E\xA6\x41",
       "\x95\x5C\x8E\xA6\x41\b\b\b\b\b\x8E\xA6\x41  \b\b\b\b\b\x8E\xA6\x41",
       &code_page_numbered(932)},
      {{'a', 0x95, kBackspace, 'b', 0x95, kEnter}, "b", "a\b \bb", &code_page_numbered(932)},
      // é😀A in UTF-8: a backspace a column, 😀 two; a byte that is no character is dropped.
      {{Keystroke::character("\xC3\xA9"), Keystroke::character("\xF0\x9F\x98\x80"), 'A', 0xC3,
        kLeft, kLeft, kBackspace, kEnter},
       "\xF0\x9F\x98\x80\x41",
       "\xC3\xA9\xF0\x9F\x98\x80\x41\b\b\b\b\xF0\x9F\x98\x80\x41 \b\b\b\b\xF0\x9F\x98\x80\x41",
       &code_page_numbered(65001)},
  };
  for (const bool edits : {true, false}) {
    for (const auto& c : cases) {
      MemoryBackend backend;
      backend.screen_output = false;
      backend.stream_edits = edits;
      backend.code_page = c.page;
      Console con(backend);
      for (const Keystroke& key : c.keys) backend.type(key);
      EXPECT_EQ(read_line(con), c.text);
      EXPECT_EQ(backend.stream, edits ? c.shown : c.text);
    }
  }
}

TEST(ReadAnswer, EndsOnTheRowBelowTheTextWhereverTheCursorWas) {
  Editor ed(12, 26);
  ed.text("  abc, def");
  ed.keys({key::kHome, key::kEnter});
  EXPECT_EQ(read_answer(ed.con), "abc");
  EXPECT_EQ(ed.con.cursor_row(), 13);
  EXPECT_EQ(ed.con.cursor_column(), 1);
  EXPECT_EQ(text_at(ed.screen(), 12, 26, 11), "  abc, def ");

  ed.keys({key::kEscape, key::kEnter});
  EXPECT_EQ(read_answer(ed.con), "");
  EXPECT_EQ(ed.con.cursor_row(), 14);

  ed.text(std::string(5000, 'p'));
  ed.keys({key::kEnter});
  EXPECT_EQ(read_answer(ed.con), std::string(4096, 'p'));
  EXPECT_EQ(ed.con.cursor_row(), 25);
  EXPECT_EQ(ed.con.cursor_column(), 1);
}

}  // namespace
}  // namespace qb
