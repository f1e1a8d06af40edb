// The key queue read back in tests: the codes of its keystrokes, oldest
// first, a character's bytes one after another, as the tests write them.
#ifndef QB_TESTS_SUPPORT_QUEUED_CODES_H
#define QB_TESTS_SUPPORT_QUEUED_CODES_H

#include <cstddef>
#include <vector>

#include "platform/keys/key_queue.h"

namespace qb::test {

// Takes every keystroke out of `keys`; returns their codes.
inline std::vector<int> take_codes(KeyQueue& keys) {
  std::vector<int> codes;
  while (!keys.empty()) {
    const Keystroke key = keys.pop();
    for (std::size_t i = 0; i < key.size(); ++i) codes.push_back(key.code(i));
  }
  return codes;
}

}  // namespace qb::test

#endif  // QB_TESTS_SUPPORT_QUEUED_CODES_H
