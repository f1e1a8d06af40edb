// A keystroke's codes and bytes.
#include "platform/keys/keystroke.h"

#include <algorithm>

namespace qb {

Keystroke Keystroke::character(std::string_view bytes) {
  Keystroke key;
  key.size_ = std::min(bytes.size(), kMaxCodes);
  for (std::size_t i = 0; i < key.size_; ++i) key.codes_[i] = static_cast<unsigned char>(bytes[i]);
  return key;
}

std::string Keystroke::bytes() const {
  std::string out;
  for (std::size_t i = 0; i < size_; ++i) out += static_cast<char>(codes_[i]);
  return out;
}

}  // namespace qb
