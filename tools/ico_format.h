// The Windows icon file format, as far as the stand-in tools need it:
// checking that a file is an icon file, and writing 32-bit icons; and the
// little-endian numbers it shares with the other Windows formats.
#ifndef QB_TOOLS_ICO_FORMAT_H
#define QB_TOOLS_ICO_FORMAT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb::tools {

// One square image, `size` x `size` pixels, rows from the top, 0xAARRGGBB.
struct IconImage {
  int size = 0;
  std::vector<std::uint32_t> argb;
};

// An empty text when `bytes` is an icon file whose directory entries all lie
// inside it; otherwise what is wrong, in a few words.
std::string icon_file_problem(std::string_view bytes);

// Appends `value` as `width` little-endian bytes, as Windows' file formats
// store their numbers.
void put_le(std::string& out, std::uint32_t value, int width);

// The bytes of an icon file holding `images` as 32-bit bitmaps with alpha.
std::string encode_icon(const std::vector<IconImage>& images);

}  // namespace qb::tools

#endif  // QB_TOOLS_ICO_FORMAT_H
