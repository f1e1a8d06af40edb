// The key decoder: the terminals' sequences against the PC BIOS codes,
// UTF-8 and single-byte input, the lone Esc, Alt with a key, and garbage.
#include "platform/posix/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/keys/bios_keys.h"
#include "platform/keys/key_queue.h"

namespace qb {
namespace {

// Feeds every byte, then (with `time_out`) lets the wait for more run out.
std::vector<int> decode(KeyDecoder& decoder, std::string_view bytes, bool time_out = false) {
  std::vector<int> keys;
  auto take = [&keys](const DecodedKeys& got) {
    for (int i = 0; i < got.count; ++i) {
      const Keystroke& key = got.keys[static_cast<std::size_t>(i)];
      for (std::size_t c = 0; c < key.size(); ++c) keys.push_back(key.code(c));
    }
  };
  for (const char c : bytes) take(decoder.feed(static_cast<std::uint8_t>(c)));
  if (time_out) take(decoder.timeout());
  return keys;
}

std::vector<int> decode(std::string_view bytes, bool time_out = false) {
  KeyDecoder decoder;
  return decode(decoder, bytes, time_out);
}

// Latin-1 for the bytes 0xE9 (é) and 0xA4 (¤, which code page 437 lacks).
LocaleCharset latin1() {
  LocaleCharset charset;
  charset.utf8 = false;
  charset.high[0xE9 - 0x80] = U'\u00E9';
  charset.high[0xA4 - 0x80] = U'\u00A4';
  return charset;
}

constexpr int bios(int scan) {
  return key::extended(scan);
}

TEST(KeyDecoder, SequencesOfTheCommonTerminalsGiveBiosCodes) {
  struct Case {
    const char* bytes;
    int code;
  };
  const Case cases[] = {
      {"\x1b[A", key::kUp},
      {"\x1bOB", key::kDown},
      {"\x1b[C", key::kRight},
      {"\x1b[D", key::kLeft},
      {"\x1b[H", key::kHome},
      {"\x1bOF", key::kEnd},
      {"\x1b[1~", key::kHome},
      {"\x1b[4~", key::kEnd},
      {"\x1b[7~", key::kHome},
      {"\x1b[8~", key::kEnd},
      {"\x1b[2~", key::kInsert},
      {"\x1b[3~", key::kDelete},
      {"\x1b[5~", key::kPageUp},
      {"\x1b[6~", key::kPageDown},
      {"\x1bOP", key::kF1},
      {"\x1b[11~", key::kF1},
      {"\x1b[[A", key::kF1},
      {"\x1b[[E", bios(0x3F)},
      {"\x1b[15~", bios(0x3F)},
      {"\x1b[21~", bios(0x44)},
      {"\x1b[23~", bios(0x85)},
      {"\x1b[24~", bios(0x86)},
      // xterm modifiers: 2 Shift, 3 Alt, 5 Ctrl, 9 Meta.
      {"\x1b[1;2P", bios(0x54)},
      {"\x1b[1;5P", bios(0x5E)},
      {"\x1b[1;3P", bios(0x68)},
      {"\x1b[1;3S", key::kAltF4},
      {"\x1b[15;2~", bios(0x58)},
      {"\x1b[24;5~", bios(0x8A)},
      {"\x1b[1;5D", bios(0x73)},
      {"\x1b[1;5C", bios(0x74)},
      {"\x1b[1;2D", key::kLeft},
      {"\x1b[3;5~", bios(0x93)},
      {"\x1b[1;9A", bios(0x98)},
      {"\x1b[1;7H", bios(0x97)},
      {"\x1bO5P", bios(0x5E)},
      // rxvt and the Linux console.
      {"\x1b[25~", bios(0x56)},
      {"\x1b[34~", bios(0x5D)},
      {"\x1b[2$", key::kInsert},
      {"\x1b[5^", bios(0x84)},
      {"\x1b[3@", bios(0x93)},
      {"\x1b[a", key::kUp},
      {"\x1bOd", bios(0x73)},
      // Shift+Tab and the application keypad.
      {"\x1b[Z", bios(0x0F)},
      {"\x1bOM", 13},
      {"\x1bOp", '0'},
      {"\x1bOy", '9'},
      {"\x1bOk", '+'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decode(c.bytes), std::vector<int>{c.code}) << std::string(c.bytes + 1);
  }
}

TEST(KeyDecoder, PlainBytesAndUtf8Characters) {
  EXPECT_EQ(decode("\r\n\t a~"), (std::vector<int>{13, 10, 9, ' ', 'a', '~'}));
  EXPECT_EQ(decode("\x7f\b"), (std::vector<int>{8, 8}));  // both Backspaces
  EXPECT_EQ(decode("\x01\x1a\x1c"), (std::vector<int>{1, 26, 28}));
  EXPECT_EQ(decode(std::string_view("\0", 1)), std::vector<int>{bios(3)});
  EXPECT_EQ(decode("é½╔»ÿ"), (std::vector<int>{0x82, 0xAB, 0xC9, 0xAF, 0x98}));
  EXPECT_EQ(decode("a€b😀c©"), (std::vector<int>{'a', '?', 'b', '?', 'c', 'c'}));  // best fit
  EXPECT_EQ(decode("\xC3(x"), (std::vector<int>{'(', 'x'}));  // broken character
  EXPECT_EQ(decode("\xC0\xAF"
                   "a"),
            std::vector<int>{'a'});  // overlong form
  EXPECT_EQ(decode("\xED\xA0\x80"
                   "a"),
            std::vector<int>{'a'});  // surrogate
  EXPECT_EQ(decode("\x80\xBF"
                   "a\xFF"),
            std::vector<int>{'a'});  // stray bytes
  EXPECT_EQ(decode("\xC3\x1b[A"), std::vector<int>{key::kUp});
  // Alt with a character broken off: the Alt goes with it, not to the next one.
  EXPECT_EQ(decode("\x1b\xC3x\xC3\xA9"), (std::vector<int>{'x', 0x82}));

  KeyDecoder single_byte(latin1());  // é as code page 437's; what it lacks is "?"
  EXPECT_EQ(decode(single_byte, "a\xE9\xA4\x80\x1b\xE9z"),
            (std::vector<int>{'a', 0x82, '?', '?', key::kAltOther, 'z'}));
  LocaleCharset german;
  german.oem = &kCodePage850;
  KeyDecoder in_850(german);
  EXPECT_EQ(decode(in_850, "©ø™"), (std::vector<int>{0xB8, 0x9B, 'T'}));
  KeyDecoder in_932(LocaleCharset{true, {}, &code_page_numbered(932)});
  EXPECT_EQ(decode(in_932, "亜ｶ表"), (std::vector<int>{0x88, 0x9F, 0xB6, 0x95, 0x5C}));
  // Into UTF-8 a character goes as its bytes, from a UTF-8 terminal or a
  // single-byte one, where one byte typed gives two.
  KeyDecoder in_utf8(LocaleCharset{true, {}, &code_page_numbered(65001)});
  EXPECT_EQ(decode(in_utf8, "a😀\xC2\x85"), (std::vector<int>{'a', 0xF0, 0x9F, 0x98, 0x80, '?'}));
  LocaleCharset latin1_to_utf8 = latin1();
  latin1_to_utf8.oem = &code_page_numbered(65001);
  KeyDecoder from_latin1(latin1_to_utf8);
  EXPECT_EQ(decode(from_latin1, "\xE9\xA4"), (std::vector<int>{0xC3, 0xA9, 0xC2, 0xA4}));
}

// A legacy set's character (in the build's locales) comes whole, as the
// page's byte or pair, its best fit or "?", never a byte on its own (許功蓋's
// second bytes are 5C, ÿ in GB18030 is 81 30 8B 37); a begun one owes a key.
TEST(KeyDecoder, LegacyMultiByteSetsGiveWholeCharactersOfThePage) {
  // The locale, its page, the bytes typed, their keys, and the keys owed after.
  using Case = std::tuple<const char*, int, std::string_view, std::vector<int>, int>;
  const Case cases[] = {
      {"zh_TW.BIG5", 950, "\xB3\x5C\xA5\x5C\xBB\x5C", {0xB3, 0x5C, 0xA5, 0x5C, 0xBB, 0x5C}, 0},
      {"zh_TW.BIG5", 950, "\xB3\x1b[A\xA5", {key::kUp}, 1},  // broken off, and begun
      {"zh_CN.GB18030", 936, "\x81\x30\x8B\x37x\xB1\xED", {'?', 'x', 0xB1, 0xED}, 0},
      {"ja_JP.SJIS", 932, "\x95\x5C\x8E\xA6\xB6", {0x95, 0x5C, 0x8E, 0xA6, 0xB6}, 0},  // 表示ｶ
      {"ja_JP.EUC-JP", 932, "\xC9\xBD\xBC\xA8\x8E\xB6", {0x95, 0x5C, 0x8E, 0xA6, 0xB6}, 0},
      {"ko_KR.EUC-KR", 949, "\xC7\xD1\x1b\xB1\xB9", {0xC7, 0xD1, key::kAltOther}, 0},  // 한, Alt+국
  };
  setenv("LOCPATH", QB_TEST_LOCPATH, 1);
  for (const auto& [locale, page, typed, keys, owed] : cases) {
    ASSERT_NE(std::setlocale(LC_CTYPE, locale), nullptr) << locale;
    KeyDecoder decoder(LocaleCharset{false, {}, &code_page_numbered(page), true});
    EXPECT_EQ(decode(decoder, typed), keys) << locale;
    EXPECT_EQ(decoder.extra_keys(), owed) << locale;
  }
  std::setlocale(LC_CTYPE, "C");
}

TEST(KeyDecoder, LoneEscIsToldFromASequenceOnlyByTheTimeout) {
  KeyDecoder decoder;
  EXPECT_TRUE(decoder.feed(27).starts_window);
  EXPECT_TRUE(decoder.pending());
  EXPECT_FALSE(decoder.feed(27).starts_window);  // the second Esc waits on the first's time
  EXPECT_EQ(decode(decoder, "", true), std::vector<int>{bios(0x01)});  // Alt+Esc
  EXPECT_FALSE(decoder.pending());
  EXPECT_EQ(decode(decoder, "\x1b", true), std::vector<int>{27});
  decode(decoder, "\x1b[");  // a sequence's window counts from its Esc,
  EXPECT_FALSE(decoder.feed('1').starts_window);
  decode(decoder, "\x1b]0;");  // a control string's from its last byte
  EXPECT_TRUE(decoder.feed('t').starts_window);

  EXPECT_EQ(decode("\x1b[", true), std::vector<int>{bios(0x1A)});  // Alt+[
  EXPECT_EQ(decode("\x1bO", true), std::vector<int>{bios(0x18)});  // Alt+O
  EXPECT_EQ(decode("\x1b\x1b[", true), std::vector<int>{bios(0x1A)});
  EXPECT_TRUE(decode("\x1b[1;", true).empty());  // cut short: swallowed
  EXPECT_EQ(decode("\x1b\x1bx\x1b\x1b\x1b"), (std::vector<int>{bios(0x01), 'x', bios(0x01)}));
}

// Esc and a key that opens no sequence is that key with Alt: the BIOS code
// where the table has one, else a code no reader acts on; never the key itself.
TEST(KeyDecoder, AltWithAKeyGivesItsBiosCodeAndNeverEditingKeys) {
  // Esc and one byte: the byte, and the scan code of Alt with its key (0: none).
  const std::string_view bytes = "xXam10-=![];'`\\,.?\r\x7f\b\t \x01\n";
  const int scans[] = {0x2D, 0x2D, 0x1E, 0x32, 0x78, 0x81, 0x82, 0x83, 0x78, 0x1A, 0x1B, 0x27, 0x28,
                       0x29, 0x2B, 0x33, 0x34, 0x35, 0x1C, 0x0E, 0x0E, 0xA5, 0,    0,    0};
  ASSERT_EQ(bytes.size(), std::size(scans));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const int code = scans[i] != 0 ? bios(scans[i]) : key::kAltOther;
    EXPECT_EQ(decode("\x1b" + std::string(1, bytes[i]), true), std::vector<int>{code}) << i;
  }
  // Characters beyond ASCII; rxvt's Esc before a key's whole sequence.
  const std::pair<const char*, int> longer[] = {
      {"\x1b\xC3\xA9", key::kAltOther}, {"\x1b\xE2\x82\xAC", key::kAltOther},
      {"\x1b\x1b[D", bios(0x9B)},       {"\x1b\x1b[3~", bios(0xA3)},
      {"\x1b\x1bOP", bios(0x68)},       {"\x1b\x1b[[A", bios(0x68)},
      {"\x1b\x1bOM", bios(0xA6)},       {"\x1b\x1bOp", key::kAltOther}};
  for (const auto& [typed, code] : longer) {
    EXPECT_EQ(decode(typed, true), std::vector<int>{code}) << std::string(typed + 1);
  }
}

TEST(KeyDecoder, UnknownAndBrokenSequencesAreSwallowedWhole) {
  EXPECT_TRUE(decode("\x1b[?1;2c").empty());  // a device attributes reply
  EXPECT_TRUE(decode("\x1b[200~").empty());   // bracketed paste mark
  EXPECT_TRUE(decode("\x1b[1;5X\x1b[99~\x1b[E\x1bOz").empty());
  EXPECT_TRUE(decode("\x1b[2;3;4~\x1b[>5A").empty());
  EXPECT_EQ(decode("\x1b[" + std::string(100, '1') + "~a"), std::vector<int>{'a'});
  EXPECT_EQ(decode("\x1b[1\r"), std::vector<int>{13});  // a control byte breaks it off
  EXPECT_EQ(decode("\x1b[12\x1b[B"), std::vector<int>{key::kDown});
}

// Control strings that a paste may carry (OSC, DCS, APC, PM, SOS) do
// nothing, however long, up to BEL (an OSC's only) or ST, or the longest a
// string may be (BEL ends no DCS); an Esc in one that is no ST starts a
// sequence of its own; a pause ends an unended one; Esc ] alone is Alt+].
TEST(KeyDecoder, ControlStringsAreSwallowedWhole) {
  const std::pair<std::string, std::vector<int>> cases[] = {
      {"a\x1b]0;title\ab", {'a', 'b'}},
      {"a\x1b]2;" + std::string(40, 't') + "\x1b\\b", {'a', 'b'}},
      {"\x1bP1$r0m\ax\x1b\\b\x1b_app\x1b\\c\x1b^pm\x1b\\d\x1bXsos\x1b\\e", {'b', 'c', 'd', 'e'}},
      {"\x1b]0;t\x1b[Ab", {key::kUp, 'b'}},
      {"\x1b]0;unended", {}},
      {"\x1b]" + std::string(4094, 't') + "ok", {'o', 'k'}},
      {"\x1b]", {bios(0x1B)}},
      {"\x1b\x1b\\", {bios(0x01), '\\'}},  // no ST outside a string
  };
  for (const auto& [typed, keys] : cases) EXPECT_EQ(decode(typed, true), keys) << typed;
  KeyDecoder decoder;  // Alt+P, a pause, then typed text
  EXPECT_EQ(decode(decoder, "\x1bP", true), std::vector<int>{bios(0x19)});
  EXPECT_EQ(decode(decoder, "ab"), (std::vector<int>{'a', 'b'}));
}

// Whatever arrives, keys never outnumber the bytes fed (plus the decoder's
// declared extra), and every key is a byte or a valid extended code.
// In 437 and in UTF-8, from a UTF-8 terminal and a single-byte one.
TEST(KeyDecoder, RandomInputNeverGivesMoreKeysThanBytesNorInvalidCodes) {
  std::mt19937 random(12345);
  const std::string alphabet =
      "\x1b[O;~$^@1234567ABCDHFPQRSZabcdmxyM\r\x7f\xC3\xA9\xE2\x95\x94\xF0\x9F\x98\x80";
  LocaleCharset latin1_to_utf8 = latin1();
  latin1_to_utf8.oem = &code_page_numbered(65001);
  for (const LocaleCharset& charset :
       {LocaleCharset{}, LocaleCharset{true, {}, &code_page_numbered(65001)}, latin1_to_utf8}) {
    KeyDecoder decoder(charset);
    for (int round = 0; round < 20000; ++round) {
      const int allowed = decoder.places_per_byte() + decoder.extra_keys();
      DecodedKeys got;
      if (random() % 16 == 0) {
        got = decoder.timeout();
        EXPECT_LE(got.places(), allowed - 1);
      } else {
        const char byte =
            random() % 8 == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        got = decoder.feed(static_cast<std::uint8_t>(byte));
        ASSERT_LE(got.places(), allowed);
      }
      for (int i = 0; i < got.count; ++i) {
        ASSERT_TRUE(key::valid(got.keys[static_cast<std::size_t>(i)].code()));
      }
    }
  }
}

}  // namespace
}  // namespace qb
