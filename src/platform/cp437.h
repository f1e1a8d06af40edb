// The byte values of the program's box-drawing characters and prompt
// marker: the same in code pages 437 and 850.
#ifndef QB_PLATFORM_CP437_H
#define QB_PLATFORM_CP437_H

namespace qb::cp437 {

inline constexpr char kTopLeft = '\xC9';       // ╔
inline constexpr char kHorizontal = '\xCD';    // ═
inline constexpr char kTopRight = '\xBB';      // ╗
inline constexpr char kVertical = '\xBA';      // ║
inline constexpr char kBottomLeft = '\xC8';    // ╚
inline constexpr char kBottomRight = '\xBC';   // ╝
inline constexpr char kPromptMarker = '\xAF';  // »

}  // namespace qb::cp437

#endif  // QB_PLATFORM_CP437_H
