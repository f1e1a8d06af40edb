// One key on its way from the input to the editor: a key code (a byte of the
// page, or 255 + 256 x scan code for an extended key), or the bytes of one
// character of several bytes (a double-byte page's pair; up to four bytes),
// which travel together everywhere: out of the terminal's decoder or the
// console's events, through the key queue, into the editor's text. Nothing
// on the way holds part of a character.
#ifndef QB_PLATFORM_KEYS_KEYSTROKE_H
#define QB_PLATFORM_KEYS_KEYSTROKE_H

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

class Keystroke {
 public:
  static constexpr std::size_t kMaxCodes = 4;  // the bytes of the longest character

  // None.
  Keystroke() = default;
  // One key code: a key code is a keystroke.
  Keystroke(int code) : codes_{code}, size_(1) {}  // NOLINT(google-explicit-constructor)
  // The bytes of one character, 1 to kMaxCodes of them (more are cut off).
  static Keystroke character(std::string_view bytes);

  bool empty() const { return size_ == 0; }
  // How many codes it is: the places it takes in the key queue.
  std::size_t size() const { return size_; }
  // Its codes, the first (a single key's code) when no index is given.
  int code(std::size_t at = 0) const { return codes_[at]; }
  // The codes as bytes: a character's bytes, or a single byte's.
  std::string bytes() const;

  bool operator==(const Keystroke& other) const = default;
  // A keystroke of one code is that code.
  bool operator==(int code) const { return size_ == 1 && codes_[0] == code; }

 private:
  std::array<int, kMaxCodes> codes_{};
  std::size_t size_ = 0;
};

}  // namespace qb

#endif  // QB_PLATFORM_KEYS_KEYSTROKE_H
