// The key decoder's state machine. An escape sequence is collected byte by
// byte (Esc, an introducer, parameters, a final byte) and then looked up in
// the tables of key_sequences.cpp; a sequence that is not there is
// swallowed whole. An Esc waits for the next byte: an introducer begins a
// sequence, a second Esc makes the sequence after it Alt's, and any other
// key is that key with Alt. UTF-8 characters are collected the same way.
#include "platform/posix/key_decoder.h"

#include <string_view>

#include "platform/cp437.h"
#include "platform/key_queue.h"
#include "platform/posix/key_sequences.h"

namespace qb {

namespace {

constexpr int kEsc = 27;

// Adds the keys of `more` to `keys`.
void add_all(DecodedKeys& keys, const DecodedKeys& more) {
  for (int i = 0; i < more.count; ++i) keys.add(more.codes[static_cast<std::size_t>(i)]);
  keys.began_escape = keys.began_escape || more.began_escape;
}

// True for a byte that ends a sequence of this introducer.
bool final_byte(std::uint8_t byte, std::uint8_t intro) {
  if (intro == '[' && byte == '$') return true;  // rxvt's Shift suffix
  return byte >= 0x40 && byte <= 0x7E;
}

// True for a parameter or intermediate byte.
bool parameter_byte(std::uint8_t byte) {
  return byte >= 0x20 && byte <= 0x3F;
}

}  // namespace

KeyDecoder::KeyDecoder(const LocaleCharset& charset) : utf8_input_(charset.utf8) {
  for (std::size_t i = 0; i < single_byte_.size(); ++i) {
    const char32_t code_point = charset.high[i];
    single_byte_[i] =
        static_cast<std::int16_t>(code_point != 0 ? cp437::from_unicode(code_point) : -1);
  }
}

DecodedKeys KeyDecoder::feed(std::uint8_t byte) {
  return length_ > 0 ? escape(byte) : ground(byte);
}

DecodedKeys KeyDecoder::timeout() {
  DecodedKeys keys;
  if (length_ == 1) {
    keys.add(alt_ ? alt_code(kEsc) : kEsc);
  } else if (length_ == 2 && !overflow_) {
    keys.add(alt_code(sequence_[1]));  // Alt+[ or Alt+O
  }
  length_ = 0;
  overflow_ = false;
  alt_ = false;
  return keys;
}

// A byte outside any escape sequence.
DecodedKeys KeyDecoder::ground(std::uint8_t byte) {
  DecodedKeys keys;
  if (byte >= 0x80 && !utf8_input_) {
    const int converted = single_byte_[byte - 0x80];
    if (converted >= 0) keys.add(converted);
    return keys;
  }
  if (continuation_ > 0 || byte >= 0x80) return utf8(byte);
  if (byte == kEsc) {
    sequence_[0] = byte;
    length_ = 1;
    overflow_ = false;
    alt_ = false;
    keys.began_escape = true;
  } else if (byte == 127) {
    keys.add(8);  // Backspace, as most terminals send it
  } else if (byte == 0) {
    keys.add(key::extended(3));  // Ctrl+@, as the BIOS gives it
  } else {
    keys.add(byte);
  }
  return keys;
}

// A byte of a UTF-8 character; the finished character gives its code page
// 437 byte, or nothing when code page 437 has no such glyph.
DecodedKeys KeyDecoder::utf8(std::uint8_t byte) {
  DecodedKeys keys;
  if (continuation_ > 0) {
    if ((byte & 0xC0) != 0x80) {
      continuation_ = 0;  // a broken character is dropped; the byte starts afresh
      alt_char_ = false;
      return ground(byte);
    }
    code_point_ = (code_point_ << 6) | (byte & 0x3F);
    if (--continuation_ > 0) return keys;
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code_point_ >= kSmallest[utf8_length_] && code_point_ <= 0x10FFFF &&
                       (code_point_ < 0xD800 || code_point_ > 0xDFFF);
    const int converted = valid ? cp437::from_unicode(code_point_) : -1;
    if (valid && alt_char_) {
      keys.add(key::kAltOther);
    } else if (converted >= 0) {
      keys.add(converted);
    }
    alt_char_ = false;
    return keys;
  }
  if ((byte & 0xE0) == 0xC0) {
    utf8_length_ = 2;
  } else if ((byte & 0xF0) == 0xE0) {
    utf8_length_ = 3;
  } else if ((byte & 0xF8) == 0xF0) {
    utf8_length_ = 4;
  } else {
    alt_char_ = false;
    return keys;  // a stray continuation byte or no UTF-8 at all
  }
  code_point_ = byte & (0x7F >> utf8_length_);
  continuation_ = utf8_length_ - 1;
  return keys;
}

// A byte after Esc.
DecodedKeys KeyDecoder::escape(std::uint8_t byte) {
  if (length_ == 1 && byte != '[' && byte != 'O') return after_esc(byte);
  const std::uint8_t intro = length_ > 1 ? sequence_[1] : byte;
  const bool linux_function_key = intro == '[' && length_ == 3 && sequence_[2] == '[';
  const bool opens_linux = intro == '[' && length_ == 2 && byte == '[';
  if (length_ == 1 || opens_linux) {
    append(byte);
    return {};
  }
  if (linux_function_key || final_byte(byte, intro)) {
    append(byte);
    return finish();
  }
  if (parameter_byte(byte)) {
    append(byte);
    return {};
  }
  return abandon(byte);
}

// The byte right after Esc, opening no sequence: Alt with that byte's key.
// A second Esc waits on, since rxvt sends Alt with a sequence's key as Esc
// and the sequence; after two Escs any other byte makes them Alt+Esc and
// is read afresh.
DecodedKeys KeyDecoder::after_esc(std::uint8_t byte) {
  DecodedKeys keys;
  if (!alt_ && byte == kEsc) {
    alt_ = true;
    return keys;
  }
  length_ = 0;
  if (alt_) {
    alt_ = false;
    keys.add(alt_code(kEsc));
    add_all(keys, ground(byte));
  } else if (byte >= 0x80 && utf8_input_) {
    alt_char_ = true;  // Alt with a character: given once the character is whole
    return utf8(byte);
  } else {
    keys.add(byte >= 0x80 ? key::kAltOther : alt_code(byte));
  }
  return keys;
}

// Adds a byte to the sequence; one too many marks the sequence for swallowing.
void KeyDecoder::append(std::uint8_t byte) {
  if (length_ < kMaxSequence) {
    sequence_[static_cast<std::size_t>(length_++)] = byte;
  } else {
    overflow_ = true;
  }
}

// The sequence is complete: its key, if the table knows it.
DecodedKeys KeyDecoder::finish() {
  DecodedKeys keys;
  const std::string_view bytes(reinterpret_cast<const char*>(sequence_.data()),
                               static_cast<std::size_t>(length_));
  const int code = overflow_ ? -1 : decode_sequence(bytes, alt_);
  length_ = 0;
  overflow_ = false;
  alt_ = false;
  if (code >= 0) keys.add(code);
  return keys;
}

// A byte that cannot go on the sequence: the sequence is swallowed and the
// byte read afresh.
DecodedKeys KeyDecoder::abandon(std::uint8_t byte) {
  length_ = 0;
  overflow_ = false;
  alt_ = false;
  return ground(byte);
}

}  // namespace qb
