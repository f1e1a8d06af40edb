// The transcript's line assembly. Bytes go out as the screen's glyphs, but
// in plain text: a single-byte set gets look-alikes where it has no
// character, never the terminal's line-drawing set. The bell, backspace and
// tab go out as they are, and so does a CR that ends no line.
#include "platform/posix/terminal/transcript.h"

#include "platform/text/code_page.h"
#include "platform/text/page_text.h"

namespace qb {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\0';
}

bool passes_unchanged(char c) {
  return c == '\a' || c == '\b' || c == '\t' || c == '\r';
}

}  // namespace

Transcript::Transcript(const LocaleCharset& charset)
    : charset_(charset),
      glyphs_(make_glyph_table(charset, charset.console_page(), GlyphUse::kText)),
      mark_glyphs_(make_glyph_table(charset, kCodePage437, GlyphUse::kText)) {}

std::string Transcript::feed(std::string_view bytes, Glyphs glyphs) {
  const GlyphTable& table = glyphs == Glyphs::kProgram ? mark_glyphs_ : glyphs_;
  const CodePage& page = glyphs == Glyphs::kProgram ? kCodePage437 : charset_.console_page();
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      carriage_return_ = false;
      end_line(out);
      continue;
    }
    if (carriage_return_) {
      carriage_return_ = false;
      put("\r", out);  // a CR that ended no line
    }
    if (c == '\r') {
      carriage_return_ = true;
      continue;
    }
    line_open_ = true;
    if (is_blank(c)) {
      ++blanks_;
    } else if (const std::size_t size =
                   page.one_byte() ? 1 : printed_character_size(page, bytes, i);
               size > 1) {
      const std::string_view character = bytes.substr(i, size);
      const char32_t code_point = code_point_at(page, character, 0);
      const bool wide = character_cells(page, character, 0) == 2;
      put((wide ? pair_glyph(charset_, code_point, GlyphUse::kText)
                : character_glyph(charset_, code_point, GlyphUse::kText))
              .text(),
          out);
      i += size - 1;
    } else {
      put(passes_unchanged(c) ? std::string_view(&c, 1)
                              : table[static_cast<unsigned char>(c)].text(),
          out);
    }
  }
  return out;
}

// Writes the blanks held back, then `text`.
void Transcript::put(std::string_view text, std::string& out) {
  out.append(blanks_, ' ');
  blanks_ = 0;
  line_has_text_ = true;
  out += text;
}

std::string Transcript::finish() {
  std::string out;
  if (line_open_ && line_has_text_) out += '\n';
  blanks_ = 0;
  carriage_return_ = false;
  line_open_ = line_has_text_ = false;
  return out;
}

// A line of blanks only cleared a row: it is left out. Any other line ends.
void Transcript::end_line(std::string& out) {
  if (!line_open_ || line_has_text_) out += '\n';
  blanks_ = 0;
  line_open_ = line_has_text_ = false;
}

}  // namespace qb
