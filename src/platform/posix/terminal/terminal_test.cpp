// The terminal backend over pipes (input that is not a terminal is read as
// keys, with a file's line ends; output that is not a terminal is a plain
// stream), on a clock the test sets: no key of a long paste is lost, what
// does not fit waits unread, a lone Esc comes exactly when its window
// closes, and the end of input ends the program.
#include "platform/posix/terminal/terminal.h"
#include "platform/posix/terminal/transcript.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "platform/console.h"
#include "platform/keys/bios_keys.h"
#include "support/queued_codes.h"

namespace qb {
namespace {

// A backend reading from one pipe and writing to another; its clock reads
// `now`, which only the test and the backend's waits move on: a wait that
// finds nothing moves it to the wait's end, and never sleeps.
struct PipedBackend {
  explicit PipedBackend(const LocaleCharset& charset = {}) {
    EXPECT_EQ(pipe(input), 0);
    EXPECT_EQ(pipe(output), 0);
    backend = make_terminal_backend(input[0], output[1], charset,
                                    {[this] { return now; }, [this](double to) { now = to; }});
  }
  PipedBackend(const PipedBackend&) = delete;
  PipedBackend& operator=(const PipedBackend&) = delete;
  ~PipedBackend() {
    for (const int fd : {input[0], input[1], output[0], output[1]}) {
      if (fd >= 0) close(fd);
    }
  }
  void type(const std::string& bytes) const {
    ASSERT_EQ(write(input[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  int input[2] = {-1, -1};
  int output[2] = {-1, -1};
  double now = 0;
  std::unique_ptr<Backend> backend;
};

TEST(TerminalBackend, LongPasteReachesTheProgramKeyForKey) {
  PipedBackend piped;
  Console con(*piped.backend);
  std::string paste;
  std::vector<int> expected;
  for (int i = 0; expected.size() < 5000; ++i) {
    if (i % 97 == 0) {
      paste += "\xC3\xA9";  // é
      expected.push_back(0x82);
    } else if (i % 101 == 0) {
      paste += "\x1b[D";
      expected.push_back(key::kLeft);
    } else {
      paste += static_cast<char>('a' + i % 26);
      expected.push_back('a' + i % 26);
    }
  }
  piped.type(paste);
  for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(con.read_key(), expected[i]) << i;
  EXPECT_FALSE(con.key_waiting());
}

TEST(TerminalBackend, KeysThatDoNotFitStayUnreadInOrder) {
  PipedBackend piped;
  KeyQueue keys;
  for (std::size_t i = 0; i + 1 < KeyQueue::kCapacity; ++i) keys.push('.');
  piped.type("xyz");
  EXPECT_EQ(piped.backend->poll_keys(keys, 0), 1);
  EXPECT_EQ(piped.backend->poll_keys(keys, 100), 1);  // full: y has come, and waits unread
  EXPECT_DOUBLE_EQ(piped.now, 0);
  while (keys.size() > 1) keys.pop();
  EXPECT_EQ(keys.pop(), 'x');
  EXPECT_EQ(piped.backend->poll_keys(keys, 100), 2);
  EXPECT_EQ(keys.pop(), 'y');
  EXPECT_EQ(keys.pop(), 'z');
  // Nothing more comes: the waits pass their time on the test's clock.
  EXPECT_EQ(piped.backend->poll_keys(keys, 100), 0);
  EXPECT_DOUBLE_EQ(piped.now, 0.1);
  piped.backend->sleep_ms(1500);
  EXPECT_DOUBLE_EQ(piped.now, 1.6);
}

// One place short, a key begun in the input (a character that becomes a
// pair, an Esc) has come: a wait returns at once, and the key goes in
// whole once a read has made room (a lone Esc when its window closes).
TEST(TerminalBackend, ABegunKeyThatDoesNotFitHasComeAndGoesInWhole) {
  const std::tuple<int, const char*, std::vector<int>> cases[] = {
      {932, "亜", {0x88, 0x9F}}, {437, "\x1b[D", {key::kLeft}}, {437, "\x1b", {27}}};
  for (const auto& [page, typed, key] : cases) {
    PipedBackend piped(LocaleCharset{true, {}, &code_page_numbered(page)});
    KeyQueue keys;
    while (keys.room() > 1) keys.push('.');
    piped.type(typed);
    EXPECT_EQ(piped.backend->poll_keys(keys, 1000), 1) << typed;
    EXPECT_DOUBLE_EQ(piped.now, 0) << typed;
    keys.pop();
    piped.backend->poll_keys(keys, 1000);
    const std::vector<int> got = test::take_codes(keys);
    EXPECT_TRUE(std::equal(key.rbegin(), key.rend(), got.rbegin())) << typed;
  }
}

// Answers from a pipe: CR LF, LF and CR are one Enter each, a CR LF split
// between reads too, and a UTF-8 byte-order mark at the start is skipped
// (one broken off is text); a terminal's Enter and Ctrl+J stay two keys.
TEST(TerminalInput, RedirectedLineEndsAreOneEnterEach) {
  using Reads = std::vector<std::string>;
  const std::tuple<Reads, std::vector<int>, bool> cases[] = {
      {{"a\r\nb\nc\rd"}, {'a', 13, 'b', 10, 'c', 13, 'd'}, false},
      {{"a\r", "\nb"}, {'a', 13, 'b'}, false},
      {{"\n\r\r\n\n\r"}, {10, 13, 13, 10, 13}, false},  // LF, CR CR LF, LF CR
      {{"\xEF\xBB", "\xBF\xC3\xA9\r\n"}, {0x82, 13}, false},
      {{"\xEF\xBBx"}, {'x'}, false},  // a broken character, dropped
      {{"\r\n"}, {13, 10}, true}};
  for (const auto& [reads, expected, terminal] : cases) {
    int fds[2];  // the reading end, the writing end
    termios raw{};
    cfmakeraw(&raw);
    ASSERT_EQ(terminal ? openpty(&fds[1], &fds[0], nullptr, &raw, nullptr) : pipe(fds), 0);
    double now = 0;
    TerminalInput input(fds[0], -1, {}, {[&] { return now; }, [&](double to) { now = to; }});
    KeyQueue keys;
    for (const std::string& read : reads) {
      ASSERT_EQ(write(fds[1], read.data(), read.size()), static_cast<ssize_t>(read.size()));
      input.wait_and_read(keys, 0);
    }
    const std::vector<int> got = test::take_codes(keys);
    EXPECT_EQ(got, expected) << reads[0];
    for (const int fd : fds) close(fd);
  }
}

// The rest of a sequence split on its way (as over ssh) still makes the
// key if it comes within 80 ms of the Esc; from then on the Esc is a key of
// its own, and what follows is typed text.
TEST(TerminalBackend, AnEscWaitsExactlyItsWindowForTheRestOfASequence) {
  const struct {
    double rest_after;  // seconds from the Esc to the rest of the Left key
    std::vector<int> keys;
  } cases[] = {{0.079, {key::kLeft}}, {0.080, {27, '[', 'D'}}};
  for (const auto& c : cases) {
    PipedBackend piped;
    piped.now = 10;
    KeyQueue keys;
    piped.type("\x1b");
    EXPECT_EQ(piped.backend->poll_keys(keys, 0), 0);
    piped.now += c.rest_after;
    piped.backend->poll_keys(keys, 0);
    piped.type("[D");
    piped.backend->poll_keys(keys, 0);
    const std::vector<int> got = test::take_codes(keys);
    EXPECT_EQ(got, c.keys) << c.rest_after;
  }
  PipedBackend piped;  // sequences that come whole need no wait
  KeyQueue keys;
  piped.type("\x1b[A\x1bOP");
  EXPECT_EQ(piped.backend->poll_keys(keys, kNoTimeLimit), 2);
  EXPECT_EQ(keys.pop(), key::kUp);
  EXPECT_EQ(keys.pop(), key::kF1);
}

TEST(TerminalBackend, SingleByteLocaleInputIsReadInItsSet) {
  LocaleCharset latin1;
  latin1.utf8 = false;
  latin1.high[0xE9 - 0x80] = U'\u00E9';
  PipedBackend piped(latin1);
  Console con(*piped.backend);
  piped.type("\xE9\xC3");  // é, then a byte the set lacks
  EXPECT_EQ(con.read_key(), 0x82);
  EXPECT_EQ(con.read_key(), '?');
  LocaleCharset koi8;  // ru_RU.KOI8-R: its letters come as code page 866's
  koi8.utf8 = false;
  koi8.high[0xD0 - 0x80] = U'п';
  koi8.oem = &code_page_numbered(866);
  PipedBackend russian(koi8);
  Console russian_console(*russian.backend);
  russian.type("\xD0");
  EXPECT_EQ(russian_console.read_key(), 0xAF);
  // A tool's log: in the set's letters (мир), unless it is valid UTF-8 (м).
  for (const auto& [byte, letter] : {std::pair{0xCD, U'м'}, {0xC9, U'и'}, {0xD2, U'р'}})
    koi8.high[byte - 0x80] = letter;
  EXPECT_EQ(koi8.oem_from_program_text("\xCD\xC9\xD2.bas \xFF"), "\xAC\xA8\xE0.bas \xFF");
  EXPECT_EQ(koi8.oem_from_program_text("\xD0\xBC"), "\xAC");
}

// A legacy locale that the program adopts (the build's) is written in its
// set (glyphs, file names), and a tool's log in it comes into the page.
TEST(TerminalBackend, ALegacyMultiByteLocaleIsWrittenAndReadInItsSet) {
  setenv("LOCPATH", QB_TEST_LOCPATH, 1);
  setenv("LC_ALL", "ja_JP.EUC-JP", 1);
  LocaleCharset euc_jp = adopt_user_locale();
  unsetenv("LC_ALL");
  EXPECT_TRUE(euc_jp.multibyte && !euc_jp.utf8);
  euc_jp.oem = &code_page_numbered(932);
  Transcript transcript{euc_jp};  // ｡ｶﾉ, a mark that the set has only wide, and 表
  std::string line = transcript.feed("\xAF ", Glyphs::kProgram);
  line += transcript.feed("\xA1\xB6\xC9 a\x95\x5C");
  EXPECT_EQ(line, "> \x8E\xA1\x8E\xB6\x8E\xC9 a\xC9\xBD");
  EXPECT_EQ(euc_jp.oem_from_program_text("\x80\xC9\xBD.bas \xFF\xC9"), "?\x95\x5C.bas ??");
  EXPECT_TRUE(euc_jp.append_encoded(U'ö', line) &&
              line.ends_with("\x8F\xAB\xD3"));  // a file name's
  std::setlocale(LC_CTYPE, "C");
  const LocaleCharset utf8{true, {}, &code_page_numbered(950)};  // a UTF-8 log's pairs whole
  EXPECT_EQ(utf8.oem_from_program_text("許.bas"), "\xB3\x5C.bas");
}

// Lines of text in the locale's set, without the rows of blanks that only
// clear a row and without trailing blanks; no byte reaches it as a control.
TEST(TerminalBackend, PlainOutputStreamGetsATranscriptOfTextLines) {
  PipedBackend piped;
  Backend& backend = *piped.backend;
  EXPECT_FALSE(backend.is_screen());
  backend.resize(80, 25);
  backend.present(Screen{});
  backend.beep();
  for (const std::string_view printed :
       {"\x1b[2J\x01", "\r\n", "         ", "\r\n", "\xAF Web: ", "x ", "\r\n", "\r\n"}) {
    backend.write_stream(printed, Glyphs::kCodePage);
  }
  close(piped.output[1]);
  piped.output[1] = -1;
  char bytes[64];
  const ssize_t got = read(piped.output[0], bytes, sizeof bytes);
  EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(std::max<ssize_t>(got, 0))),
            "←[2J☺\n» Web: x\n\n");
  Transcript transcript{LocaleCharset{}};  // a line left open is ended at the end
  const std::string open_line = transcript.feed("\xC9\xCD  ");
  EXPECT_EQ(open_line + transcript.finish(), "╔═\n");
  LocaleCharset ascii;
  ascii.utf8 = false;  // LANG=C: look-alikes, never the line-drawing set
  EXPECT_EQ(Transcript{ascii}.feed("\xC9\xCD\x82\rx\r\n"), "+=e\rx\n");  // a lone CR stays
  // The program's marks as code page 437 has them, the answer in the page's letters.
  Transcript russian{LocaleCharset{true, {}, &code_page_numbered(866)}};
  std::string line = russian.feed("\xAF Name: ", Glyphs::kProgram);
  line += russian.feed("\xAF\xE0\xA8\xA2\xA5\xE2");
  EXPECT_EQ(line, "» Name: привет");
  // A pair as its character, never as two halves; the marks never pair.
  Transcript chinese{LocaleCharset{true, {}, &code_page_numbered(936)}};
  line = chinese.feed("\xC9\xCD ", Glyphs::kProgram);
  EXPECT_EQ(line + chinese.feed("\xB1\xED\xA6\xC1\x88"), "╔═ 表α\uFFFD");
}

// QB_CODE_PAGE's page is the form's: the text page, typed keys, a tool's
// log and the transcript are in it, while the locale's OEM page, whose
// ANSI page is the script's, stays the locale's.
TEST(TerminalBackend, AChosenPageIsTheFormsAndTheLocalesOemPageStays) {
  const std::tuple<const char*, int, int, int, const char*, char> cases[] = {
      {"en_US.UTF-8", 866, 437, 866, "м", '\xAC'},
      {"ru_RU.UTF-8", 850, 866, 850, "Ø", '\x9D'},
      {"ru_RU.UTF-8", 0, 866, 866, "м", '\xAC'}};
  for (const auto& [locale, chosen, oem, console, typed, byte] : cases) {
    setenv("LC_ALL", locale, 1);
    const LocaleCharset charset = adopt_user_locale(chosen);
    unsetenv("LC_ALL");
    EXPECT_EQ(charset.oem->number, oem) << typed;
    PipedBackend piped(charset);
    EXPECT_EQ(piped.backend->text_page().number, console) << typed;
    EXPECT_EQ(piped.backend->oem_from_program_text(typed), std::string(1, byte)) << typed;
    EXPECT_EQ(Transcript{charset}.feed(std::string(1, byte)), typed);
    KeyQueue keys;
    piped.type(typed);
    piped.backend->poll_keys(keys, 0);
    EXPECT_EQ(test::take_codes(keys), std::vector<int>{static_cast<std::uint8_t>(byte)}) << typed;
  }
}

TEST(TerminalBackendDeathTest, EndOfInputEndsTheProgramAfterTheKeysAlreadyRead) {
  EXPECT_EXIT(
      {
        PipedBackend piped;
        Console con(*piped.backend);
        piped.type("ab");
        close(piped.input[1]);
        piped.input[1] = -1;
        if (con.read_key() != 'a' || con.read_key() != 'b') _exit(3);
        con.read_key();
        _exit(4);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace qb
