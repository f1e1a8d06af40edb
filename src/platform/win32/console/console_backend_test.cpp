// The Windows console backend against a real console: cells, attributes and
// cursor as drawn, the buffer and window sizes, key events written into the
// console's input queue, and the hand-over around commands. The tests need a
// console; under wine, scripts/wine-run.sh gives them one.
#include "platform/win32/console/console_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/console.h"
#include "platform/keys/bios_keys.h"
#include "platform/screen/screen.h"
#include "support/queued_codes.h"

namespace qb {
namespace {

KEY_EVENT_RECORD key_event(WORD vk, WORD scan, wchar_t ch, DWORD state, bool down = true,
                           WORD repeat = 1) {
  KEY_EVENT_RECORD event{};
  event.bKeyDown = down ? TRUE : FALSE;
  event.wRepeatCount = repeat;
  event.wVirtualKeyCode = vk;
  event.wVirtualScanCode = scan;
  event.uChar.UnicodeChar = ch;
  event.dwControlKeyState = state;
  return event;
}

class Win32ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    output_ =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (input_ == INVALID_HANDLE_VALUE || output_ == INVALID_HANDLE_VALUE) {
      GTEST_SKIP() << "no console (under wine, run through scripts/wine-run.sh)";
    }
    FlushConsoleInputBuffer(input_);
    original_code_page_ = GetConsoleOutputCP();
  }
  void TearDown() override {
    if (original_code_page_ != 0) SetConsoleOutputCP(original_code_page_);
    if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
  }

  void type(const std::vector<KEY_EVENT_RECORD>& events) {
    std::vector<INPUT_RECORD> records;
    for (const KEY_EVENT_RECORD& event : events) {
      INPUT_RECORD record{};
      record.EventType = KEY_EVENT;
      record.Event.KeyEvent = event;
      records.push_back(record);
    }
    DWORD written = 0;
    WriteConsoleInputW(input_, records.data(), static_cast<DWORD>(records.size()), &written);
    ASSERT_EQ(written, records.size());
  }
  DWORD events_waiting() {
    DWORD count = 0;
    GetNumberOfConsoleInputEvents(input_, &count);
    return count;
  }
  // The cell at row, column (from 1) of the buffer as the console holds it.
  CHAR_INFO cell(int row, int column) {
    CHAR_INFO info{};
    SMALL_RECT from{static_cast<SHORT>(column - 1), static_cast<SHORT>(row - 1),
                    static_cast<SHORT>(column - 1), static_cast<SHORT>(row - 1)};
    ReadConsoleOutputW(output_, &info, COORD{1, 1}, COORD{0, 0}, &from);
    return info;
  }
  std::wstring cells(int row, int column, int count) {
    std::wstring text;
    for (int c = column; c < column + count; ++c) text += cell(row, c).Char.UnicodeChar;
    return text;
  }
  CONSOLE_SCREEN_BUFFER_INFO buffer_info() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(output_, &info);
    return info;
  }

  HANDLE input_ = INVALID_HANDLE_VALUE;
  HANDLE output_ = INVALID_HANDLE_VALUE;
  UINT original_code_page_ = 0;
};

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

TEST_F(Win32ConsoleTest, Utf8ConsoleShowsAndReadsCodePage437) {
  if (!SetConsoleOutputCP(65001)) GTEST_SKIP() << "the console refuses code page 65001";
  Win32Console console(input_, output_);
  EXPECT_EQ(console.code_page(), 65001u);
  console.resize(80, 25);
  Screen screen;
  screen.print("\xC9\xAF\x84");
  console.present(screen);
  EXPECT_EQ(cells(1, 1, 3), L"\x2554\x00BB\x00E4");
  type({key_event('A', 0x28, L'\x00E4', 0)});
  KeyQueue keys;
  EXPECT_EQ(console.poll_keys(keys, 0), 1);
  EXPECT_EQ(keys.pop(), 0x84);
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

TEST_F(Win32ConsoleTest, KeyPressesBecomeCodesInOrder) {
  Win32Console console(input_, output_);
  type({key_event('A', 0x1E, L'a', 0), key_event('A', 0x1E, L'a', 0, false),
        key_event(VK_SHIFT, 0x2A, 0, SHIFT_PRESSED),
        key_event(VK_LEFT, 0x4B, 0, ENHANCED_KEY | SHIFT_PRESSED),
        key_event(VK_MENU, 0x38, 0, LEFT_ALT_PRESSED), key_event(VK_END, 0x4F, 0, LEFT_ALT_PRESSED),
        key_event(VK_NEXT, 0x51, 0, LEFT_ALT_PRESSED),
        key_event(VK_INSERT, 0x52, 0, LEFT_ALT_PRESSED), key_event(VK_MENU, 0x38, 0, 0, false),
        key_event('B', 0, L'b', 0, true, 3)});
  KeyQueue keys;
  EXPECT_EQ(console.poll_keys(keys, 0), 6);
  for (const int code : {int{'a'}, key::kLeft, 130, int{'b'}, int{'b'}, int{'b'}}) {
    EXPECT_EQ(keys.pop(), code);
  }
  EXPECT_EQ(console.poll_keys(keys, 20), 0);
  EXPECT_TRUE(keys.empty());
  // A look while keys are still queued leaves the console's events for later.
  keys.push('.');
  type({key_event('C', 0x2E, L'c', 0)});
  EXPECT_EQ(console.poll_keys(keys, 0), 0);
  EXPECT_EQ(events_waiting(), 1u);
  keys.pop();
  EXPECT_EQ(console.poll_keys(keys, 0), 1);
  EXPECT_EQ(keys.pop(), 'c');
}

TEST_F(Win32ConsoleTest, KeysWaitInTheConsoleWhileTheQueueIsFull) {
  Win32Console console(input_, output_);
  KeyQueue keys;
  while (keys.room() > 2) keys.push('.');
  type({key_event('X', 0x2D, L'x', 0), key_event('Y', 0x15, L'y', 0, true, 2),
        key_event('Z', 0x2C, L'z', 0), key_event(VK_F1, 0x3B, 0, 0)});
  EXPECT_EQ(console.poll_keys(keys, 10), 3);            // x and the first y; the second has come
  EXPECT_EQ(events_waiting(), 2u);                      // z and F1 never left the console
  EXPECT_EQ(console.poll_keys(keys, kNoTimeLimit), 1);  // a wait ends at once on it
  std::vector<int> tail;
  while (keys.size() > 0) {
    const Keystroke key = keys.pop();
    for (std::size_t i = 0; i < key.size(); ++i)
      if (key.code(i) != '.') tail.push_back(key.code(i));
    console.poll_keys(keys, 0);
  }
  EXPECT_EQ(tail, (std::vector<int>{'x', 'y', 'y', 'z', key::kF1}));
}

// Typed, pasted and an input method's characters come as their pairs, each
// whole: a pair that does not fit waits, whole, with what came after it.
TEST_F(Win32ConsoleTest, ADoubleByteConsoleGivesTypedCharactersAsItsPairs) {
  if (!SetConsoleOutputCP(932)) GTEST_SKIP() << "the console refuses code page 932";
  Win32Console console(input_, output_);
  KeyQueue keys;
  while (keys.room() > 3) keys.push('.');
  type({key_event(0, 0, L'\x8868', 0), key_event(0, 0, L'\x8868', 0, false),
        key_event(0, 0, L'\x793A', 0), key_event(0, 0, L'\xFF76', 0), key_event('A', 0x1E, L'a', 0),
        key_event(0, 0, L'\x00FF', 0), key_event(VK_MENU, 0x38, 0, LEFT_ALT_PRESSED),
        key_event(VK_NUMPAD1, 0x4F, 0, LEFT_ALT_PRESSED),  // Alt+136: a lead byte alone
        key_event(VK_NUMPAD3, 0x51, 0, LEFT_ALT_PRESSED),
        key_event(VK_NUMPAD6, 0x4D, 0, LEFT_ALT_PRESSED), key_event(VK_MENU, 0x38, 0, 0, false)});
  EXPECT_EQ(console.poll_keys(keys, 10), 3);            // 表; 示 has come but does not fit
  EXPECT_EQ(console.poll_keys(keys, kNoTimeLimit), 1);  // one place short: no wait
  std::vector<int> tail;
  while (keys.size() > 0) {
    const Keystroke key = keys.pop();
    for (std::size_t i = 0; i < key.size(); ++i)
      if (key.code(i) != '.') tail.push_back(key.code(i));
    console.poll_keys(keys, 0);
  }
  EXPECT_EQ(tail, (std::vector<int>{0x95, 0x5C, 0x8E, 0xA6, 0xB6, 'a', 'y', '?'}));
}

TEST_F(Win32ConsoleTest, CloseRequestWakesAWaitWithoutLimitAndBecomesAltF4Once) {
  Win32Console console(input_, output_);
  KeyQueue keys;
  std::thread handler([] {  // the system runs the close handler on a thread of its own
    Sleep(50);
    request_close_key();
  });
  EXPECT_EQ(console.poll_keys(keys, kNoTimeLimit), 1);
  handler.join();
  EXPECT_EQ(keys.pop(), key::kAltF4);
  request_close_key();
  EXPECT_EQ(console.poll_keys(keys, 0), 0);
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

TEST_F(Win32ConsoleTest, RedirectedInputGivesItsBytesAsKeysAndItsEndEndsTheRun) {
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  Win32Console console(read_end, output_);
  DWORD written = 0;
  WriteFile(write_end, "\xEF\xBB\xBFx\xC9\r\n", 7, &written, nullptr);  // a mark, a CR LF
  CloseHandle(write_end);
  KeyQueue keys;
  while (keys.size() < 3) console.poll_keys(keys, kNoTimeLimit);
  // Keys read before the end are still handed out: a look does not end the run.
  EXPECT_EQ(console.poll_keys(keys, 0), 0);
  for (const int code : {int{'x'}, 0xC9, 13}) EXPECT_EQ(keys.pop(), code);
  // A wait ends at the input's end, and nothing waits after it; the
  // console's wait for a key that can no longer come ends the program with
  // status 0.
  while (!console.input_ended()) EXPECT_EQ(console.poll_keys(keys, kNoTimeLimit), 0);
  EXPECT_EQ(console.poll_keys(keys, kNoTimeLimit), 0);
  Console con(console);
  EXPECT_EXIT(con.read_key(), ::testing::ExitedWithCode(0), "");
}

// Redirected bytes are in the console's page already: a pair goes into the
// key queue whole, and a lead byte waits for the byte after it until the end.
TEST(Win32StreamInput, APairGoesIntoTheKeyQueueWhole) {
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  StreamInput input(read_end);
  DWORD written = 0;
  WriteFile(write_end, "a\x88\x9F\x88", 4, &written, nullptr);
  CloseHandle(write_end);
  const CodePage& page = code_page_numbered(932);
  KeyQueue keys;
  while (keys.room() > 2) keys.push('.');
  while (keys.room() == 2) input.poll(keys, page, kNoTimeLimit, nullptr);
  EXPECT_EQ(input.poll(keys, page, kNoTimeLimit, nullptr), 1);  // the pair has come: no wait
  while (keys.size() > 1) keys.pop();  // 'a' went in and the pair waited, whole
  while (!input.drained()) input.poll(keys, page, kNoTimeLimit, nullptr);
  const std::vector<int> got = test::take_codes(keys);
  EXPECT_EQ(got, (std::vector<int>{'a', 0x88, 0x9F, 0x88}));
  CloseHandle(read_end);
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
