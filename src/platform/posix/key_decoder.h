// Decoding a terminal's input bytes into the console's key codes. Characters
// arrive as UTF-8 and become code page 437 bytes; the escape sequences of
// xterm, VT220, rxvt and the Linux console for the cursor keys, the editing
// block and the function keys, with their Shift, Ctrl and Alt variants,
// become the PC BIOS extended codes (255 + 256 x scan code). The decoder is
// pure: the caller feeds it bytes and tells it when a lone Esc has waited
// long enough to be a key of its own.
#ifndef QB_PLATFORM_POSIX_KEY_DECODER_H
#define QB_PLATFORM_POSIX_KEY_DECODER_H

#include <array>
#include <cstdint>

namespace qb {

// The keys one byte (or one timeout) gave: none, one, or two (an Esc that
// turned out to stand alone, then the key of the byte after it).
struct DecodedKeys {
  std::array<int, 2> codes{};
  int count = 0;
  // Appends a key code.
  void add(int code) { codes[static_cast<std::size_t>(count++)] = code; }
};

class KeyDecoder {
 public:
  static constexpr int kMaxSequence = 32;  // longer sequences are swallowed unread

  // Takes one input byte; returns the keys it completes.
  DecodedKeys feed(std::uint8_t byte);
  // Ends an escape sequence that stopped short: a lone Esc becomes the Esc
  // key, Esc and one byte become Esc and that byte's key, anything longer
  // is swallowed.
  DecodedKeys timeout();
  // True while an escape sequence has begun and not ended; the caller calls
  // timeout() when no byte follows soon.
  bool pending() const { return length_ > 0; }
  // How many more keys than bytes the next feed or timeout may give (0 to 2).
  int extra_keys() const { return length_ < 2 ? length_ : 2; }

 private:
  DecodedKeys ground(std::uint8_t byte);
  DecodedKeys utf8(std::uint8_t byte);
  DecodedKeys escape(std::uint8_t byte);
  DecodedKeys finish();
  DecodedKeys abandon(std::uint8_t byte);
  void append(std::uint8_t byte);

  std::array<std::uint8_t, kMaxSequence> sequence_{};
  int length_ = 0;         // bytes of the escape sequence so far, Esc included
  bool overflow_ = false;  // the sequence outgrew the buffer: swallow it
  char32_t code_point_ = 0;
  int continuation_ = 0;  // UTF-8 continuation bytes still expected
  int utf8_length_ = 0;   // length of the UTF-8 sequence being read
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_KEY_DECODER_H
