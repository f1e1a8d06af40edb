// The key queue: up to 511 key codes, oldest first. A code is a character
// 0 to 255, or 255 + 256 x scan code for an extended key. Backends add keys
// only while the queue has room, so a key is never dropped: the rest waits
// in the terminal or the console until the program reads on.
#ifndef QB_PLATFORM_KEY_QUEUE_H
#define QB_PLATFORM_KEY_QUEUE_H

#include <array>
#include <cstddef>

namespace qb {

namespace key {
// Keys that give a control character as their code.
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kLineFeed = 10;  // Ctrl+Enter
constexpr int kEnter = 13;
constexpr int kEscape = 27;
// Extended key codes (255 + 256 x the PC BIOS scan code).
constexpr int kHome = 0x47FF;
constexpr int kUp = 0x48FF;
constexpr int kPageUp = 0x49FF;
constexpr int kLeft = 0x4BFF;
constexpr int kRight = 0x4DFF;
constexpr int kEnd = 0x4FFF;
constexpr int kDown = 0x50FF;
constexpr int kPageDown = 0x51FF;
constexpr int kInsert = 0x52FF;
constexpr int kDelete = 0x53FF;
constexpr int kF1 = 0x3BFF;
constexpr int kAltF4 = 0x6BFF;
// Alt with a key that the PC BIOS table has no code for (Alt+Space, Alt
// with a character beyond ASCII): a code that no reader acts on.
constexpr int kAltOther = 0xFFFF;
// Builds the code of an extended key from its scan code.
constexpr int extended(int scan_code) {
  return 255 + 256 * scan_code;
}
}  // namespace key

class KeyQueue {
 public:
  static constexpr std::size_t kCapacity = 511;

  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  // How many more keys fit.
  std::size_t room() const { return kCapacity - count_; }
  // Adds a key at the end; returns false and changes nothing when full.
  bool push(int code);
  // Removes and returns the oldest key; -1 when empty.
  int pop();

 private:
  std::array<int, kCapacity> codes_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
};

}  // namespace qb

#endif  // QB_PLATFORM_KEY_QUEUE_H
