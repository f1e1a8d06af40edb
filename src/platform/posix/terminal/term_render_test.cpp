// The terminal renderer: what it sends, byte for byte where the cost
// matters, and what a terminal emulator shows after it, for every size.
#include "platform/posix/terminal/term_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cwchar>
#include <random>
#include <string>
#include <tuple>

#include "platform/text/code_page.h"
#include "platform/text/combining_marks.h"
#include "vt_screen.h"

namespace qb {
namespace {

using test::VtScreen;

// The palette index a terminal shows for a console colour.
int terminal_colour(int console_colour) {
  const int sgr = sgr_colour(console_colour, false);
  return sgr >= 90 ? sgr - 90 + 8 : sgr - 30;
}

// Renders `screen` into `vt` and returns the bytes sent.
std::string show(TermRenderer& renderer, const Screen& screen, VtScreen& vt) {
  std::string out;
  renderer.render(screen, TermSize{vt.columns(), vt.rows()}, out);
  vt.feed(out);
  return out;
}

// What the test terminal (UTF-8) shows for `cell` from a renderer for
// `charset`, UTF-8 or ASCII: a mark of the program in code page 437's glyph,
// a combining character over a blank of its own, a C1 control or a
// private-use character, or none, as the replacement character; libvterm's
// DEC graphics have slanted ≤ and ≥.
std::u32string shown_chars(const LocaleCharset& charset, const Cell& cell,
                           const GlyphTable& page_glyphs, const GlyphTable& mark_glyphs) {
  constexpr std::u32string_view kDecGraphics = U"◆▒␉␌␍␊°±␤␋┘┐┌└┼⎺⎻─⎼⎽├┤┴┬│⩽⩾π≠£·";
  const CodePage& page = cell.glyphs == Glyphs::kProgram ? kCodePage437 : *charset.oem;
  if (charset.utf8) {
    const char32_t glyph = page.glyph(cell.ch);
    if (is_combining_mark(glyph)) return std::u32string{U'\u00A0', glyph};
    const bool unshowable =
        glyph == 0 || (glyph >= 0x80 && glyph < 0xA0) || (glyph >= 0xE000 && glyph < 0xF900);
    return std::u32string(1, unshowable ? U'\uFFFD' : glyph);
  }
  const TermGlyph& glyph = (cell.glyphs == Glyphs::kProgram ? mark_glyphs : page_glyphs)[cell.ch];
  const auto letter = static_cast<std::uint8_t>(glyph.bytes[0]);
  return std::u32string(1, glyph.set == GlyphSet::kLines ? kDecGraphics[letter - 0x60] : letter);
}

// What the test terminal (UTF-8) shows in a cell of a pair at row, column:
// the pair's character in its first cell (the replacement character for
// none; a blank without room for the second cell), in the second a blank or
// libvterm's mark of a wide character's second half; a blank where skipped.
std::u32string shown_in_pair(const Screen& screen, int row, int column, int columns) {
  const CellPart part = screen.cell(row, column).part;
  const int first = part == CellPart::kTrail ? column - 1 : column;
  if (part == CellPart::kSkipped || first == columns) return U" ";
  const char32_t glyph =
      screen.page().pair_glyph(screen.cell(row, first).ch, screen.cell(row, first + 1).ch);
  if (part == CellPart::kTrail) return draws_wide(glyph) ? U"\xFFFFFFFF" : U" ";
  return {glyph == 0 || (glyph >= 0xE000 && glyph < 0xF900) ? U'\uFFFD' : glyph};
}

// Every cell the terminal has room for matches the model, glyph and colours;
// the last row of a terminal too small for the form holds the notice
// instead, and the rows above it go down to the cursor's.
void expect_terminal_shows(const VtScreen& vt, const Screen& screen,
                           const LocaleCharset& charset = {}) {
  const GlyphTable page_glyphs = make_glyph_table(charset, *charset.oem);
  const GlyphTable mark_glyphs = make_glyph_table(charset, kCodePage437);
  const TermSize size{vt.columns(), vt.rows()};
  const int notice_row = too_small_for_form(size) ? std::min(size.rows, Screen::kRows) : 0;
  const int offset = notice_row > 0 ? std::max(0, screen.row() - (notice_row - 1)) : 0;
  for (int row = 1; row <= std::min(vt.rows(), Screen::kRows); ++row) {
    for (int column = 1; column <= std::min(vt.columns(), Screen::kColumns); ++column) {
      Cell cell = screen.cell(row + offset, column);
      const auto at = static_cast<std::size_t>(column - 1);
      const char notice = at < kSmallTerminalNotice.size() ? kSmallTerminalNotice[at] : ' ';
      if (row == notice_row) cell = {static_cast<std::uint8_t>(notice), kNoticeAttribute};
      const std::u32string chars = cell.part == CellPart::kWhole
                                       ? shown_chars(charset, cell, page_glyphs, mark_glyphs)
                                       : shown_in_pair(screen, row + offset, column, vt.columns());
      ASSERT_EQ(vt.chars_at(row, column), chars) << row << "," << column;
      if (chars == U"\xFFFFFFFF") continue;  // libvterm keeps the old colours there
      ASSERT_EQ(vt.foreground(row, column), terminal_colour(cell.attr & 15))
          << row << "," << column;
      ASSERT_EQ(vt.background(row, column), terminal_colour(cell.attr >> 4))
          << row << "," << column;
      ASSERT_FALSE(vt.bold(row, column));
    }
  }
  const int cursor_row = screen.row() - offset;
  const bool inside =
      cursor_row <= vt.rows() && screen.column() <= vt.columns() && cursor_row != notice_row;
  EXPECT_EQ(vt.cursor_visible(), screen.cursor_visible() && inside);
  if (vt.cursor_visible()) {
    EXPECT_EQ(vt.cursor_row(), cursor_row);
    EXPECT_EQ(vt.cursor_column(), screen.column());
  }
}

TEST(TermRender, ColoursKeepTheConsolesBitLayout) {
  EXPECT_EQ(sgr_colour(0, false), 30);
  EXPECT_EQ(sgr_colour(1, false), 34);  // blue
  EXPECT_EQ(sgr_colour(4, true), 41);   // red
  EXPECT_EQ(sgr_colour(6, false), 33);  // brown
  EXPECT_EQ(sgr_colour(7, false), 37);
  EXPECT_EQ(sgr_colour(7, true), 47);
  EXPECT_EQ(sgr_colour(8, false), 90);
  EXPECT_EQ(sgr_colour(15, false), 97);
  EXPECT_EQ(sgr_colour(9, true), 104);
}

// Random drawing of text and of the program's marks, frame after frame, on
// terminals larger, equal and smaller than the screen (too small for the
// form too), in UTF-8 with several code pages (Thai and Arabic with their
// combining marks and missing bytes, 932 with its pairs) and in plain
// ASCII: the terminal always shows the model, cell by cell, never scrolls,
// gets no byte beyond its character set and is left in its ASCII set after
// every frame.
TEST(TermRender, TerminalAlwaysShowsTheModelAndNeverScrolls) {
  const auto utf8_with = [](int page) {
    return LocaleCharset{true, {}, &code_page_numbered(page)};
  };
  const CodePage* pairs = &code_page_numbered(932);
  for (const LocaleCharset& charset : {LocaleCharset{}, LocaleCharset{false, {}}, utf8_with(874),
                                       utf8_with(720), utf8_with(866), utf8_with(932)}) {
    for (const TermSize size : {TermSize{80, 25}, TermSize{80, 24}, TermSize{100, 30},
                                TermSize{60, 20}, TermSize{30, 30}}) {
      // The glyphs of a one-byte page, once; pairs on every size.
      if (charset.oem != &kCodePage437 && charset.oem != pairs && size != TermSize{}) continue;
      VtScreen vt(size.columns, size.rows);
      VtScreen wider(size.columns + 1, size.rows + 1);  // sees anything sent outside
      TermRenderer renderer(charset);
      TermRenderer twin(charset);
      Screen screen;
      screen.set_page(*charset.oem);
      std::mt19937 random(7);
      for (int frame = 0; frame < 100; ++frame) {
        for (int n = random() % 6; n >= 0; --n) {
          screen.set_attribute(static_cast<std::uint8_t>(random()));
          screen.move_to(1 + random() % Screen::kRows, 1 + random() % Screen::kColumns);
          std::string text;
          for (int k = random() % 12; k >= 0; --k) text += static_cast<char>(random() % 256);
          if (charset.oem == pairs && random() % 2 == 0) text += "\x88\x9F\x83\xBF";  // 亜α
          screen.print(text, random() % 3 == 0 ? Glyphs::kProgram : Glyphs::kCodePage);
        }
        screen.set_cursor_visible(random() % 4 != 0);
        if (frame % 50 == 49) renderer.invalidate();
        const std::string out = show(renderer, screen, vt);
        std::string out_twin;
        twin.render(screen, size, out_twin);
        wider.feed(out_twin);
        ASSERT_NO_FATAL_FAILURE(expect_terminal_shows(vt, screen, charset))
            << size.columns << "x" << size.rows;
        ASSERT_EQ(out.find('\n'), std::string::npos);
        // Back in ASCII after the last switch to line drawing; no byte above 127 outside UTF-8.
        ASSERT_GE(out.rfind("\x1b(B") + 1, out.rfind("\x1b(0") + 1);
        ASSERT_TRUE(charset.utf8 ||
                    std::all_of(out.begin(), out.end(), [](char c) { return c >= 0; }));
      }
      EXPECT_EQ(vt.scrolled_lines(), 0);
      EXPECT_EQ(wider.scrolled_lines(), 0);
      EXPECT_TRUE(wider.no_text(size.rows + 1, 1, size.columns + 1));
      for (int row = 1; row <= size.rows; ++row)
        EXPECT_TRUE(wider.no_text(row, size.columns + 1, size.columns + 1));
    }
  }
}

TEST(TermRender, FramesStartFromAnEraseInTheirCommonestBlank) {
  TermRenderer renderer;
  Screen screen;
  VtScreen vt(100, 30);
  // All blanks in attribute 7, the console's default look: the terminal's own.
  const std::string first = show(renderer, screen, vt);
  EXPECT_EQ(first, "\x1b[0m\x1b[2J\x1b[H\x1b[?25h");
  EXPECT_EQ(show(renderer, screen, vt), "");
  screen.move_to(1, 1);  // touches the model, changes nothing shown
  EXPECT_EQ(show(renderer, screen, vt), "");
  renderer.invalidate();
  EXPECT_EQ(show(renderer, screen, vt), first);
  // A grey screen: one erase in grey, then only what differs from it.
  screen.set_attribute(0x70);
  screen.clear();
  screen.move_to(3, 5);
  screen.print("ab");
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[30;47m\x1b[2J\x1b[3;5Hab");
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(vt, screen));
  TermRenderer no_colour_erase({}, false);  // erases in the default colours, draws every cell
  VtScreen plain_vt(80, 25);
  EXPECT_EQ(show(no_colour_erase, screen, plain_vt).rfind("\x1b[0m\x1b[2J\x1b[H\x1b[30;47m ", 0),
            0u);
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(plain_vt, screen));
  // Cleared in 7 on 0 at the end: the whole terminal in its default colours.
  screen.set_attribute(0x07);
  screen.clear();
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[0m\x1b[2J\x1b[H");
  for (int row = 1; row <= 30; ++row) EXPECT_TRUE(vt.untouched(row, 1, 100)) << row;
}

TEST(TermRender, TypingAtTheCursorCostsOneBytePerCharacter) {
  TermRenderer renderer;
  Screen screen;
  VtScreen vt(80, 25);
  screen.set_attribute(0x70);
  screen.clear();
  screen.move_to(12, 6);
  screen.print("\xAF Source file: ");
  show(renderer, screen, vt);
  for (const char c : std::string("hello.bas")) {
    screen.print(std::string(1, c));
    EXPECT_EQ(show(renderer, screen, vt), std::string(1, c));
  }
  screen.print("\xC9");  // a box glyph is its UTF-8 form, nothing more
  EXPECT_EQ(show(renderer, screen, vt), "\xE2\x95\x94");
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(vt, screen));
}

TEST(TermRender, MovesAreShortAndAttributesSentOnlyOnChange) {
  TermRenderer renderer;
  Screen screen;
  VtScreen vt(80, 25);
  screen.set_attribute(0x70);
  screen.clear();
  show(renderer, screen, vt);
  screen.move_to(10, 20);
  screen.print("ab");
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[10;20Hab");
  screen.set_attribute(0x1F);
  screen.move_to(10, 24);
  screen.print("cd");  // two unchanged cells to skip, then a new pen for both
  EXPECT_EQ(show(renderer, screen, vt), "  \x1b[97;44mcd");
  screen.move_to(11, 1);
  screen.print("e");  // same pen, next row: carriage return and one down
  EXPECT_EQ(show(renderer, screen, vt), "\r\x1b[Be");
  screen.set_attribute(0x17);
  screen.move_to(11, 2);
  screen.print("f");  // only the foreground changes
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[37mf");
  screen.set_cursor_visible(false);
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[?25l");
  screen.move_to(1, 1);
  EXPECT_EQ(show(renderer, screen, vt), "");  // a hidden cursor is not moved
  screen.set_cursor_visible(true);
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[H\x1b[?25h");
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(vt, screen));
}

TEST(TermRender, LastColumnAndControlGlyphsAreFollowedByAnAbsoluteMove) {
  TermRenderer renderer;
  Screen screen;
  VtScreen vt(80, 25);
  screen.set_attribute(0x70);
  screen.clear();
  show(renderer, screen, vt);
  screen.move_to(25, 79);
  screen.print("yz");  // fills the bottom-right cell: the model puts off its line end
  screen.move_to(25, 1);
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[25;79Hyz\x1b[25H");
  EXPECT_EQ(vt.scrolled_lines(), 0);
  screen.move_to(3, 3);
  screen.print("\x01q");
  EXPECT_EQ(show(renderer, screen, vt), "\x1b[3;3H\xE2\x98\xBA\x1b[3;4Hq");
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(vt, screen));
}

// A wide glyph costs its bytes alone; one that a terminal may draw one cell
// wide goes over a blank, and the next cell is reached with an absolute
// move, so no column shifts either way.
TEST(TermRender, PairsAreOneGlyphOverTwoCells) {
  const LocaleCharset charset{true, {}, &code_page_numbered(936)};
  TermRenderer renderer(charset);
  Screen screen;
  screen.set_page(*charset.oem);
  VtScreen vt(80, 25);
  screen.set_attribute(0x70);
  screen.clear();
  screen.move_to(3, 1);
  show(renderer, screen, vt);
  screen.print("\xB1\xED");  // 表
  EXPECT_EQ(show(renderer, screen, vt), "\xE8\xA1\xA8");
  screen.print("\xA6\xC1z");  // αz
  EXPECT_EQ(show(renderer, screen, vt), "  \x1b[2D\xCE\xB1\x1b[3;5Hz");
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(vt, screen, charset));
}

// The program's marks show as code page 437 shows them whatever the page
// (» where 866 has п), the page's bytes as the page shows them; where the
// page agrees with 437 a mark is any byte and is not drawn again. A Thai
// vowel sign stands on a blank of its own, so the cells after it keep their
// columns, and the next cell is reached with an absolute move.
TEST(TermRender, MarksKeepTheirGlyphsAndCombiningCharactersTheirCells) {
  for (const auto& [page, marks, after] :
       {std::tuple{866, "» п", U'╤'}, {850, "» »", U'Ð'}, {874, "» ฏ", U'\u00A0'}}) {
    TermRenderer renderer(LocaleCharset{true, {}, &code_page_numbered(page)});
    Screen screen;
    VtScreen vt(80, 25);
    screen.set_attribute(0x70);
    screen.clear();
    screen.move_to(5, 5);
    screen.print("\xAF ", Glyphs::kProgram);
    screen.print("\xAF\xD1z");
    show(renderer, screen, vt);
    EXPECT_EQ(vt.text_at(5, 5, 3), marks) << page;
    EXPECT_EQ(vt.char_at(5, 8), after) << page;
    EXPECT_EQ(vt.char_at(5, 9), U'z') << page;
    screen.move_to(5, 5);
    screen.print("\xAF");  // the mark's cell now holds the page's byte
    const std::string out = show(renderer, screen, vt);
    EXPECT_EQ(std::all_of(out.begin(), out.end(), [](char c) { return c >= 0; }), page == 850);
    EXPECT_EQ(vt.char_at(5, 5), vt.char_at(5, 7)) << page;
  }
  TermRenderer thai(LocaleCharset{true, {}, &code_page_numbered(874)});
  Screen screen;
  VtScreen vt(80, 25);
  screen.move_to(3, 3);
  screen.print("\xCA\xD1q");
  EXPECT_NE(show(thai, screen, vt).find("\x1b[3;3H\xE0\xB8\xAA\xC2\xA0\xE0\xB8\xB1\x1b[3;5Hq"),
            std::string::npos);
  EXPECT_NO_FATAL_FAILURE(
      expect_terminal_shows(vt, screen, LocaleCharset{true, {}, &code_page_numbered(874)}));
}

// The characters that go on a blank of their own are exactly those of the
// code pages that the C library's UTF-8 locale gives no width.
TEST(TermRender, CombiningAndWideCharactersAreThoseOfTheirWidth) {
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  for (const CodePage* page : kCodePages) {
    for (int byte = 0x80; byte < 0x100; ++byte) {
      const char32_t glyph = page->glyph(static_cast<std::uint8_t>(byte));
      if (glyph < 0xA0 || (glyph >= 0xE000 && glyph < 0xF900)) continue;  // never sent as they are
      EXPECT_EQ(is_combining_mark(glyph), wcwidth(static_cast<wchar_t>(glyph)) == 0)
          << page->number << " " << byte;
    }
    // Every pair's character is drawn two cells wide just where the C
    // library says so; the ambiguous ones, which it takes as narrow, too.
    for (int lead = 0x81; lead < 0x100 && page->pairs != nullptr; ++lead) {
      for (int trail = 0x40; trail < 0x100 && page->is_lead(static_cast<std::uint8_t>(lead));
           ++trail) {
        const char32_t glyph =
            page->pair_glyph(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
        if (glyph == 0 || (glyph >= 0xE000 && glyph < 0xF900)) continue;
        EXPECT_EQ(draws_wide(glyph), wcwidth(static_cast<wchar_t>(glyph)) == 2)
            << page->number << " U+" << std::hex << static_cast<unsigned>(glyph);
      }
    }
  }
  std::setlocale(LC_CTYPE, "C");
}

TEST(TermRender, SmallTerminalGetsOnlyTheCellsThatFitAndAResizeRepaints) {
  TermRenderer renderer;
  Screen screen;
  screen.set_attribute(0x70);
  screen.clear();
  screen.move_to(25, 1);
  screen.print("bottom row");
  VtScreen short_terminal(80, 24);
  const std::string out = show(renderer, screen, short_terminal);
  EXPECT_EQ(out.find("\x1b[25"), std::string::npos);
  EXPECT_FALSE(short_terminal.cursor_visible());  // the cursor stands on row 25
  VtScreen full_terminal(80, 25);
  full_terminal.feed(out);
  EXPECT_TRUE(full_terminal.no_text(25, 1, 80));
  // The terminal grows: the next frame starts over and shows row 25 too.
  show(renderer, screen, full_terminal);
  EXPECT_NO_FATAL_FAILURE(expect_terminal_shows(full_terminal, screen));
}

// A single-byte set gets its own characters (Latin-1: », é), the line-drawing
// set for the boxes and look-alikes for the rest, one byte a cell, switching
// sets only where a byte needs it (from 0x5F on, the underscore included)
// and back at the end of the frame.
TEST(TermRender, GlyphsGoOutInTheLocalesCharacterSet) {
  LocaleCharset latin1{false, {}};
  for (std::size_t i = 0; i < latin1.high.size(); ++i) latin1.high[i] = 0x80 + i;
  for (const auto& [charset, expected] :
       {std::pair{latin1, "\xBB \x1b(0lqk\x1b(B_ok\xE9\x1b(0x\x1b(B"},
        std::pair{LocaleCharset{false, {}}, "> \x1b(0lqk\x1b(B_oke\x1b(0x\x1b(B"}}) {
    TermRenderer renderer(charset);
    Screen screen;
    screen.set_attribute(0x70);
    screen.clear();
    std::string out;
    renderer.render(screen, TermSize{}, out);
    screen.move_to(5, 5);
    screen.print("\xAF \xC9\xCD\xBB_ok\x82\xB3");  // the underscore is 0x5F
    out.clear();
    renderer.render(screen, TermSize{}, out);
    EXPECT_EQ(out, std::string("\x1b[5;5H") + expected);
  }
  EXPECT_EQ(pair_glyph(LocaleCharset{false, {}}, U'─').text(), "q ");  // a pair's two cells
  // A character of no width that no page holds stands on a blank too.
  EXPECT_EQ(character_glyph(LocaleCharset{}, U'\uFE0F').text(), "\u00A0\uFE0F");
}

// In plain ASCII (LANG=C) every byte of 437 and 850 has its look-alike:
// the letter without its accent, the box pieces as + - | = and the like.
TEST(TermRender, EveryByteOfTheWesternPagesHasAPlainLookAlike) {
  LocaleCharset ascii;
  ascii.utf8 = false;
  for (const auto& [page, first, looks] :
       {std::tuple{&kCodePage437, 0x01,
                   "oo******oo*****><|!PS-|^v><L-^v !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJ"
                   "KLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~^CueaaaaceeeiiiAAEaAooou"
                   "uyOUcLYPfaiounNao?--//!<>###|++++++|+++++++++-++++++++=+++++++++++++#_||-aBGp"
                   "SsutFTOd8fen=+><()/~o..vn2# "},
        {&kCodePage850, 0x80,
         "CueaaaaceeeiiiAAEaAooouuyOUoLOxfaiounNao?R-//!<>###|+AAAC+|++cY+++++-+aA+++++=+odDEE"
         "EiIII++#_|I-OBOOoOupPUUUyY-'-+_3PS/,o\".132# "}}) {
    const GlyphTable glyphs = make_glyph_table(ascii, *page, GlyphUse::kText);
    std::string shown;
    for (int byte = first; byte < 256; ++byte)
      shown += glyphs[static_cast<std::size_t>(byte)].text();
    EXPECT_EQ(shown, looks) << page->number;
  }
}

}  // namespace
}  // namespace qb
