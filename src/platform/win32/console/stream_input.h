// Keys from a standard input that is not the console, such as a pipe or a
// file: each character is one key, as typed, read in the console's input
// page and going in as the text page's bytes (stream_characters.h), but
// that its line ends and a byte-order mark are read as redirected text; a
// character's bytes go into the key queue together. A pipe cannot be waited
// on with a time limit, so a thread of its own reads ahead and sets an event while
// bytes wait; it holds at most a few kilobytes, and the rest of the input
// waits where it is. The end of the input is kept, so that the program can
// end instead of waiting for keys that can no longer come.
#ifndef QB_PLATFORM_WIN32_STREAM_INPUT_H
#define QB_PLATFORM_WIN32_STREAM_INPUT_H

#include <windows.h>

#include <initializer_list>
#include <memory>

#include "platform/keys/key_queue.h"
#include "platform/win32/console/stream_characters.h"

namespace qb {

class StreamInput {
 public:
  // Starts reading `input`; an invalid handle is an input that has ended.
  explicit StreamInput(HANDLE input);
  // Leaves the reader to stop at the input's end or with the process.
  ~StreamInput();
  StreamInput(const StreamInput&) = delete;
  StreamInput& operator=(const StreamInput&) = delete;

  // Waits at most timeout_ms (0: only looks; negative: no limit) for bytes,
  // the input's end or `also` (an event; null: none), then moves the
  // characters read in `pages` into `keys` while it has room for them
  // whole; returns how many keys have come: those added, and 1 more when
  // the next character has come but does not fit. A character's first byte
  // waits for the rest of it, unless the input has ended.
  int poll(KeyQueue& keys, const StreamPages& pages, int timeout_ms, HANDLE also);
  // True once the input has ended and every byte of it has been taken.
  bool drained() const;

 private:
  struct Shared;
  struct ReaderStart;
  // The reader thread: takes its ReaderStart and reads until the input
  // ends; the shared state outlives this object if need be.
  static DWORD WINAPI read_ahead(void* start);

  std::shared_ptr<Shared> shared_;
};

// Waits at most timeout_ms (negative: no limit) until one of `handles` is
// signalled; null handles are left out, and with none left it only sleeps.
void wait_for_any(std::initializer_list<HANDLE> handles, int timeout_ms);

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_STREAM_INPUT_H
