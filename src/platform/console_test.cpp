// The console over the in-memory backend: colours, the key queue and its
// waits, when frames are shown, and redirected output.
#include "platform/console.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_backend.h"

namespace qb {
namespace {

TEST(Console, SetColorRemembersAndKeepsNegativeArguments) {
  MemoryBackend backend;
  Console con(backend);
  EXPECT_EQ(con.screen().attribute(), 0x07);
  con.set_color(0, 7);
  con.set_color(2, -1);
  EXPECT_EQ(con.screen().attribute(), 0x72);
  con.set_color(4, 7);
  con.set_color(8, -1);
  EXPECT_EQ(con.screen().attribute(), 0x78);
  con.set_color(-1, 1);
  EXPECT_EQ(con.screen().attribute(), 0x18);
  con.set_color(0x1F, 0x12);  // only the low four bits count
  EXPECT_EQ(con.screen().attribute(), 0x2F);
}

TEST(Console, ClearScreenFillsWithCurrentAttributeAndTextKeepsItsOwn) {
  MemoryBackend backend;
  Console con(backend);
  con.set_color(0, 7);
  con.clear_screen();
  con.set_color(15, 1);
  con.locate(3, 3);
  con.print_text("hi", false);
  EXPECT_EQ(con.screen().cell(3, 3).attr, 0x1F);
  EXPECT_EQ(con.screen().cell(3, 5).attr, 0x70);
  EXPECT_EQ(con.screen().cell(25, 80).attr, 0x70);
  EXPECT_EQ(con.cursor_row(), 3);
  EXPECT_EQ(con.cursor_column(), 5);
}

TEST(Console, WaitForKeyEndsAtOnceForAKeyNotYetRead) {
  MemoryBackend backend;
  Console con(backend);
  backend.type('a');
  backend.type('b');
  EXPECT_TRUE(con.key_waiting());
  EXPECT_EQ(backend.now, 0.0);
  con.wait_for_key();  // the keys arrived before the wait: no time passes
  EXPECT_EQ(backend.now, 0.0);
  EXPECT_EQ(con.read_key(), 'a');
  EXPECT_EQ(con.read_key(), 'b');

  backend.type_at(2.0, 'c');
  con.wait_for_key();  // asleep until the key comes
  EXPECT_NEAR(backend.now, 2.0, 1e-9);
  EXPECT_TRUE(con.key_waiting());  // the key stays in the queue
  EXPECT_EQ(con.read_key(), 'c');
  EXPECT_THROW(con.read_key(), ScriptExhausted);
}

TEST(Console, APasteOfManyKeysLosesNone) {
  MemoryBackend backend;
  Console con(backend);
  for (int i = 0; i < 5000; ++i) backend.type(32 + i % 90);
  EXPECT_TRUE(con.key_waiting());
  EXPECT_EQ(backend.keys_pending(), 5000u - KeyQueue::kCapacity);  // the rest waits outside
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(con.read_key(), 32 + i % 90) << i;
}

// One place short, a pair that has come ends a wait for a key at once.
TEST(Console, APairThatDoesNotFitYetEndsAWaitForAKey) {
  MemoryBackend backend;
  backend.code_page = &code_page_numbered(932);
  Console con(backend);
  backend.type_text(std::string(KeyQueue::kCapacity, 'x') + "\x88\x9F");
  EXPECT_EQ(con.read_key(), 'x');
  con.wait_for_key();
  EXPECT_EQ(backend.now, 0.0);
  for (std::size_t i = 1; i < KeyQueue::kCapacity; ++i) ASSERT_EQ(con.read_key(), 'x');
  EXPECT_EQ(con.read_key(), Keystroke::character("\x88\x9F"));  // whole, after the reads
}

TEST(Console, WaitForInputEndsEarlyWhenAKeyComes) {
  MemoryBackend backend;
  Console con(backend);
  backend.type_at(0.010, 'k');
  con.wait_for_input(25);
  EXPECT_NEAR(backend.now, 0.010, 1e-9);
  EXPECT_TRUE(con.key_waiting());
}

TEST(Console, FramesAreShownOnceBeforeEachWait) {
  MemoryBackend backend;
  Console con(backend);
  con.clear_screen();
  con.print_text("one", true);
  con.print_text("two", true);
  EXPECT_EQ(backend.frames, 0);
  con.sleep_ms(10);
  EXPECT_EQ(backend.frames, 1);
  EXPECT_EQ(backend.shown.cell(2, 1).ch, 't');
  con.timer_seconds();  // nothing changed: nothing shown again
  EXPECT_EQ(backend.frames, 1);
  con.print_text("\a", false);
  EXPECT_EQ(backend.beeps, 1);
  con.print_text(std::string(1000, '\a') + "log\a", true);  // one tone per print
  EXPECT_EQ(backend.beeps, 2);
}

TEST(Console, CommandsDisturbTheDisplayUntilTheNextClear) {
  MemoryBackend backend;
  Console con(backend);
  EXPECT_EQ(con.run_command(""), -1);
  EXPECT_TRUE(backend.commands.empty());
  backend.on_command = [](std::string_view) { return 3; };
  EXPECT_EQ(con.run_command("GORC.EXE RESFILE>GORC.LOG"), 3);
  EXPECT_EQ(backend.invalidations, 0);
  con.clear_screen();
  EXPECT_EQ(backend.invalidations, 1);
  con.clear_screen();
  EXPECT_EQ(backend.invalidations, 1);
}

TEST(Console, RedirectedOutputGetsBytesAndLineEndsUnchanged) {
  MemoryBackend backend;
  backend.screen_output = false;
  Console con(backend);
  con.locate(5, 5);
  con.print_text("a\tb\a", true);
  con.print_text("", true);
  con.sleep_ms(1);
  EXPECT_EQ(backend.stream, "a\tb\a\r\n\r\n");
  EXPECT_EQ(backend.frames, 0);
  EXPECT_EQ(backend.beeps, 0);
}

TEST(Console, SetScreenSizeHomesTheCursor) {
  MemoryBackend backend;
  Console con(backend);
  con.locate(25, 1);
  con.print_text(std::string(80, 'x'), false);
  con.set_screen_size(0, 25);
  EXPECT_EQ(backend.resizes.back(), std::make_pair(80, 25));
  EXPECT_EQ(con.cursor_row(), 1);
  EXPECT_FALSE(con.screen().pending_line_end());
}

}  // namespace
}  // namespace qb
