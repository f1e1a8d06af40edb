// The Windows console backend against a real console: cells, attributes and
// cursor as drawn, the buffer and window sizes, the hand-over around
// commands, redirected output and the timer (console_fixture.h).
#include "platform/win32/console/console_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/screen/screen.h"
#include "platform/win32/console/console_fixture.h"

namespace qb {
namespace {

using test::Win32ConsoleTest;

TEST_F(Win32ConsoleTest, ResizeMakesBufferAndWindowEightyByTwentyFive) {
  for (const COORD start : {COORD{120, 50}, COORD{60, 20}}) {
    SetConsoleScreenBufferSize(output_, start);
    Win32Console console(input_, output_);
    console.resize(80, 25);
    const CONSOLE_SCREEN_BUFFER_INFO info = buffer_info();
    EXPECT_EQ(info.dwSize.X, 80);
    EXPECT_EQ(info.dwSize.Y, 25);
    const COORD largest = GetLargestConsoleWindowSize(output_);
    EXPECT_EQ(info.srWindow.Left, 0);
    EXPECT_EQ(info.srWindow.Top, 0);
    EXPECT_EQ(info.srWindow.Right + 1, largest.X > 0 ? std::min<int>(80, largest.X) : 80);
    EXPECT_EQ(info.srWindow.Bottom + 1, largest.Y > 0 ? std::min<int>(25, largest.Y) : 25);
  }
}

TEST_F(Win32ConsoleTest, PresentDrawsGlyphsAttributesAndTheCursor) {
  SetConsoleOutputCP(437);
  Win32Console console(input_, output_);
  console.resize(80, 25);
  CONSOLE_CURSOR_INFO big{50, TRUE};
  SetConsoleCursorInfo(output_, &big);
  Screen screen;
  screen.set_attribute(0x1F);
  screen.move_to(4, 6);
  screen.print("\xC9\xCD\xBB");
  screen.set_attribute(0x70);
  screen.move_to(5, 6);
  screen.print("\xAF \x01");
  console.present(screen);
  EXPECT_EQ(cells(4, 6, 3), L"\x2554\x2550\x2557");
  EXPECT_EQ(cell(4, 6).Attributes, 0x1F);
  EXPECT_EQ(cells(5, 6, 3), L"\x00BB \x263A");
  EXPECT_EQ(cell(5, 6).Attributes, 0x70);
  EXPECT_EQ(cell(1, 1).Attributes, 0x07);
  EXPECT_EQ(buffer_info().dwCursorPosition.X, 8);
  EXPECT_EQ(buffer_info().dwCursorPosition.Y, 4);
  screen.set_cursor_visible(false);
  console.present(screen);
  CONSOLE_CURSOR_INFO cursor{};
  GetConsoleCursorInfo(output_, &cursor);
  EXPECT_FALSE(cursor.bVisible);
  EXPECT_EQ(cursor.dwSize, 50u);  // the size is kept
}

TEST_F(Win32ConsoleTest, PresentWritesOnlyTheCellsThatChanged) {
  Win32Console console(input_, output_);
  console.resize(80, 25);
  Screen screen;
  screen.print("first frame");
  console.present(screen);
  DWORD written = 0;
  WriteConsoleOutputCharacterW(output_, L"Z", 1, COORD{39, 9}, &written);  // behind its back
  screen.move_to(3, 1);
  screen.print("second");
  screen.move_to(9, 1);
  screen.print("above");
  screen.move_to(11, 75);
  screen.print("below");
  console.present(screen);
  EXPECT_EQ(cells(3, 1, 6), L"second");
  EXPECT_EQ(cells(9, 1, 5), L"above");
  EXPECT_EQ(cells(11, 75, 5), L"below");
  EXPECT_EQ(cells(1, 1, 11), L"first frame");
  EXPECT_EQ(cell(10, 40).Char.UnicodeChar, L'Z');
  console.invalidate();
  console.present(screen);
  EXPECT_EQ(cell(10, 40).Char.UnicodeChar, L' ');
}

// On a console in UTF-8 a character is its UTF-16 unit; a wide one fills
// a leading and a trailing cell, with its two surrogates beyond U+FFFF (as
// the console holds them, whatever wine's terminal draws); the marks as in 437.
TEST_F(Win32ConsoleTest, AUtf8ConsoleShowsEachCharacterInItsCells) {
  if (!SetConsoleOutputCP(65001)) GTEST_SKIP() << "the console refuses code page 65001";
  Win32Console console(input_, output_);
  ASSERT_TRUE(console.text_page().is_utf8());
  console.resize(80, 25);
  Screen screen;
  screen.set_page(console.text_page());
  screen.print("\xC9\xAF", Glyphs::kProgram);
  screen.print("\xC3\xA9\xE2\x82\xAC\xE6\x97\xA5\xF0\x9F\x98\x80");  // é€日😀
  console.present(screen);
  EXPECT_EQ(cells(1, 1, 8), L"\x2554\x00BB\x00E9\x20AC\x65E5\x65E5\xD83D\xDE00");
  for (const int column : {1, 3, 4}) EXPECT_EQ(cell(1, column).Attributes, 0x07) << column;
  for (const int column : {5, 7})
    EXPECT_EQ(cell(1, column).Attributes, 0x07 | COMMON_LVB_LEADING_BYTE);
  for (const int column : {6, 8})
    EXPECT_EQ(cell(1, column).Attributes, 0x07 | COMMON_LVB_TRAILING_BYTE);
}

// The program's marks keep their glyphs on a console whose page gives their
// bytes other letters; typed text shows the page's.
TEST_F(Win32ConsoleTest, TheProgramsMarksShowAsCodePage437OnACyrillicConsole) {
  if (!SetConsoleOutputCP(866)) GTEST_SKIP() << "the console refuses code page 866";
  Win32Console console(input_, output_);
  console.resize(80, 25);
  Screen screen;
  screen.print("\xC9\xAF ", Glyphs::kProgram);
  screen.print("\xAF\xE0");
  console.present(screen);
  EXPECT_EQ(cells(1, 1, 5), L"\x2554\x00BB \x043F\x0440");
}

// A pair shows in a leading and a trailing byte's cell; the marks as in 437.
TEST_F(Win32ConsoleTest, ADoubleByteConsoleShowsAPairInTwoCells) {
  if (!SetConsoleOutputCP(932)) GTEST_SKIP() << "the console refuses code page 932";
  Win32Console console(input_, output_);
  console.resize(80, 25);
  Screen screen;
  screen.set_page(console.text_page());
  screen.print("\xC9\xCD", Glyphs::kProgram);
  screen.print("\x95\x5C\xB6");  // 表ｶ
  console.present(screen);
  EXPECT_EQ(cells(1, 1, 5), L"\x2554\x2550\x8868\x8868\xFF76");
  EXPECT_EQ(cell(1, 3).Attributes, 0x07 | COMMON_LVB_LEADING_BYTE);
  EXPECT_EQ(cell(1, 4).Attributes, 0x07 | COMMON_LVB_TRAILING_BYTE);
}

TEST_F(Win32ConsoleTest, ProcessedInputWhileRunningAndTheOldModeAfter) {
  DWORD original = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT;
  SetConsoleMode(input_, original);
  {
    Win32Console console(input_, output_);
    DWORD mode = 0;
    GetConsoleMode(input_, &mode);
    EXPECT_EQ(mode, static_cast<DWORD>(ENABLE_PROCESSED_INPUT));
    EXPECT_EQ(console.run_command("exit 5"), 5);
    GetConsoleMode(input_, &mode);
    EXPECT_EQ(mode, static_cast<DWORD>(ENABLE_PROCESSED_INPUT));
  }
  DWORD after = 0;
  GetConsoleMode(input_, &after);
  EXPECT_EQ(after, original);
}

TEST_F(Win32ConsoleTest, RedirectedOutputTakesTheBytesUnchanged) {
  wchar_t dir[MAX_PATH];
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"qbs", 0, path);
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  {
    Win32Console console(input_, file);
    EXPECT_FALSE(console.is_screen());
    console.resize(80, 25);
    console.write_stream("\xC9 line\r\n", Glyphs::kProgram);
  }
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char bytes[32] = {};
  DWORD read = 0;
  ReadFile(file, bytes, sizeof bytes, &read, nullptr);
  EXPECT_EQ(std::string(bytes, read), "\xC9 line\r\n");
  CloseHandle(file);
}

// Seconds, not ticks: a 20 ms pause reads as at least 4 ms (the system may
// end a sleep up to a 15.6 ms tick early) and as no more than the steady
// clock saw pass around it (give or take a microsecond of rounding),
// however long the pause took on a busy machine.
TEST_F(Win32ConsoleTest, TimerMovesOnInSeconds) {
  Win32Console console(input_, output_);
  const auto around = std::chrono::steady_clock::now();
  const double before = console.timer_seconds();
  console.sleep_ms(20);
  const double after = console.timer_seconds();
  const std::chrono::duration<double> passed = std::chrono::steady_clock::now() - around;
  EXPECT_GE(after - before, 0.004);
  EXPECT_LE(after - before, passed.count() + 1e-6);
}

}  // namespace
}  // namespace qb
