// The Windows console's keyboard: key events read from the console's input
// queue while the key queue has room, the system's console-close signal
// turned into the key Alt+F4, and redirected input. A wait for keys sleeps on
// the console's input handle (or the redirected input's event) beside an
// event that the close handler sets, so it wakes for either and for nothing
// else; a key that has come but does not fit in the key queue yet (held in
// the overflow, or the close key) counts as come, so no wait sleeps on it.
#include "platform/win32/console/console_input.h"

#include "platform/keys/bios_keys.h"
#include "platform/win32/console/keys.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

namespace qb {

namespace {

// The one value shared with the thread on which the system runs the
// console-close handler: whether the key Alt+F4 has been asked for and
// whether the program's thread has taken it into its key queue. An atomic,
// so that neither thread ever sees half of the other's change.
std::atomic<int> close_key_state{0};
constexpr int kNoClose = 0;
constexpr int kCloseAsked = 1;
constexpr int kCloseTaken = 2;

constexpr DWORD kCloseWaitMs = 4000;  // the system allows the handler 5 s
constexpr DWORD kCloseAfterMs = 500;  // for the program to end on the key
constexpr DWORD kCloseStepMs = 50;

// The event (auto-reset) that wakes a wait for keys when the close key is
// asked for; made once, on first use from either thread, and never closed.
// It stays at file level beside the close-key state: both are the data of
// a handler that the system calls on a thread of its own, which can reach
// nothing that main owns.
HANDLE close_event() {
  static const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  return event;
}

// Console-close, log-off and shut-down become Alt+F4; Ctrl+C and Ctrl+Break
// go on to the system's own handler, which ends the process. The system ends
// the process when this returns, so it first gives the program time to take
// the key and, at its last screen, to end on it by itself.
BOOL WINAPI on_console_control(DWORD type) {
  if (type != CTRL_CLOSE_EVENT && type != CTRL_LOGOFF_EVENT && type != CTRL_SHUTDOWN_EVENT) {
    return FALSE;
  }
  request_close_key();
  for (DWORD waited = 0; waited < kCloseWaitMs && close_key_state.load() == kCloseAsked;
       waited += kCloseStepMs) {
    Sleep(kCloseStepMs);
  }
  Sleep(kCloseAfterMs);
  return TRUE;
}

// Moves an asked-for Alt+F4 into the queue once there is room; 1 if it did.
int take_close_key(KeyQueue& keys) {
  if (close_key_state.load() != kCloseAsked || !keys.push(key::kAltF4)) return 0;
  close_key_state.store(kCloseTaken);
  return 1;
}

// 1 while an asked-for Alt+F4 waits for room in the queue, else 0.
int held_close_key() {
  return close_key_state.load() == kCloseAsked ? 1 : 0;
}

}  // namespace

void request_close_key() {
  int expected = kNoClose;
  if (close_key_state.compare_exchange_strong(expected, kCloseAsked)) SetEvent(close_event());
}

ConsoleInput::ConsoleInput(HANDLE input, bool keyboard) : input_(input), keyboard_(keyboard) {
  if (!keyboard_) stream_ = std::make_unique<StreamInput>(input_);
}

ConsoleInput::~ConsoleInput() {
  remove_close_handler();
}

void ConsoleInput::install_close_handler() {
  if (close_handler_installed_) return;
  close_handler_installed_ = SetConsoleCtrlHandler(on_console_control, TRUE) != FALSE;
}

void ConsoleInput::remove_close_handler() {
  if (!close_handler_installed_) return;
  SetConsoleCtrlHandler(on_console_control, FALSE);
  close_handler_installed_ = false;
}

bool ConsoleInput::ended() const {
  return stream_ && stream_->drained();
}

// A look (no wait) while keys are still queued leaves the console's events
// where they are, to be read in one go once the queue has run dry: every
// call to the console is a round trip to its host (a millisecond under
// wine), and a paste would otherwise cost one per key.
int ConsoleInput::poll(KeyQueue& keys, int timeout_ms, const CodePageGlyphs& glyphs,
                       unsigned input_page) {
  install_close_handler();
  if (stream_) return poll_stream(keys, timeout_ms, StreamPages{input_page, &glyphs});
  int added = take_close_key(keys) + move_overflow(keys);
  if (!overflow_.empty() || held_close_key() != 0) return added + 1;
  if (timeout_ms == 0 && !keys.empty()) return added;
  if (added == 0 && timeout_ms != 0) {
    wait_for_any({close_event(), keyboard_ ? input_ : nullptr}, timeout_ms);
    added += take_close_key(keys);
  }
  if (keyboard_) added += read_events(keys, glyphs);
  return added + (overflow_.empty() ? held_close_key() : 1);
}

// Once the input has ended only the close key can come, and nothing waits.
int ConsoleInput::poll_stream(KeyQueue& keys, int timeout_ms, const StreamPages& pages) {
  int added = take_close_key(keys);
  if (!stream_->drained() && held_close_key() == 0) {
    added += stream_->poll(keys, pages, added > 0 ? 0 : timeout_ms, close_event());
    if (added == 0) added = take_close_key(keys);
  }
  return added + held_close_key();
}

int ConsoleInput::move_overflow(KeyQueue& keys) {
  int added = 0;
  while (!overflow_.empty() && keys.push(overflow_.front())) {
    added += static_cast<int>(overflow_.front().size());
    overflow_.pop_front();
  }
  return added;
}

// Reads no more events than the queue has room for, so that each one read
// can be kept; only a key's repeat count, or a pair that does not fit, can
// go beyond, into the overflow. With the queue full they are read one at a
// time, until one is a key, which the overflow then holds.
int ConsoleInput::read_events(KeyQueue& keys, const CodePageGlyphs& glyphs) {
  int added = 0;
  std::array<INPUT_RECORD, 64> records{};
  while (overflow_.empty()) {
    const auto wanted = static_cast<DWORD>(std::clamp<std::size_t>(keys.room(), 1, records.size()));
    DWORD available = 0;
    if (PeekConsoleInputW(input_, records.data(), wanted, &available) == FALSE || available == 0) {
      break;
    }
    DWORD taken = 0;
    if (ReadConsoleInputW(input_, records.data(), available, &taken) == FALSE || taken == 0) break;
    for (DWORD i = 0; i < taken; ++i) {
      if (records[i].EventType == KEY_EVENT)
        added += add_key(keys, records[i].Event.KeyEvent, glyphs);
    }
  }
  return added;
}

namespace {

// The key a lone byte of an Alt + keypad entry becomes where it is no
// character by itself: in UTF-8 the OEM page's character of that byte, as
// the console gives such an entry; in a double-byte page, where a lead byte
// alone would pair with the next key, "?".
Keystroke lone_byte_key(const CodePageGlyphs& glyphs, std::uint8_t byte) {
  if (!code_page_numbered(static_cast<int>(glyphs.code_page)).is_utf8()) return '?';
  const Keystroke key =
      typed_key(glyphs, code_page_numbered(static_cast<int>(GetOEMCP())).glyph(byte));
  return key.empty() ? Keystroke('?') : key;
}

}  // namespace

// Adds the key of one key event, as often as the console says it repeated.
// Half of a character beyond U+FFFF gives none.
int ConsoleInput::add_key(KeyQueue& keys, KEY_EVENT_RECORD event, const CodePageGlyphs& glyphs) {
  if (event.wVirtualScanCode == 0 && event.wVirtualKeyCode != 0) {
    event.wVirtualScanCode =
        static_cast<WORD>(MapVirtualKeyW(event.wVirtualKeyCode, MAPVK_VK_TO_VSC));
  }
  const std::optional<char32_t> typed = typed_code_point(event, surrogate_);
  if (!typed) return 0;
  Keystroke key = translate_key_event(event, typed_key(glyphs, *typed), alt_entry_);
  if (key.empty()) return 0;
  const CodePage& page = code_page_numbered(static_cast<int>(glyphs.code_page));
  if (key.size() == 1 && key.code() < 0x100 &&
      !page.stands_alone(static_cast<std::uint8_t>(key.code())))
    key = lone_byte_key(glyphs, static_cast<std::uint8_t>(key.code()));
  const int times = event.bKeyDown != FALSE ? std::max<int>(event.wRepeatCount, 1) : 1;
  int added = 0;
  for (int i = 0; i < times; ++i) {
    if (overflow_.empty() && keys.push(key)) {
      added += static_cast<int>(key.size());
    } else {
      overflow_.push_back(key);
    }
  }
  return added;
}

}  // namespace qb
