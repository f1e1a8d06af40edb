// What every code page shares: the PC glyphs of the control bytes, the
// lookups both ways, OEM-to-ANSI, UTF-8, and the table that gives a locale
// its OEM page as Windows does (LOCALE_IDEFAULTCODEPAGE): 850 for the
// Western European languages and for English outside the United States and
// a few other territories, 437 everywhere else.
#include "platform/code_page.h"

#include <algorithm>

namespace qb {

namespace {

// Glyphs of the bytes 1 to 31.
constexpr std::array<char16_t, 31> kControlGlyphs = {
    0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8,  // 01
    0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA,  // 09
    0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8, 0x2191,  // 11
    0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,          // 19
};
constexpr char16_t kDeleteGlyph = 0x2302;  // byte 127: the house

// A language, or a language in one territory ("" for none given), and its
// OEM page. The first row that matches wins: territories before languages.
struct LocalePage {
  std::string_view language;
  std::string_view territory;  // "*": any territory, none included
  const CodePage* page;
};

// clang-format off
constexpr auto kLocalePages = std::to_array<LocalePage>({
    // English: 850, but for these territories (and for no territory).
    {"en", "", &kCodePage437},   {"en", "US", &kCodePage437}, {"en", "IN", &kCodePage437},
    {"en", "MY", &kCodePage437}, {"en", "PH", &kCodePage437}, {"en", "SG", &kCodePage437},
    {"en", "ZA", &kCodePage437}, {"en", "ZW", &kCodePage437}, {"en", "AE", &kCodePage437},
    {"en", "AT", &kCodePage437}, {"en", "BI", &kCodePage437}, {"en", "CH", &kCodePage437},
    {"en", "CY", &kCodePage437}, {"en", "DE", &kCodePage437}, {"en", "DK", &kCodePage437},
    {"en", "FI", &kCodePage437}, {"en", "IL", &kCodePage437}, {"en", "NL", &kCodePage437},
    {"en", "SE", &kCodePage437}, {"en", "SI", &kCodePage437},
    // Territories where Windows keeps the language out of its 850 group.
    {"de", "IT", &kCodePage437}, {"es", "BR", &kCodePage437}, {"es", "BZ", &kCodePage437},
    {"fo", "DK", &kCodePage437}, {"ga", "GB", &kCodePage437}, {"it", "VA", &kCodePage437},
    {"pt", "CH", &kCodePage437}, {"pt", "GQ", &kCodePage437}, {"pt", "LU", &kCodePage437},
    {"tzm", "MA", &kCodePage437},
    {"ff", "BF", &kCodePage437}, {"ff", "GH", &kCodePage437}, {"ff", "GM", &kCodePage437},
    {"ff", "GW", &kCodePage437}, {"ff", "LR", &kCodePage437}, {"ff", "NE", &kCodePage437},
    {"ff", "SL", &kCodePage437},
    // The languages of code page 850 with 1252.
    {"af", "*", &kCodePage850},  {"arn", "*", &kCodePage850}, {"bin", "*", &kCodePage850},
    {"br", "*", &kCodePage850},  {"ca", "*", &kCodePage850},  {"co", "*", &kCodePage850},
    {"cy", "*", &kCodePage850},  {"da", "*", &kCodePage850},  {"de", "*", &kCodePage850},
    {"dsb", "*", &kCodePage850}, {"en", "*", &kCodePage850},  {"es", "*", &kCodePage850},
    {"eu", "*", &kCodePage850},  {"ff", "*", &kCodePage850},  {"fi", "*", &kCodePage850},
    {"fo", "*", &kCodePage850},  {"fr", "*", &kCodePage850},  {"fy", "*", &kCodePage850},
    {"ga", "*", &kCodePage850},  {"gd", "*", &kCodePage850},  {"gl", "*", &kCodePage850},
    {"gn", "*", &kCodePage850},  {"gsw", "*", &kCodePage850}, {"hsb", "*", &kCodePage850},
    {"id", "*", &kCodePage850},  {"is", "*", &kCodePage850},  {"it", "*", &kCodePage850},
    {"jv", "*", &kCodePage850},  {"kl", "*", &kCodePage850},  {"kr", "*", &kCodePage850},
    {"lb", "*", &kCodePage850},  {"moh", "*", &kCodePage850}, {"ms", "*", &kCodePage850},
    {"nb", "*", &kCodePage850},  {"nl", "*", &kCodePage850},  {"nn", "*", &kCodePage850},
    {"no", "*", &kCodePage850},  {"nso", "*", &kCodePage850}, {"oc", "*", &kCodePage850},
    {"pt", "*", &kCodePage850},  {"quc", "*", &kCodePage850}, {"quz", "*", &kCodePage850},
    {"rm", "*", &kCodePage850},  {"se", "*", &kCodePage850},  {"sma", "*", &kCodePage850},
    {"smj", "*", &kCodePage850}, {"smn", "*", &kCodePage850}, {"sms", "*", &kCodePage850},
    {"sv", "*", &kCodePage850},  {"tn", "*", &kCodePage850},  {"tzm", "*", &kCodePage850},
    {"wa", "*", &kCodePage850},  {"wo", "*", &kCodePage850},  {"xh", "*", &kCodePage850},
    {"zu", "*", &kCodePage850},
});
// clang-format on

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

int CodePage::byte_of(char32_t code_point) const {
  if (code_point < 0x80) return is_control(code_point) ? -1 : static_cast<int>(code_point);
  if (is_control(code_point)) return -1;
  const auto* found = std::find(upper.begin(), upper.end(), code_point);
  return found == upper.end() ? -1 : static_cast<int>(0x80 + (found - upper.begin()));
}

std::uint8_t CodePage::typed_byte(char32_t code_point) const {
  if (const int own = byte_of(code_point); own >= 0) return static_cast<std::uint8_t>(own);
  const auto fit = std::lower_bound(
      best_fit.begin(), best_fit.end(), code_point,
      [](const BestFit& entry, char32_t wanted) { return entry.code_point < wanted; });
  return fit != best_fit.end() && fit->code_point == code_point ? fit->byte : '?';
}

const CodePage& oem_code_page_of_locale(std::string_view locale_name) {
  const std::string_view language = locale_name.substr(0, locale_name.find_first_of("_.@"));
  std::string_view territory;
  if (language.size() < locale_name.size() && locale_name[language.size()] == '_') {
    territory = locale_name.substr(language.size() + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
  }
  for (const LocalePage& row : kLocalePages) {
    if (row.language == language && (row.territory == "*" || row.territory == territory)) {
      return *row.page;
    }
  }
  return kCodePage437;
}

void oem_to_ansi(const CodePage& page, std::string& text) {
  for (char& c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte >= 0x80) c = static_cast<char>(page.to_ansi[byte - 0x80]);
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
        converted +=
            static_cast<char>(code_point < 0x80 ? code_point : page.typed_byte(code_point));
        break;
      }
      case Utf8Decoder::Step::kInvalid:
      case Utf8Decoder::Step::kBrokenOff:
        return std::string(text);
    }
  }
  return decoder.open() ? std::string(text) : converted;
}

void append_utf8(char32_t code_point, std::string& out) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// A lead byte opens a character of two to four bytes; continuation bytes
// fill it; a finished character that is overlong, a surrogate or beyond
// U+10FFFF is invalid.
Utf8Decoder::Step Utf8Decoder::feed(std::uint8_t byte) {
  if (continuation_ > 0) {
    if ((byte & 0xC0) != 0x80) {
      continuation_ = 0;
      return Step::kBrokenOff;
    }
    code_point_ = (code_point_ << 6) | (byte & 0x3F);
    if (--continuation_ > 0) return Step::kMore;
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code_point_ >= kSmallest[static_cast<std::size_t>(length_)] &&
                       code_point_ <= 0x10FFFF && (code_point_ < 0xD800 || code_point_ > 0xDFFF);
    return valid ? Step::kDone : Step::kInvalid;
  }
  if (byte < 0x80) {
    code_point_ = byte;
    return Step::kDone;
  }
  if ((byte & 0xE0) == 0xC0) {
    length_ = 2;
  } else if ((byte & 0xF0) == 0xE0) {
    length_ = 3;
  } else if ((byte & 0xF8) == 0xF0) {
    length_ = 4;
  } else {
    return Step::kInvalid;  // a stray continuation byte, or no UTF-8 at all
  }
  code_point_ = byte & (0x7F >> length_);
  continuation_ = length_ - 1;
  return Step::kMore;
}

}  // namespace qb
