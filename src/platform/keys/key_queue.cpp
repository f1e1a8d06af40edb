// A fixed ring of keystrokes that refuses keys when full instead of dropping
// the oldest, so that a fast paste keeps every character.
#include "platform/keys/key_queue.h"

namespace qb {

bool KeyQueue::push(const Keystroke& key) {
  if (key.empty() || key.size() > room()) return false;
  ring_[(head_ + keys_) % kCapacity] = key;
  ++keys_;
  used_ += key.size();
  return true;
}

Keystroke KeyQueue::pop() {
  if (keys_ == 0) return {};
  const Keystroke key = ring_[head_];
  head_ = (head_ + 1) % kCapacity;
  --keys_;
  used_ -= key.size();
  return key;
}

}  // namespace qb
