// The lines of a framed box in code page 437 double-line characters: top,
// blank, a text centred between the verticals, and bottom, each `width`
// bytes wide. The splash and title boxes and the result box are drawn from
// these.
#ifndef QB_DRIVER_SHARED_BOX_TEXT_H
#define QB_DRIVER_SHARED_BOX_TEXT_H

#include <string>
#include <string_view>

namespace qb {

// The double-line box characters, as code page 437 bytes.
namespace box {
inline constexpr char kTopLeft = '\xC9';      // ╔
inline constexpr char kHorizontal = '\xCD';   // ═
inline constexpr char kTopRight = '\xBB';     // ╗
inline constexpr char kVertical = '\xBA';     // ║
inline constexpr char kBottomLeft = '\xC8';   // ╚
inline constexpr char kBottomRight = '\xBC';  // ╝
}  // namespace box

// The splash box and the result boxes: 34 wide, their left edge at column 22.
inline constexpr int kSmallBoxWidth = 34;
inline constexpr int kSmallBoxColumn = 22;

// `left`, then `fill` up to width - 2 bytes, then `right`.
inline std::string frame_line(char left, char fill, char right, int width) {
  return left + std::string(static_cast<std::size_t>(width - 2), fill) + right;
}

// The top line: ╔, ═ across, ╗.
inline std::string box_top(int width) {
  return frame_line(box::kTopLeft, box::kHorizontal, box::kTopRight, width);
}
// An empty line between the verticals.
inline std::string box_blank(int width) {
  return frame_line(box::kVertical, ' ', box::kVertical, width);
}
// The bottom line: ╚, ═ across, ╝.
inline std::string box_bottom(int width) {
  return frame_line(box::kBottomLeft, box::kHorizontal, box::kBottomRight, width);
}

// `text` centred between the verticals: (inner width - length) / 2 spaces
// before it, the half space that does not fit after it.
inline std::string box_framed(std::string_view text, int width) {
  const auto inner = static_cast<std::size_t>(width - 2);
  const std::size_t before = (inner - text.size()) / 2;
  return box::kVertical + std::string(before, ' ') + std::string(text) +
         std::string(inner - before - text.size(), ' ') + box::kVertical;
}

}  // namespace qb

#endif  // QB_DRIVER_SHARED_BOX_TEXT_H
