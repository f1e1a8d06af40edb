// The plain transcript that the terminal backend writes where its output is
// no screen (a pipe, a file, TERM=dumb): what the program prints, as lines
// of text in the locale's character set, each ended by LF. The blanks that
// only clear a row on the screen are left out, and so are a line's trailing
// blanks; a blank is held back until text follows it on its line, so a
// prompt shows at once but for its last blank, which comes out with the
// first character typed after it (and never, when the answer is empty).
// A character of several bytes (a pair, a character of UTF-8) is written as
// its character, as the screen reads it (printed_character_size), never
// byte by byte.
#ifndef QB_PLATFORM_POSIX_TRANSCRIPT_H
#define QB_PLATFORM_POSIX_TRANSCRIPT_H

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/posix/locale_charset.h"
#include "platform/posix/terminal/term_glyphs.h"
#include "platform/screen/screen.h"

namespace qb {

class Transcript {
 public:
  explicit Transcript(const LocaleCharset& charset);

  // Takes printed bytes (a line ends at LF, a CR before it is dropped),
  // showing `glyphs`' glyphs, and returns what is to be written out now.
  std::string feed(std::string_view bytes, Glyphs glyphs = Glyphs::kCodePage);
  // Ends a line left open; returns what is to be written out.
  std::string finish();

 private:
  void put(std::string_view text, std::string& out);
  void end_line(std::string& out);

  LocaleCharset charset_;         // the locale's, and the code page
  GlyphTable glyphs_;             // the code page's
  GlyphTable mark_glyphs_;        // the program's own marks: code page 437's
  std::size_t blanks_ = 0;        // blanks held back on the open line
  bool carriage_return_ = false;  // a CR held back: a line end may follow
  bool line_open_ = false;        // the line has had a byte
  bool line_has_text_ = false;    // the line has had more than blanks
};

}  // namespace qb

#endif  // QB_PLATFORM_POSIX_TRANSCRIPT_H
