// The key queue: up to 511 key codes, oldest first, in whole keystrokes. A
// code is a character 0 to 255, or 255 + 256 x scan code for an extended
// key (bios_keys.h names them); a character of several bytes (a double-byte
// page's pair) is one keystroke of that many codes, which takes as many
// places and goes in and out whole or not at all, so the queue never holds
// part of a character, whatever its callers do. Backends add keys only
// while the queue has room, so a key is never dropped: the rest waits in
// the terminal or the console until the program reads on, and a key that
// has come but does not fit counts as come (Backend::poll_keys).
#ifndef QB_PLATFORM_KEYS_KEY_QUEUE_H
#define QB_PLATFORM_KEYS_KEY_QUEUE_H

#include <array>
#include <cstddef>

#include "platform/keys/keystroke.h"

namespace qb {

class KeyQueue {
 public:
  static constexpr std::size_t kCapacity = 511;  // places: key codes

  bool empty() const { return keys_ == 0; }
  // How many places the queued keys take.
  std::size_t size() const { return used_; }
  // How many more places there are.
  std::size_t room() const { return kCapacity - used_; }
  // Adds a keystroke at the end, all its codes; returns false and changes
  // nothing when they do not all fit (or it is none).
  bool push(const Keystroke& key);
  // Removes and returns the oldest keystroke, whole; none when empty.
  Keystroke pop();

 private:
  std::array<Keystroke, kCapacity> ring_{};  // a keystroke takes at least one place
  std::size_t head_ = 0;
  std::size_t keys_ = 0;  // keystrokes in the ring
  std::size_t used_ = 0;  // places they take
};

}  // namespace qb

#endif  // QB_PLATFORM_KEYS_KEY_QUEUE_H
