// The key queue: up to 511 key codes, oldest first. A code is a character
// 0 to 255, or 255 + 256 x scan code for an extended key (bios_keys.h names
// them); a character of a double-byte page that is a pair comes as its two
// bytes, one after the other, and goes in whole or not at all, so the queue
// never holds half a pair. Backends add keys only while the queue has room,
// so a key is never dropped: the rest waits in the terminal or the console
// until the program reads on, and a key that has come but does not fit
// counts as come (Backend::poll_keys).
#ifndef QB_PLATFORM_KEYS_KEY_QUEUE_H
#define QB_PLATFORM_KEYS_KEY_QUEUE_H

#include <array>
#include <cstddef>

namespace qb {

class KeyQueue {
 public:
  static constexpr std::size_t kCapacity = 511;

  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  // How many more keys fit.
  std::size_t room() const { return kCapacity - count_; }
  // Adds a key at the end; returns false and changes nothing when full.
  bool push(int code);
  // Adds the two bytes of a pair as two keys; returns false and changes
  // nothing when they do not both fit.
  bool push_pair(int lead, int trail);
  // Removes and returns the oldest key; -1 when empty.
  int pop();

 private:
  std::array<int, kCapacity> codes_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
};

}  // namespace qb

#endif  // QB_PLATFORM_KEYS_KEY_QUEUE_H
