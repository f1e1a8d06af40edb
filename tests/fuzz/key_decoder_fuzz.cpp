// Fuzzes the terminal key decoder with any byte stream, the lone-Esc timeout
// striking every few bytes: it never gives more keys than it was fed bytes,
// and every key is a character 0 to 255 or an extended code 255 + 256 x scan.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/keys/bios_keys.h"
#include "platform/posix/terminal/key_decoder.h"

namespace {

// Counts the key queue places the keys take and aborts on a key that
// reading a key could not give.
void take(const qb::DecodedKeys& keys, std::size_t& total) {
  for (int i = 0; i < keys.count; ++i) {
    const qb::Keystroke& key = keys.keys[static_cast<std::size_t>(i)];
    for (std::size_t c = 0; c < key.size(); ++c) {
      if (!qb::key::valid(key.code(c))) std::abort();
    }
  }
  total += static_cast<std::size_t>(keys.places());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t timeout_every = data[0] % 8 + 1;
  qb::KeyDecoder decoder;
  std::size_t fed = 0;
  std::size_t keys = 0;
  for (std::size_t i = 1; i < size; ++i) {
    take(decoder.feed(data[i]), keys);
    ++fed;
    if (fed % timeout_every == 0 && decoder.pending()) take(decoder.timeout(), keys);
    if (keys > fed) std::abort();
  }
  if (decoder.pending()) take(decoder.timeout(), keys);
  if (keys > fed || decoder.pending()) std::abort();
  return 0;
}
