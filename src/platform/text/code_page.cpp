// What every code page shares: the PC glyphs of the control bytes, the
// lookups both ways and OEM-to-ANSI; the double-byte pages answer through
// their pair lookups. And the list of the ANSI pages.
#include "platform/text/code_page.h"

#include <algorithm>
#include <array>

#include "platform/text/pair_lookups.h"
#include "platform/text/utf8.h"

namespace qb {

// The ANSI pages, from code_pages/.
extern const CodePage kCodePage874;
extern const CodePage kCodePage932;
extern const CodePage kCodePage936;
extern const CodePage kCodePage949;
extern const CodePage kCodePage950;
extern const CodePage kCodePage1250;
extern const CodePage kCodePage1251;
extern const CodePage kCodePage1252;
extern const CodePage kCodePage1253;
extern const CodePage kCodePage1254;
extern const CodePage kCodePage1255;
extern const CodePage kCodePage1256;
extern const CodePage kCodePage1257;
extern const CodePage kCodePage1258;

namespace {

constexpr std::array kAnsi = {&kCodePage874,  &kCodePage932,  &kCodePage936,  &kCodePage949,
                              &kCodePage950,  &kCodePage1250, &kCodePage1251, &kCodePage1252,
                              &kCodePage1253, &kCodePage1254, &kCodePage1255, &kCodePage1256,
                              &kCodePage1257, &kCodePage1258};

// Glyphs of the bytes 1 to 31.
constexpr std::array<char16_t, 31> kControlGlyphs = {
    0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8,  // 01
    0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA,  // 09
    0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8, 0x2191,  // 11
    0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,          // 19
};
constexpr char16_t kDeleteGlyph = 0x2302;  // byte 127: the house

bool is_control(char32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point < 0xA0);
}

}  // namespace

char32_t CodePage::glyph(std::uint8_t byte) const {
  if (byte == 0) return U' ';
  if (byte < 0x20) return kControlGlyphs[byte - 1];
  if (byte < 0x7F) return byte;
  if (byte == 0x7F) return kDeleteGlyph;
  return upper[byte - 0x80];
}

std::uint8_t CodePage::ansi_byte(std::uint8_t byte) const {
  return byte < 0x80 ? byte : static_cast<std::uint8_t>(to_ansi[byte - 0x80]);
}

int CodePage::byte_of(char32_t code_point) const {
  if (code_point < 0x80) return is_control(code_point) ? -1 : static_cast<int>(code_point);
  if (is_control(code_point)) return -1;
  const auto* found = std::find(upper.begin(), upper.end(), code_point);
  return found == upper.end() ? -1 : static_cast<int>(0x80 + (found - upper.begin()));
}

std::uint8_t CodePage::typed_byte(char32_t code_point) const {
  if (const int own = byte_of(code_point); own >= 0) return static_cast<std::uint8_t>(own);
  if (is_control(code_point)) return '?';
  std::size_t offset = 0;  // into fit_bytes, of the range's first character
  for (std::size_t i = 0; i + 1 < fit_ranges.size(); i += 2) {
    const char32_t first = fit_ranges[i];
    const char32_t last = fit_ranges[i + 1];
    if (code_point < first) break;
    if (code_point <= last)
      return static_cast<std::uint8_t>(fit_bytes[offset + code_point - first]);
    offset += last - first + 1;
  }
  return '?';
}

bool CodePage::is_lead(std::uint8_t byte) const {
  return pairs != nullptr && double_byte_is_lead(*pairs, byte);
}

char32_t CodePage::pair_glyph(std::uint8_t lead, std::uint8_t trail) const {
  return pairs == nullptr ? 0 : double_byte_glyph(*pairs, lead, trail);
}

std::string CodePage::typed_bytes(char32_t code_point) const {
  if (is_utf8()) {
    const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
    if (is_control(code_point) || surrogate || code_point > 0x10FFFF) return "?";
    std::string bytes;
    append_utf8(code_point, bytes);
    return bytes;
  }
  if (pairs != nullptr) return double_byte_typed(*this, *pairs, code_point);
  return {static_cast<char>(typed_byte(code_point))};
}

const CodePage& code_page_numbered(int number) {
  if (number == kUtf8CodePage) return kCodePage65001;
  for (const CodePage* page : kCodePages) {
    if (page->number == number) return *page;
  }
  return kCodePage437;
}

extern const std::span<const CodePage* const> kAnsiPages = kAnsi;

const CodePage& ansi_page_numbered(int number) {
  for (const CodePage* page : kAnsiPages) {
    if (page->number == number) return *page;
  }
  return kCodePage1252;
}

void oem_to_ansi(const CodePage& page, std::string& text) {
  if (page.is_utf8()) return;  // UTF-8 is its own ANSI page
  if (page.pairs != nullptr) {
    double_byte_to_ansi(page, *page.pairs, text);
    return;
  }
  for (char& c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    c = static_cast<char>(page.ansi_byte(byte));
  }
}

std::string oem_from_utf8_text(const CodePage& page, std::string_view text) {
  std::string converted;
  converted.reserve(text.size());
  Utf8Decoder decoder;
  for (const char c : text) {
    switch (decoder.feed(static_cast<std::uint8_t>(c))) {
      case Utf8Decoder::Step::kMore:
        break;
      case Utf8Decoder::Step::kDone: {
        const char32_t code_point = decoder.character();
        if (code_point < 0x80) {
          converted += static_cast<char>(code_point);
        } else {
          converted += page.typed_bytes(code_point);  // a pair stays whole
        }
        break;
      }
      case Utf8Decoder::Step::kInvalid:
      case Utf8Decoder::Step::kBrokenOff:
        return std::string(text);
    }
  }
  return decoder.open() ? std::string(text) : converted;
}

}  // namespace qb
