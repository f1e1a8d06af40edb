// The result boxes as the user sees them: 34 cells wide, at column 22, the
// five lines of each written out here once, as literal text, for every test
// that checks a result screen. Unit tests, which read the screen model's
// bytes, take them in code page 437, in which the program draws its boxes.
#ifndef QB_TESTS_SUPPORT_RESULT_BOXES_H
#define QB_TESTS_SUPPORT_RESULT_BOXES_H

#include <string>
#include <string_view>

#include "platform/text/code_page.h"
#include "platform/text/utf8.h"

namespace qb::test {

inline const std::string kBoxTop = "╔════════════════════════════════╗";
inline const std::string kBoxBlank = "║                                ║";
inline const std::string kBoxBottom = "╚════════════════════════════════╝";
inline const std::string kSuccessMiddle = "║       EXE file created !       ║";
inline const std::string kResourceErrorMiddle = "║     GoRC RC-Compiler Error     ║";
inline const std::string kCompilerErrorMiddle = "║    FreeBasic Compiler Error    ║";

// `text` in code page 437's bytes, as the screen model holds the boxes.
inline std::string in_437(std::string_view text) {
  std::string bytes;
  Utf8Decoder decoder;
  for (const char c : text) {
    if (decoder.feed(static_cast<std::uint8_t>(c)) == Utf8Decoder::Step::kDone)
      bytes += static_cast<char>(kCodePage437.byte_of(decoder.character()));
  }
  return bytes;
}

}  // namespace qb::test

#endif  // QB_TESTS_SUPPORT_RESULT_BOXES_H
