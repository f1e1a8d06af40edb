// UTF-8 as a console code page, 65001. Its characters are not a table: the
// text model reads them from the bytes (page_text.h), and a character's
// bytes are its UTF-8 form. The record's tables cover only what a byte from
// 0x80 shows when it stands alone, which no valid text holds: the
// replacement character. UTF-8 is its own ANSI page.
#include <string_view>

#include "platform/text/code_page.h"

namespace qb {

namespace {

using namespace std::string_view_literals;

// U+FFFD for each of the 128 bytes 0x80 to 0xFF.
constexpr std::u16string_view kReplacements =
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
    u"\uFFFD"
    u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"sv;
static_assert(kReplacements.size() == 128);

// "?" for each byte: what a stray byte would become in any other page.
constexpr std::string_view kMarks =
    "????????????????????????????????????????????????????????????????"
    "????????????????????????????????????????????????????????????????"sv;
static_assert(kMarks.size() == 128);

}  // namespace

extern const CodePage kCodePage65001 = {
    kUtf8CodePage, kUtf8CodePage, kReplacements, kMarks, kReplacements, u""sv, ""sv, nullptr,
};

}  // namespace qb
