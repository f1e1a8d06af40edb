// The key decoder's state machine. An escape sequence is collected byte by
// byte (Esc, an introducer, parameters, a final byte) and then looked up in
// the tables of key_sequences.cpp; a sequence that is not there is
// swallowed whole. An Esc waits for the next byte: an introducer begins a
// sequence, a second Esc makes the sequence after it Alt's, and any other
// key is that key with Alt. Characters of several bytes, UTF-8 or a legacy
// set's, are collected the same way: while one is open, every byte goes
// first to it (a legacy set's later bytes may be ASCII: a backslash, a
// digit). A control string's bytes are only counted, never kept: it
// stands for no key.
#include "platform/posix/terminal/key_decoder.h"

#include <string_view>
#include <utility>

#include "platform/keys/bios_keys.h"
#include "platform/keys/key_queue.h"
#include "platform/posix/terminal/key_sequences.h"
#include "platform/text/utf8.h"

namespace qb {

namespace {

// Adds the keys of `more` to `keys`.
void add_all(DecodedKeys& keys, const DecodedKeys& more) {
  for (int i = 0; i < more.count; ++i) keys.add(more.keys[static_cast<std::size_t>(i)]);
  keys.starts_window = keys.starts_window || more.starts_window;
}

constexpr std::uint8_t kBell = 7;

// True for the byte after Esc that opens a control string: OSC, DCS, APC,
// PM or SOS.
bool opens_string(std::uint8_t byte) {
  return byte == ']' || byte == 'P' || byte == '_' || byte == '^' || byte == 'X';
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

KeyDecoder::KeyDecoder(const LocaleCharset& charset)
    : utf8_input_(charset.utf8),
      multibyte_input_(!charset.utf8 && charset.multibyte),
      page_(&charset.console_page()) {
  for (std::size_t i = 0; i < single_byte_.size(); ++i) {
    const char32_t code_point = charset.high[i];  // 0, no character, is typed as "?"
    if (page_->is_utf8()) {
      single_byte_[i] = Keystroke::character(page_->typed_bytes(code_point));
    } else {
      single_byte_[i] = page_->typed_byte(code_point);
    }
  }
}

DecodedKeys KeyDecoder::feed(std::uint8_t byte) {
  return length_ > 0 ? escape(byte) : ground(byte);
}

DecodedKeys KeyDecoder::timeout() {
  DecodedKeys keys;
  if (length_ == 1) {
    keys.add(alt_ ? alt_code(key::kEscape) : key::kEscape);
  } else if (length_ == 2 && !overflow_ && string_bytes_ <= 2) {
    keys.add(alt_code(sequence_[1]));  // Alt+[, Alt+O, Alt+] ...
  }
  length_ = 0;
  overflow_ = false;
  alt_ = false;
  string_bytes_ = 0;
  string_esc_ = false;
  return keys;
}

// A byte outside any escape sequence.
DecodedKeys KeyDecoder::ground(std::uint8_t byte) {
  DecodedKeys keys;
  if (multibyte_input_ && (byte >= 0x80 || multibyte_.open())) return legacy(byte);
  if (byte >= 0x80 && !utf8_input_) {
    keys.add(single_byte_[byte - 0x80]);
    return keys;
  }
  if (utf8_.open() || byte >= 0x80) return utf8(byte);
  if (byte == key::kEscape) return begin_escape(false);
  if (byte == 127) {
    keys.add(8);  // Backspace, as most terminals send it
  } else if (byte == 0) {
    keys.add(bios::code(bios::Key::kDigit2, bios::Column::kCtrl));  // Ctrl+@, the BIOS's NUL key
  } else {
    keys.add(byte);
  }
  return keys;
}

// A byte of a UTF-8 character; the finished character gives its keys, as
// add_character() has them.
DecodedKeys KeyDecoder::utf8(std::uint8_t byte) {
  const Utf8Decoder::Step step = utf8_.feed(byte);
  return character_step(step, utf8_.character(), byte);
}

// A byte of a character of a legacy multi-byte set, read as UTF-8 is.
DecodedKeys KeyDecoder::legacy(std::uint8_t byte) {
  const Utf8Decoder::Step step = multibyte_.feed(byte);
  return character_step(step, multibyte_.character(), byte);
}

// The keys of one step of a character's decoder, `character` once it is
// done: none while more bytes are due or when it is broken; a byte that
// broke a begun character off starts afresh.
DecodedKeys KeyDecoder::character_step(Utf8Decoder::Step step, char32_t character,
                                       std::uint8_t byte) {
  DecodedKeys keys;
  switch (step) {
    case Utf8Decoder::Step::kMore:
      return keys;
    case Utf8Decoder::Step::kDone:
      add_character(keys, character);
      break;
    case Utf8Decoder::Step::kInvalid:
      break;  // a broken character is dropped
    case Utf8Decoder::Step::kBrokenOff:
      alt_char_ = false;
      return ground(byte);  // the byte starts afresh
  }
  alt_char_ = false;
  return keys;
}

// A finished character's keys: Alt with it right after Esc, else its byte
// in the console's page, or its pair, or the byte or pair that Windows' best
// fit gives it, or "?"; in UTF-8 its bytes.
void KeyDecoder::add_character(DecodedKeys& keys, char32_t code_point) {
  if (alt_char_) {
    keys.add(key::kAltOther);
  } else if (page_->one_byte()) {
    keys.add(page_->typed_byte(code_point));
  } else {
    keys.add(Keystroke::character(page_->typed_bytes(code_point)));
  }
}

// An Esc opens a sequence; `in_string` when it came inside a control
// string, which it ends.
DecodedKeys KeyDecoder::begin_escape(bool in_string) {
  DecodedKeys keys;
  sequence_[0] = key::kEscape;
  length_ = 1;
  overflow_ = false;
  alt_ = false;
  string_bytes_ = 0;
  string_esc_ = in_string;
  keys.starts_window = true;
  return keys;
}

// A byte after Esc.
DecodedKeys KeyDecoder::escape(std::uint8_t byte) {
  if (string_bytes_ > 0) return control_string(byte);
  if (length_ == 1) return introducer(byte);
  const std::uint8_t intro = sequence_[1];
  const bool linux_function_key = intro == '[' && length_ == 3 && sequence_[2] == '[';
  const bool opens_linux = intro == '[' && length_ == 2 && byte == '[';
  if (opens_linux) {
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

// The byte right after Esc: ST, when the Esc came inside a control string;
// the introducer of a control string or of a sequence; or a key with Alt.
DecodedKeys KeyDecoder::introducer(std::uint8_t byte) {
  const bool after_string = std::exchange(string_esc_, false);
  DecodedKeys keys;
  if (after_string && byte == '\\') {
    length_ = 0;  // the string's end, and nothing more
  } else if (!alt_ && opens_string(byte)) {
    append(byte);
    string_bytes_ = 2;
    keys.starts_window = true;
  } else if (byte == '[' || byte == 'O') {
    append(byte);
  } else {
    return after_esc(byte);
  }
  return keys;
}

// A byte of a control string, which does nothing: an Esc ends it and opens
// a sequence (with a backslash, ST, that ends the string alone), BEL ends
// an OSC, and the string's longest ends it; any other byte is swallowed.
DecodedKeys KeyDecoder::control_string(std::uint8_t byte) {
  if (byte == key::kEscape) return begin_escape(true);
  DecodedKeys keys;
  if ((byte == kBell && sequence_[1] == ']') || ++string_bytes_ >= kMaxString) {
    length_ = 0;
    string_bytes_ = 0;
    return keys;
  }
  keys.starts_window = true;
  return keys;
}

// The byte right after Esc, opening no sequence: Alt with that byte's key.
// A second Esc waits on, since rxvt sends Alt with a sequence's key as Esc
// and the sequence; after two Escs any other byte makes them Alt+Esc and
// is read afresh.
DecodedKeys KeyDecoder::after_esc(std::uint8_t byte) {
  DecodedKeys keys;
  if (!alt_ && byte == key::kEscape) {
    alt_ = true;
    return keys;
  }
  length_ = 0;
  if (alt_) {
    alt_ = false;
    keys.add(alt_code(key::kEscape));
    add_all(keys, ground(byte));
  } else if (byte >= 0x80 && (utf8_input_ || multibyte_input_)) {
    alt_char_ = true;  // Alt with a character: given once the character is whole
    return utf8_input_ ? utf8(byte) : legacy(byte);
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
