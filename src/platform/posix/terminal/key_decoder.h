// Decoding a terminal's input bytes into the console's key codes. Characters
// arrive as UTF-8 (or in the locale's single-byte or legacy multi-byte set)
// and become the console page's byte, or its pair of bytes in a
// double-byte page, where it lacks them by Windows' best fit or as "?"; no
// byte of a character of several bytes is ever a key of its own;
// the escape sequences of xterm, VT220, rxvt and the Linux console for the
// cursor keys, the editing block and the function keys, with their Shift,
// Ctrl and Alt variants, become the PC BIOS extended codes (255 + 256 x
// scan code). Esc followed at once by a key that starts no sequence is that
// key with Alt, as terminals send it. A control string that a paste may
// carry (OSC, DCS, APC, PM, SOS: a window title, a terminal's reply) is
// read whole and does nothing, as an unknown sequence does; it ends on its
// terminator or on a pause. The decoder is pure, but for the
// locale that the C library reads a legacy set in: the caller feeds it
// bytes and tells it when a begun sequence has waited long enough to be
// settled.
#ifndef QB_PLATFORM_POSIX_KEY_DECODER_H
#define QB_PLATFORM_POSIX_KEY_DECODER_H

#include <array>
#include <cstdint>

#include "platform/keys/keystroke.h"
#include "platform/posix/locale_charset.h"
#include "platform/text/code_page.h"
#include "platform/text/utf8.h"

namespace qb {

// The keys one byte (or one timeout) gave: none, one, or two (Alt+Esc that
// opened no sequence after all, then the key of the byte after it). A typed
// character of a double-byte page that is a pair is one key of two codes.
struct DecodedKeys {
  std::array<Keystroke, 2> keys{};
  int count = 0;
  // The byte starts the escape window anew: an Esc, which opens a wait for
  // the rest of a sequence, or a byte of a control string, which a pause
  // after its last byte ends. The window counts from this byte's arrival.
  bool starts_window = false;
  // Appends a key.
  void add(const Keystroke& key) { keys[static_cast<std::size_t>(count++)] = key; }
  // The key queue places the keys take.
  int places() const {
    int total = 0;
    for (int i = 0; i < count; ++i)
      total += static_cast<int>(keys[static_cast<std::size_t>(i)].size());
    return total;
  }
};

class KeyDecoder {
 public:
  static constexpr int kMaxSequence = 32;  // longer sequences are swallowed unread
  // A control string ends after this many bytes, its Esc and introducer
  // included; the bytes after it are read afresh.
  static constexpr int kMaxString = 4096;

  // Reads the bytes 128 to 255 as `charset` has them: UTF-8, single bytes,
  // or a legacy multi-byte set.
  explicit KeyDecoder(const LocaleCharset& charset = {});

  // Takes one input byte; returns the keys it completes.
  DecodedKeys feed(std::uint8_t byte);
  // Ends an escape sequence that stopped short: a lone Esc becomes the Esc
  // key, two Escs Alt+Esc, Esc and one introducer ([, O, ], P ...) Alt with
  // it; anything longer, a control string too, is swallowed.
  DecodedKeys timeout();
  // True while an escape sequence or a control string has begun and not
  // ended; the caller calls timeout() when no byte follows soon.
  bool pending() const { return length_ > 0; }
  // True while a key has begun and not ended: a sequence, or a character
  // of several bytes.
  bool begun() const { return length_ > 0 || utf8_.open() || multibyte_.open(); }
  // How many more key queue places than places_per_byte() a byte the next
  // feed or timeout may take: one after a begun escape sequence; after a
  // begun character, one where it may end as a pair, and up to a whole
  // character's bytes where it ends as UTF-8.
  int extra_keys() const {
    const bool character_begun = utf8_.open() || multibyte_.open();
    if (character_begun && page_->is_utf8()) return static_cast<int>(Keystroke::kMaxCodes);
    return length_ > 0 || (page_->pairs != nullptr && character_begun) ? 1 : 0;
  }
  // The most key queue places one byte may take: one where a character
  // never has more bytes in the page than from the terminal; up to UTF-8's
  // four where a terminal of single bytes or of a legacy set types into UTF-8.
  int places_per_byte() const {
    return utf8_input_ || !page_->is_utf8() ? 1 : static_cast<int>(Keystroke::kMaxCodes);
  }

 private:
  DecodedKeys ground(std::uint8_t byte);
  DecodedKeys utf8(std::uint8_t byte);
  DecodedKeys legacy(std::uint8_t byte);
  DecodedKeys character_step(Utf8Decoder::Step step, char32_t character, std::uint8_t byte);
  void add_character(DecodedKeys& keys, char32_t code_point);
  DecodedKeys escape(std::uint8_t byte);
  DecodedKeys introducer(std::uint8_t byte);
  DecodedKeys after_esc(std::uint8_t byte);
  DecodedKeys control_string(std::uint8_t byte);
  DecodedKeys begin_escape(bool in_string);
  DecodedKeys finish();
  DecodedKeys abandon(std::uint8_t byte);
  void append(std::uint8_t byte);

  bool utf8_input_ = true;
  bool multibyte_input_ = false;
  const CodePage* page_;                      // the console's page, which keys come in
  std::array<Keystroke, 128> single_byte_{};  // the key of each of 128..255
  std::array<std::uint8_t, kMaxSequence> sequence_{};
  int length_ = 0;           // bytes of the escape sequence so far, Esc included
  bool overflow_ = false;    // the sequence outgrew the buffer: swallow it
  bool alt_ = false;         // an Esc came before the sequence's own: its key has Alt
  int string_bytes_ = 0;     // bytes of the control string so far, 0 outside one
  bool string_esc_ = false;  // the Esc came inside a control string: with \ it ends it
  bool alt_char_ = false;    // the character being read came right after Esc
  Utf8Decoder utf8_;
  MultibyteDecoder multibyte_;
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_KEY_DECODER_H
