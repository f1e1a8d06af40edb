// make_icons DIR: writes two small icon files for the demo into DIR:
// app.ico with a 16 x 16 and a 32 x 32 image, and small.ico with a 16 x 16
// image. The pictures are drawn here (a round badge with a slanted stroke),
// so the demo needs nothing from outside.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "ico_format.h"

namespace {

using qb::tools::IconImage;

// A round badge: the width of its square picture and its colour, as 0xAARRGGBB.
struct Badge {
  int size;
  std::uint32_t colour;
};

// The pixel of `badge` at (x, y), as 0xAARRGGBB.
std::uint32_t badge_pixel(const Badge& badge, int x, int y) {
  const int size = badge.size;
  const double centre = (size - 1) / 2.0;
  const double dx = x - centre;
  const double dy = y - centre;
  const double radius = size / 2.0 - 0.5;
  const double distance = std::sqrt(dx * dx + dy * dy);
  if (distance > radius) return 0x00000000;                      // transparent outside
  if (distance > radius - size / 16.0 - 0.5) return 0xFF202020;  // dark rim
  if (std::abs(dx + dy) <= size / 10.0) return 0xFFFFFFFF;       // the white stroke
  return badge.colour;
}

// A square picture of the badge in `colour`.
IconImage badge(int size, std::uint32_t colour) {
  const Badge shape{size, colour};
  IconImage image;
  image.size = size;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) image.argb.push_back(badge_pixel(shape, x, y));
  }
  return image;
}

// Writes `bytes` to `path`; false when that fails.
bool write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

// Writes the two demo icons into the folder named by the one argument.
int main(int argc, char** argv) {
  if (argc != 2) {
    static_cast<void>(std::fputs("usage: make_icons FOLDER\n", stderr));  // the status tells anyway
    return 2;
  }
  const std::string folder = argv[1];
  const std::uint32_t blue = 0xFF2060C0;
  const std::uint32_t green = 0xFF30A050;
  const bool ok =
      write_file(folder + "/app.ico", qb::tools::encode_icon({badge(16, blue), badge(32, blue)})) &&
      write_file(folder + "/small.ico", qb::tools::encode_icon({badge(16, green)}));
  // The status tells the failure should the message fail too.
  if (!ok) static_cast<void>(std::fputs("make_icons: cannot write the icon files\n", stderr));
  return ok ? 0 : 1;
}
