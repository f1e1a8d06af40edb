// The lines of a framed box in code page 437 double-line characters: top,
// blank, a text centred between the verticals, and bottom, each `width`
// bytes wide.
#ifndef QB_PLATFORM_BOX_TEXT_H
#define QB_PLATFORM_BOX_TEXT_H

#include <string>
#include <string_view>

#include "platform/cp437.h"

namespace qb {

// `left`, then `fill` up to width - 2 bytes, then `right`.
inline std::string frame_line(char left, char fill, char right, int width) {
  return left + std::string(static_cast<std::size_t>(width - 2), fill) + right;
}

inline std::string box_top(int width) {
  return frame_line(cp437::kTopLeft, cp437::kHorizontal, cp437::kTopRight, width);
}
inline std::string box_blank(int width) {
  return frame_line(cp437::kVertical, ' ', cp437::kVertical, width);
}
inline std::string box_bottom(int width) {
  return frame_line(cp437::kBottomLeft, cp437::kHorizontal, cp437::kBottomRight, width);
}

// `text` centred between the verticals: (inner width - length) / 2 spaces
// before it, the half space that does not fit after it.
inline std::string box_framed(std::string_view text, int width) {
  const auto inner = static_cast<std::size_t>(width - 2);
  const std::size_t before = (inner - text.size()) / 2;
  return cp437::kVertical + std::string(before, ' ') + std::string(text) +
         std::string(inner - before - text.size(), ' ') + cp437::kVertical;
}

}  // namespace qb

#endif  // QB_PLATFORM_BOX_TEXT_H
