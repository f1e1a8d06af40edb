// The project record: the user's answers in twelve fixed-capacity texts.
// A field of capacity N keeps at most N bytes of what is stored in it,
// never half of a pair of a double-byte page, zero-fills the rest, and
// reads back up to its first zero byte.
#ifndef QB_DRIVER_SHARED_PROJECT_INFO_H
#define QB_DRIVER_SHARED_PROJECT_INFO_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/code_page.h"
#include "platform/text/page_text.h"

namespace qb {

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kCapacity = N;

  // Keeps the longest start of `text`, in `page`, that is whole characters
  // of at most N bytes, and sets every later byte to zero.
  void store(std::string_view text, const CodePage& page = kCodePage437) {
    const std::size_t kept = whole_characters(page, text, N);
    std::copy_n(text.begin(), kept, bytes_.begin());
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(kept), bytes_.end(), '\0');
  }
  // The bytes up to the first zero byte.
  std::string_view view() const {
    return std::string_view(bytes_.data(), std::char_traits<char>::length(bytes_.data()));
  }

 private:
  std::array<char, N + 1> bytes_{};
};

struct ProjectInfo {
  FixedText<255> source_file;
  FixedText<255> icon1;
  FixedText<255> icon2;
  FixedText<255> icon3;
  FixedText<5> file_version;
  FixedText<5> product_version;
  FixedText<32> copyright;
  FixedText<255> file_description;
  FixedText<255> publisher;
  FixedText<255> comments;
  FixedText<255> website;
  FixedText<255> product_name;
};

// Steps a box's row counter down one row.
inline void next_row(std::int32_t& row) {
  ++row;
}

}  // namespace qb

#endif  // QB_DRIVER_SHARED_PROJECT_INFO_H
