// The Windows console's screen: the screen model drawn through the console's
// wide cell functions, writing only the cells that changed since the last
// frame (as the core's frame diff finds them), a character of two cells (a
// pair, a wide character of UTF-8) as the console keeps it, and the cursor;
// and the buffer and window kept at the model's size.
#ifndef QB_PLATFORM_WIN32_CONSOLE_CONSOLE_RENDERER_H
#define QB_PLATFORM_WIN32_CONSOLE_CONSOLE_RENDERER_H

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>

#include "platform/screen/frame_diff.h"
#include "platform/screen/screen.h"
#include "platform/win32/console/glyphs.h"

namespace qb {

class ConsoleRenderer {
 public:
  // Draws on the screen buffer `output`, from the window's top left cell.
  explicit ConsoleRenderer(HANDLE output);

  // Draws the cells of `screen` that changed, in `glyphs`' code page, and
  // the cursor.
  void present(const Screen& screen, const CodePageGlyphs& glyphs);
  // Forgets what the console shows, so that the next frame is drawn whole.
  void invalidate();
  // Makes buffer and window columns x rows, or as large as the display allows.
  void resize(int columns, int rows);
  // Reads again where the window stands in the buffer.
  void find_origin();

 private:
  void write_block(int top, int bottom, ColumnRun span, const CodePageGlyphs& glyphs);
  void present_cursor(const Screen& screen);

  HANDLE output_;
  COORD origin_{0, 0};  // buffer cell of row 1, column 1 of the window
  FrameDiff diff_;      // the model's cells and what the console shows
  std::array<CHAR_INFO, std::size_t{Screen::kRows} * Screen::kColumns>
      block_{};  // cells on their way out
  std::optional<COORD> shown_cursor_;
  std::optional<bool> shown_visible_;
};

}  // namespace qb

#endif  // QB_PLATFORM_WIN32_CONSOLE_CONSOLE_RENDERER_H
