// The read-ahead of a redirected standard input. The reader thread and the
// program's thread share one buffer under a mutex; the reader waits while
// the buffer is full, the program waits (with its time limit) while it is
// empty, and each wakes the other through one condition variable.
#include "platform/win32/stream_input.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace qb {

namespace {
constexpr std::size_t kReadAhead = 4096;
}

struct StreamInput::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::uint8_t> bytes;
  bool ended = false;
};

// Never holds more than the read-ahead: while the buffer is full it waits.
void StreamInput::read_ahead(HANDLE input, std::shared_ptr<Shared> shared) {
  std::array<char, kReadAhead> chunk{};
  for (;;) {
    {
      std::unique_lock lock(shared->mutex);
      shared->changed.wait(lock, [&] { return shared->bytes.size() < kReadAhead; });
    }
    DWORD got = 0;
    const BOOL read =
        ReadFile(input, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr);
    std::lock_guard lock(shared->mutex);
    if (!read || got == 0) {
      shared->ended = true;
      shared->changed.notify_all();
      return;
    }
    shared->bytes.insert(shared->bytes.end(), chunk.begin(), chunk.begin() + got);
    shared->changed.notify_all();
  }
}

StreamInput::StreamInput(HANDLE input) : shared_(std::make_shared<Shared>()) {
  if (input == nullptr || input == INVALID_HANDLE_VALUE) {
    shared_->ended = true;
    return;
  }
  std::thread(read_ahead, input, shared_).detach();
}

StreamInput::~StreamInput() = default;

int StreamInput::poll(KeyQueue& keys, int timeout_ms) {
  std::unique_lock lock(shared_->mutex);
  shared_->changed.wait_for(lock, std::chrono::milliseconds(timeout_ms > 0 ? timeout_ms : 0),
                            [&] { return !shared_->bytes.empty() || shared_->ended; });
  int added = 0;
  while (!shared_->bytes.empty() && keys.push(shared_->bytes.front())) {
    shared_->bytes.pop_front();
    ++added;
  }
  if (added > 0) shared_->changed.notify_all();
  return added;
}

bool StreamInput::drained() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->ended && shared_->bytes.empty();
}

}  // namespace qb
