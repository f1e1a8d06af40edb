// What every code page shares: the PC glyphs of the control bytes, the
// lookups both ways, OEM-to-ANSI, UTF-8, and the lookup that gives a locale
// its OEM page as Windows does (LOCALE_IDEFAULTCODEPAGE), through the tables
// in code_pages/locale_pages.cpp.
#include "platform/code_page.h"

#include <algorithm>
#include <array>

#include "platform/code_pages/tables.h"

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

// The script that glibc's modifier `modifier` names ("Latn" for "latin"),
// or "" for none.
std::string_view script_of_modifier(std::string_view modifier) {
  for (const ModifierScript& row : kModifierScripts) {
    if (row.modifier == modifier) return row.script;
  }
  return {};
}

// The page of the row named `name` in `rows`, ordered by name, or 0 for none.
int page_of_row(std::span<const LocalePage> rows, std::string_view name) {
  const auto row = std::lower_bound(
      rows.begin(), rows.end(), name,
      [](const LocalePage& entry, std::string_view wanted) { return entry.name < wanted; });
  return row != rows.end() && row->name == name ? row->page : 0;
}

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
  if (pairs != nullptr) return double_byte_typed(*this, *pairs, code_point);
  return {static_cast<char>(typed_byte(code_point))};
}

const CodePage& code_page_numbered(int number) {
  for (const CodePage* page : kCodePages) {
    if (page->number == number) return *page;
  }
  return kCodePage437;
}

// language_TERRITORY.codeset@modifier, each part but the language optional.
// A locale that glibc supports has its page in kGlibcLocalePages where its
// script or its territory decides it; any other goes through the Windows
// names with the script its modifier names, if any.
const CodePage& oem_code_page_of_locale(std::string_view locale_name) {
  const std::size_t at = locale_name.find('@');
  const std::string_view modifier = at == std::string_view::npos ? "" : locale_name.substr(at + 1);
  const std::string_view name = locale_name.substr(0, at);
  const std::string_view language = name.substr(0, name.find_first_of("_."));
  std::string_view territory;
  if (language.size() < name.size() && name[language.size()] == '_') {
    territory = name.substr(language.size() + 1);
    territory = territory.substr(0, territory.find('.'));
  }
  std::string glibc_name(language);
  if (!territory.empty()) glibc_name.append("_").append(territory);
  if (!modifier.empty()) glibc_name.append("@").append(modifier);
  if (const int page = page_of_row(kGlibcLocalePages, glibc_name); page != 0)
    return code_page_numbered(page);
  const LocaleParts parts{
      .language = language, .script = script_of_modifier(modifier), .territory = territory};
  for (const std::string& candidate : locale_lookup_chain(parts)) {
    if (const int page = page_of_row(kLocalePages, candidate); page != 0)
      return code_page_numbered(page);
  }
  return kCodePage437;
}

void oem_to_ansi(const CodePage& page, std::string& text) {
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

bool is_utf8(std::string_view text) {
  Utf8Decoder decoder;
  for (const char c : text) {
    const Utf8Decoder::Step step = decoder.feed(static_cast<std::uint8_t>(c));
    if (step == Utf8Decoder::Step::kInvalid || step == Utf8Decoder::Step::kBrokenOff) return false;
  }
  return !decoder.open();
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
