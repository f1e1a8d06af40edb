// A fixed ring of key codes that refuses keys when full instead of dropping
// the oldest, so that a fast paste keeps every character.
#include "platform/keys/key_queue.h"

namespace qb {

bool KeyQueue::push(int code) {
  if (count_ == kCapacity) return false;
  codes_[(head_ + count_) % kCapacity] = code;
  ++count_;
  return true;
}

bool KeyQueue::push_pair(int lead, int trail) {
  if (room() < 2) return false;
  push(lead);
  push(trail);
  return true;
}

int KeyQueue::pop() {
  if (count_ == 0) return -1;
  const int code = codes_[head_];
  head_ = (head_ + 1) % kCapacity;
  --count_;
  return code;
}

}  // namespace qb
