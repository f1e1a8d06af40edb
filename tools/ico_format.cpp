// Icon files: a six-byte header (0, 0, 1, 0 and the image count), one
// sixteen-byte directory entry per image, then the images. Each image written
// here is a BITMAPINFOHEADER, the pixels bottom-up in BGRA order and an
// all-clear AND mask, which is how 32-bit icons with alpha are stored.
#include "ico_format.h"

#include <cstddef>

namespace qb::tools {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;

// Reads a little-endian number of `width` bytes at `at`.
std::uint32_t read_le(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

// Bytes of one AND-mask row: one bit a pixel, padded to whole 32-bit words.
std::size_t mask_row_bytes(int size) {
  return static_cast<std::size_t>((size + 31) / 32) * 4;
}

// The bitmap of one image: header, BGRA pixels bottom-up, clear mask.
std::string encode_bitmap(const IconImage& image) {
  const auto n = static_cast<std::size_t>(image.size);
  std::string out;
  put_le(out, kBitmapHeaderSize, 4);
  put_le(out, static_cast<std::uint32_t>(image.size), 4);
  put_le(out, static_cast<std::uint32_t>(image.size * 2), 4);  // colour and mask halves
  put_le(out, 1, 2);                                           // planes
  put_le(out, 32, 2);                                          // bits per pixel
  put_le(out, 0, 4);                                           // no compression
  put_le(out, static_cast<std::uint32_t>(n * n * 4 + n * mask_row_bytes(image.size)), 4);
  for (int i = 0; i < 4; ++i) put_le(out, 0, 4);  // resolution and palette fields
  for (std::size_t row = n; row-- > 0;) {
    for (std::size_t col = 0; col < n; ++col) put_le(out, image.argb[row * n + col], 4);
  }
  out.append(n * mask_row_bytes(image.size), '\0');
  return out;
}

}  // namespace

void put_le(std::string& out, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string icon_file_problem(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || read_le(bytes, 0, 2) != 0 || read_le(bytes, 2, 2) != 1) {
    return "not an icon file";
  }
  const std::size_t count = read_le(bytes, 4, 2);
  if (count == 0) return "icon file holds no images";
  if (bytes.size() < kHeaderSize + count * kEntrySize) return "icon directory is cut short";
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeaderSize + i * kEntrySize;
    const std::uint64_t length = read_le(bytes, entry + 8, 4);
    const std::uint64_t offset = read_le(bytes, entry + 12, 4);
    if (length == 0 || offset + length > bytes.size()) return "icon image lies outside the file";
  }
  return "";
}

std::string encode_icon(const std::vector<IconImage>& images) {
  std::string out;
  put_le(out, 0, 2);
  put_le(out, 1, 2);
  put_le(out, static_cast<std::uint32_t>(images.size()), 2);
  std::vector<std::string> bitmaps;
  bitmaps.reserve(images.size());
  for (const IconImage& image : images) bitmaps.push_back(encode_bitmap(image));
  std::size_t offset = kHeaderSize + images.size() * kEntrySize;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].size;
    out += static_cast<char>(size >= 256 ? 0 : size);  // width; 0 stands for 256
    out += static_cast<char>(size >= 256 ? 0 : size);  // height
    put_le(out, 0, 2);                                 // no palette, reserved
    put_le(out, 1, 2);                                 // planes
    put_le(out, 32, 2);                                // bits per pixel
    put_le(out, static_cast<std::uint32_t>(bitmaps[i].size()), 4);
    put_le(out, static_cast<std::uint32_t>(offset), 4);
    offset += bitmaps[i].size();
  }
  for (const std::string& bitmap : bitmaps) out += bitmap;
  return out;
}

}  // namespace qb::tools
