// The read-ahead of a redirected standard input. The reader thread and the
// program's thread share one buffer under a mutex; the reader waits on a
// condition variable while the buffer is full, and sets an event (manual
// reset) whenever bytes or the input's end wait for the program, which
// waits on that event, with or without a time limit, together with any
// other event it names, and resets it once it has taken every byte. The
// reader reads the input's line ends as redirected text before they reach
// the buffer.
#include "platform/win32/console/stream_input.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/keys/redirected_text.h"

namespace qb {

namespace {
constexpr std::size_t kReadAhead = 4096;
}

struct StreamInput::Shared {
  Shared() = default;
  Shared(const Shared&) = delete;
  Shared& operator=(const Shared&) = delete;
  ~Shared() {
    if (ready != nullptr) CloseHandle(ready);
  }

  std::mutex mutex;
  std::condition_variable room;  // the buffer has room again
  std::deque<std::uint8_t> bytes;
  bool ended = false;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // set while bytes or the end wait
};

// What the reader thread is handed: the input and the state it shares.
struct StreamInput::ReaderStart {
  HANDLE input;
  std::shared_ptr<Shared> shared;
};

// Never holds more than the read-ahead: while the buffer is full it waits.
DWORD WINAPI StreamInput::read_ahead(void* start) {
  const std::unique_ptr<ReaderStart> owned(static_cast<ReaderStart*>(start));
  const HANDLE input = owned->input;
  Shared* const shared = owned->shared.get();
  std::array<char, kReadAhead> chunk{};
  RedirectedText text;
  std::string taken;
  for (bool ended = false; !ended;) {
    {
      std::unique_lock lock(shared->mutex);
      shared->room.wait(lock, [&] { return shared->bytes.size() < kReadAhead; });
    }
    DWORD got = 0;
    const BOOL read =
        ReadFile(input, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr);
    ended = read == FALSE || got == 0;
    taken.clear();
    if (ended) {
      text.finish(taken);
    } else {
      text.take(std::string_view(chunk.data(), got), taken);
    }
    std::lock_guard lock(shared->mutex);
    shared->bytes.insert(shared->bytes.end(), taken.begin(), taken.end());
    shared->ended = ended;
    SetEvent(shared->ready);
  }
  return 0;
}

StreamInput::StreamInput(HANDLE input) : shared_(std::make_shared<Shared>()) {
  if (input == nullptr || input == INVALID_HANDLE_VALUE) {
    shared_->ended = true;
    return;
  }
  // CreateThread, not a detached std::thread: MinGW's threads library now
  // and then never runs a thread detached as it starts (about one in 3000
  // under wine), and the program would wait for this input forever.
  auto start = std::make_unique<ReaderStart>(ReaderStart{input, shared_});
  const HANDLE reader = CreateThread(nullptr, 0, read_ahead, start.get(), 0, nullptr);
  if (reader == nullptr) {
    shared_->ended = true;  // unreadable: the input has ended
    return;
  }
  static_cast<void>(start.release());  // the reader owns it now
  CloseHandle(reader);
}

StreamInput::~StreamInput() = default;

int StreamInput::poll(KeyQueue& keys, const StreamPages& pages, int timeout_ms, HANDLE also) {
  if (timeout_ms != 0) wait_for_any({shared_->ready, also}, timeout_ms);
  std::lock_guard lock(shared_->mutex);
  std::deque<std::uint8_t>& bytes = shared_->bytes;
  int added = 0;
  bool rest_due = false;  // a character waits for the rest of its bytes
  bool held = false;      // a character that has come does not fit yet
  while (!bytes.empty()) {
    const std::size_t due = character_bytes_due(pages, bytes.front());
    rest_due = due > bytes.size() && !shared_->ended;
    if (rest_due) break;
    const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(due, bytes.size()));
    const StreamCharacter character = read_stream_character(pages, std::string(bytes.begin(), end));
    held = keys.room() < character.key.size();
    if (held) break;
    keys.push(character.key);
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(character.size));
    added += static_cast<int>(character.key.size());
  }
  if ((bytes.empty() || rest_due) && !shared_->ended) ResetEvent(shared_->ready);
  if (added > 0) shared_->room.notify_all();
  return added + (held ? 1 : 0);
}

bool StreamInput::drained() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->ended && shared_->bytes.empty();
}

void wait_for_any(std::initializer_list<HANDLE> handles, int timeout_ms) {
  constexpr int kMostHandles = 4;
  std::array<HANDLE, kMostHandles> waited{};
  DWORD count = 0;
  for (const HANDLE handle : handles) {
    if (handle != nullptr && count < kMostHandles) waited[count++] = handle;
  }
  const DWORD limit = timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
  if (count == 0) {
    Sleep(limit);
  } else {
    WaitForMultipleObjects(count, waited.data(), FALSE, limit);
  }
}

}  // namespace qb
