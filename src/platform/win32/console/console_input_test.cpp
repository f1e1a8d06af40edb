// The Windows console's keyboard against a real console (console_fixture.h):
// key events written into the console's input queue as the codes and
// characters the program reads, the close request, and redirected input.
#include "platform/win32/console/console_input.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/console.h"
#include "platform/keys/bios_keys.h"
#include "platform/win32/console/console_backend.h"
#include "platform/win32/console/console_fixture.h"
#include "support/queued_codes.h"

namespace qb {
namespace {

using test::key_event;
using test::Win32ConsoleTest;

// The read end of a pipe that holds `bytes` and then ends; null if none.
HANDLE piped(std::string_view bytes) {
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (CreatePipe(&read_end, &write_end, nullptr, 0) == FALSE) return nullptr;
  DWORD written = 0;
  WriteFile(write_end, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(write_end);
  return read_end;
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

// A character beyond U+FFFF comes as two halves, a release and a modifier
// between them, over separate reads too: one key, its UTF-8 on a console in
// 65001, one "?" where the page lacks it. A half alone gives nothing; a C1
// control never becomes text; Alt+132 is the OEM page's ä, as the console has it.
TEST_F(Win32ConsoleTest, TypedCharactersGoInAsTheirBytesHalvesJoined) {
  const KEY_EVENT_RECORD high = key_event(0, 0, L'\xD83D', 0);
  const KEY_EVENT_RECORD low = key_event(0, 0, L'\xDE00', 0);
  const KEY_EVENT_RECORD e_acute = key_event(0, 0, L'\x00E9', 0);
  const auto alt = [](WORD vk) { return key_event(vk, 0, 0, LEFT_ALT_PRESSED); };
  const std::vector<std::tuple<UINT, std::vector<std::vector<KEY_EVENT_RECORD>>, std::string>> rows{
      {65001,
       {{e_acute, high, key_event(0, 0, L'\xD83D', 0, false), alt(VK_SHIFT)}, {low}},
       "\xC3\xA9|\xF0\x9F\x98\x80|"},
      {65001,
       {{high, key_event('A', 0x1E, L'a', 0)}, {low, key_event(0, 0, L'\x0085', 0)}},
       "a|?|"},
      {65001,
       {{alt(VK_MENU), alt(VK_NUMPAD1), alt(VK_NUMPAD3), alt(VK_NUMPAD2),
         key_event(VK_MENU, 0, 0, 0, false)}},
       "\xC3\xA4|"},
      {437, {{high, low, e_acute}}, "?|\x82|"},
      {932, {{high}, {low}}, "?|"}};
  for (const auto& [page, reads, expected] : rows) {
    if (!SetConsoleOutputCP(page)) continue;
    Win32Console console(input_, output_);
    KeyQueue keys;
    std::string got;  // each key's bytes and a bar
    for (const std::vector<KEY_EVENT_RECORD>& read : reads) {
      type(read);
      console.poll_keys(keys, 0);
      while (!keys.empty()) got += keys.pop().bytes() + "|";
    }
    EXPECT_EQ(got, expected) << page;
  }
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

TEST_F(Win32ConsoleTest, RedirectedInputGivesItsBytesAsKeysAndItsEndEndsTheRun) {
  const HANDLE read_end = piped("\xEF\xBB\xBFx\xC9\r\n");  // a mark, a CR LF
  ASSERT_NE(read_end, nullptr);
  Win32Console console(read_end, output_);
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

// Where the input page is the text page, redirected bytes go in as they
// are: a pair whole, its lead byte waiting for the byte after it until the end.
TEST(Win32StreamInput, APairGoesIntoTheKeyQueueWhole) {
  const HANDLE read_end = piped("a\x88\x9F\x88");
  ASSERT_NE(read_end, nullptr);
  StreamInput input(read_end);
  const CodePageGlyphs glyphs = glyphs_for_code_page(932);
  const StreamPages page{932, &glyphs};
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

// Every input is read to its end, however many readers came and went
// before it: a reader that never ran would leave its input waiting forever.
TEST(Win32StreamInput, EveryReaderRuns) {
  const CodePageGlyphs glyphs = glyphs_for_code_page(437);
  for (int run = 0; run < 3000; ++run) {
    const HANDLE read_end = piped("x");
    KeyQueue keys;
    for (StreamInput input(read_end); !input.drained();)
      input.poll(keys, {437, &glyphs}, kNoTimeLimit, nullptr);
    CloseHandle(read_end);
    ASSERT_EQ(test::take_codes(keys), std::vector<int>{'x'}) << run;
  }
}

// Bytes of the input page go in as the text page's, a character a key; one
// cut off by the input's end is the replacement character.
TEST(Win32StreamInput, CharactersGoFromTheInputPageIntoTheTextPage) {
  for (const auto& [input_page, text_page, bytes, expected] :
       std::vector<std::tuple<unsigned, unsigned, std::string, std::string>>{
           {65001, 65001, "\xF0\x9F\x98\x80\xC3\xA9\xC2\x85\xE6",
            "\xF0\x9F\x98\x80|\xC3\xA9|?|\xEF\xBF\xBD|"},
           {65001, 437, "\xC3\xA9\xF0\x9F\x98\x80\r", "\x82|?|\r|"},
           {65001, 1251, "\xD0\x9F\xC2\xAB", "\xCF|\xAB|"},
           {866, 65001, "\xAF\xF8", "\xD0\xBF|\xC2\xB0|"},
           {437, 437, "\xC9\x84", "\xC9|\x84|"}}) {
    const HANDLE read_end = piped(bytes);
    ASSERT_NE(read_end, nullptr);
    StreamInput input(read_end);
    const CodePageGlyphs text = glyphs_for_code_page(text_page);
    KeyQueue keys;
    while (!input.drained()) input.poll(keys, {input_page, &text}, kNoTimeLimit, nullptr);
    std::string got;  // each key's bytes and a bar
    while (!keys.empty()) got += keys.pop().bytes() + "|";
    EXPECT_EQ(got, expected) << input_page << " to " << text_page;
    CloseHandle(read_end);
  }
}

}  // namespace
}  // namespace qb
