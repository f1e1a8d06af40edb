// A real console for the Windows console backend's tests: a screen buffer
// of its own and the console's input queue, key events written into it, and
// cells read back as the console holds them. The tests need a console;
// under wine, scripts/wine-run.sh gives them one.
#ifndef QB_PLATFORM_WIN32_CONSOLE_CONSOLE_FIXTURE_H
#define QB_PLATFORM_WIN32_CONSOLE_CONSOLE_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qb::test {

// A key event as the console queues it for a key press (or release).
inline KEY_EVENT_RECORD key_event(WORD vk, WORD scan, wchar_t ch, DWORD state, bool down = true,
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

// A console screen buffer and input queue of the test's own, and the
// console's code pages put back afterwards.
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
    original_input_page_ = GetConsoleCP();
  }
  void TearDown() override {
    if (original_code_page_ != 0) SetConsoleOutputCP(original_code_page_);
    if (original_input_page_ != 0) SetConsoleCP(original_input_page_);
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
  UINT original_input_page_ = 0;
};

}  // namespace qb::test

#endif  // QB_PLATFORM_WIN32_CONSOLE_CONSOLE_FIXTURE_H
