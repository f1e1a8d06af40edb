// The form typed in a real terminal: the worked example's answers with their
// rows and colours, the screen the form leaves while the build runs, keys
// typed during the splash, characters beyond ASCII, and a paste longer than
// an answer may be; each checked on the screen and in what the tools got.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "form_run.h"
#include "support/worked_example_script.h"

namespace qb::test {
namespace {

const std::string kSourcePrompt = "» Your source code: ";
const std::string kIconPrompt = "» Application icon: ";
const std::string kAnotherPrompt = "» Add another icon? (y/n) ";
const std::string kParamsPrompt = "» Additional command line parameters for FBC: ";

// Rows 12 to 20: each prompt with the worked example's answer.
const std::pair<std::string, std::string> kExampleRows[] = {
    {kSourcePrompt, "hello.bas"},
    {"» Your copyright: ", "2024 Sample Team"},
    {"» Publisher name: ", "Sample Team"},
    {"» File description: ", "Greeting demo"},
    {"» File version (x.x.x): ", "1.2.3"},
    {"» Product name: ", "Hello"},
    {"» Product version (x.x.x): ", "1.2.0"},
    {"» Comments: ", "First release"},
    {"» Your website: ", ""},
};

// Rows 12 to 20 as the worked example leaves them, with blanks to column 44.
void expect_example_rows(const VtScreen& vt) {
  int row = 12;
  for (const auto& [prompt, answer] : kExampleRows) {
    const int after = expect_prompt(vt, row, prompt, answer);
    expect_spaces(vt, row, after, 44);
    expect_spaces(vt, row, 1, 5);
    ++row;
  }
}

class FormScreens : public FormRun {
 public:
  // The steps of the runs, in the form's order.
  void type_during_splash();
  void answer_to_the_yes_no_questions();
  void expect_form_under_the_build();
  void type_beyond_ascii();
  void paste_parameters();

 protected:
  const VtScreen& vt() const { return session_->screen(); }
  void send(const std::string& keys) { session_->send(keys); }
};

// Keys typed while the splash is shown are neither echoed nor lost: they
// wait for the first prompt, shown in green at its answer column.
void FormScreens::type_during_splash() {
  ASSERT_TRUE(session_->wait_until(splash_shown));
  session_->pump();
  ASSERT_FALSE(title_shown(vt()));
  send("hel");
  ASSERT_TRUE(keys_waiting(3));
  EXPECT_TRUE(splash_shown(vt()));
  EXPECT_TRUE(vt().blank(24, 1, 80, kBlack, kLightGrey));
  ASSERT_TRUE(shows(title_shown));
  ASSERT_TRUE(shows_text(12, 6, kSourcePrompt + "hel"));
  EXPECT_EQ(expect_prompt(vt(), 12, kSourcePrompt, "hel"), 29);
  EXPECT_TRUE(cursor_at(12, 29));
  EXPECT_TRUE(vt().cursor_visible());
}

// The yes/no answers are typed in black; each icon prompt blanked the last.
void FormScreens::answer_to_the_yes_no_questions() {
  send(
      "lo.bas\r2024 Sample Team\rSample Team\rGreeting demo\r1.2.3\rHello\r1.2.0\r"
      "First release\r\rapp.ico\ry");
  ASSERT_TRUE(shows_text(21, 6, kAnotherPrompt + "y"));
  expect_example_rows(vt());
  expect_prompt(vt(), 21, kAnotherPrompt, "y", kBlack);
  expect_spaces(vt(), 21, 33, 80);
  send("\rsmall.ico\rn");
  ASSERT_TRUE(shows_text(21, 6, kAnotherPrompt + "n"));
  expect_prompt(vt(), 21, kAnotherPrompt, "n", kBlack);
  expect_spaces(vt(), 21, 33, 80);
  send("\r");
  ASSERT_TRUE(shows_text(21, 6, kParamsPrompt));
  EXPECT_TRUE(cursor_at(21, 52));
}

// The last Enter: the finished form stays on the screen while the build
// runs, row 21 holding only the parameters prompt, the cursor below it.
// The program writes all it shows before it starts the tool.
void FormScreens::expect_form_under_the_build() {
  send("\r");
  ASSERT_TRUE(shows([&](const VtScreen&) { return build_started(); }));
  EXPECT_TRUE(title_shown(vt()));
  expect_example_rows(vt());
  expect_text(vt(), 21, 6, kParamsPrompt, kBlack);
  expect_spaces(vt(), 21, 1, 5);
  expect_spaces(vt(), 21, 52, 80);
  for (const int row : {9, 10, 11, 22, 23, 24, 25})
    EXPECT_TRUE(vt().blank(row, 1, 80, kBlack, kLightGrey)) << row;
  EXPECT_EQ(vt().cursor_row(), 22);
  EXPECT_EQ(vt().cursor_column(), 1);
}

TEST_F(FormScreens, WorkedExampleShowsEachAnswerInItsColourAndBecomesTheScript) {
  hold_build();
  start();
  for (auto step : {&FormScreens::type_during_splash, &FormScreens::answer_to_the_yes_no_questions,
                    &FormScreens::expect_form_under_the_build}) {
    (this->*step)();
    if (HasFatalFailure()) return;
  }
  release_build();
  finish();
  ASSERT_EQ(std::string(kWorkedExampleScript).size(), 623u);
  EXPECT_EQ(kept_script(), kWorkedExampleScript);
  EXPECT_EQ(fbc_arguments(), (std::vector<std::string>{"hello.bas", "-a", "RESFILE.OBJ"}));
}

// A paste of numbered words ("w0001 w0002 ...") cut to `length` characters.
std::string numbered_words(std::size_t length) {
  std::string text;
  for (int n = 1; text.size() < length; ++n) {
    const std::string digits = std::to_string(n);
    text += 'w' + std::string(4 - digits.size(), '0') + digits + ' ';
  }
  return text.substr(0, length);
}

// The screen after a paste that began at row 21, column 52 and scrolled the
// screen: the paste's last characters stand on rows 24 and 25.
void expect_paste_end(const VtScreen& vt, const std::string& paste) {
  const std::size_t start = 20 * 80 + 51;
  const std::size_t end = start + paste.size();
  const int end_column = static_cast<int>(end % 80) + 1;
  EXPECT_EQ(vt.cursor_row(), 25);
  EXPECT_EQ(vt.cursor_column(), end_column);
  const std::size_t last_row_chars = static_cast<std::size_t>(end_column - 1);
  EXPECT_EQ(vt.text_at(25, 1, end_column - 1), paste.substr(paste.size() - last_row_chars));
  EXPECT_EQ(vt.text_at(24, 1, 80), paste.substr(paste.size() - last_row_chars - 80, 80));
}

// UTF-8 typed in the terminal shows as typed and is stored as code page
// 437 bytes.
void FormScreens::type_beyond_ascii() {
  ASSERT_TRUE(session_->wait_until(title_shown));
  send("h\xC3\xA4llo.bas");
  ASSERT_TRUE(shows_text(12, 26, "hällo.bas"));
  expect_prompt(vt(), 12, kSourcePrompt, "hällo.bas");
  EXPECT_EQ(vt().char_at(12, 27), U'ä');
  EXPECT_TRUE(cursor_at(12, 35));
  send(
      "\r2024 J\xC3\xBCrgen \xC3\x96l\r\rGr\xC3\xBC\xC3\x9F"
      "e\r1.2.3\rHello\r1.2.0\r\xC2\xBD price\r\r\xC3\xA4.ico");
  ASSERT_TRUE(shows_text(21, 6, kIconPrompt + "ä.ico"));
  expect_prompt(vt(), 13, "» Your copyright: ", "2024 Jürgen Öl");
  expect_prompt(vt(), 15, "» File description: ", "Grüße");
  expect_prompt(vt(), 19, "» Comments: ", "½ price");
  expect_prompt(vt(), 21, kIconPrompt, "ä.ico");
  send("\rn\r");
  ASSERT_TRUE(shows_text(21, 6, kParamsPrompt));
}

// 5000 characters pasted at the last prompt all reach the screen.
void FormScreens::paste_parameters() {
  const std::string paste = numbered_words(5000);
  send(paste);
  ASSERT_TRUE(
      shows([](const VtScreen& v) { return v.cursor_row() == 25 && v.cursor_column() == 12; }));
  expect_paste_end(vt(), paste);
  send("\r");
}

// The string fields and the icon name reach the script in code page 1252;
// the source goes on the compiler's command line in the locale's
// character set (UTF-8 here), and the parameters are the paste's first 4096
// characters: 682 whole words and the first four characters of the next.
TEST_F(FormScreens, CharactersBeyondAsciiAndALongPasteReachTheTools) {
  start();
  for (auto step : {&FormScreens::type_beyond_ascii, &FormScreens::paste_parameters}) {
    (this->*step)();
    if (HasFatalFailure()) return;
  }
  finish();
  const std::vector<std::string> lines = script_lines();
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[0], "100 ICON \xE4.ico");
  EXPECT_EQ(lines[14],
            "\t\tVALUE \"FileDescription\", \"Gr\xFC\xDF"
            "e\"");
  EXPECT_EQ(lines[15], "\t\tVALUE \"LegalCopyright\", \"2024 J\xFCrgen \xD6l\"");
  EXPECT_EQ(lines[19], "\t\tVALUE \"Comments\", \"\xBD price\"");
  EXPECT_EQ(lines[22], "\t\tVALUE \"InternalName\", \"h\xE4llo\"");
  EXPECT_EQ(lines[23], "\t\tVALUE \"OriginalFilename\", \"h\xE4llo.exe\"");
  const std::vector<std::string> args = fbc_arguments();
  ASSERT_EQ(args.size(), 3u + 683u);
  EXPECT_EQ(args[0], "h\xC3\xA4llo.bas");
  EXPECT_EQ(args[3], "w0001");
  EXPECT_EQ(args[684], "w0682");
  EXPECT_EQ(args[685], "w068");
}

// The OEM code page is the locale's as Windows gives it: 850 in German, which
// has the copyright sign for 1252's; 437 otherwise, where it is typed as "c".
// A double-byte page keeps a pair whole, its trail byte 0x5C single, while a
// backslash typed after it is doubled; a legacy set's character, read
// whole, becomes the page's pair or "?", never bytes of its own. A page
// that QB_CODE_PAGE chooses reaches the locale's ANSI page through the
// characters: © through 850 into 1252, мир through 866 into 1252, which
// lacks it.
TEST_F(FormScreens, TheLocalesSetAndCodePageDecideTheCopyrightsBytes) {
  const struct {
    const char* locale;
    const char* typed;
    const char* stored;
    const char* page = nullptr;
  } rows[] = {
      {"en_US.UTF-8", "\xC2\xA9 2024", "\xA9 2024", "850"},
      {"en_US.UTF-8", "мир", "???", "866"},
      {"de_DE.UTF-8", "\xC2\xA9 2024", "\xA9 2024"},
      {"C.UTF-8", "\xC2\xA9 2024", "c 2024"},
      {"ja_JP.UTF-8", "\xE4\xBA\x9C\\", "\x88\x9F\\\\"},  // 亜 and a backslash
      {"zh_TW.BIG5", "\xB3\x5C\xA5\x5C\xBB\x5C", "\xB3\x5C\xA5\x5C\xBB\x5C"},  // 許功蓋
      {"zh_CN.GB18030", "x\x81\x30\x8B\x37y", "x?y"},          // ÿ, which 936 lacks
      {"ja_JP.SJIS", "\x95\x5C\x8E\xA6", "\x95\x5C\x8E\xA6"},  // 表示
      {"ja_JP.EUC-JP", "\xC9\xBD\xBC\xA8", "\x95\x5C\x8E\xA6"},
      {"ko_KR.EUC-KR", "\xC7\xD1\xB1\xB9", "\xC7\xD1\xB1\xB9"},  // 한국
  };
  for (const auto& row : rows) {
    if (row.page != nullptr && under_wine()) continue;  // the console's page is chcp's there
    std::vector<std::string> env{"LOCPATH=" QB_TEST_LOCPATH, std::string("LC_ALL=") + row.locale};
    if (row.page != nullptr) env.push_back(std::string("QB_CODE_PAGE=") + row.page);
    start(env);
    // A legacy set's screen is no UTF-8 for the emulator: the output is read,
    // and a missing source ends every run on the same failure box.
    ASSERT_TRUE(session_->wait_until([&](const VtScreen&) {
      return session_->output().find("source code:") != std::string::npos;
    })) << row.locale;
    send(std::string("none.bas\r") + row.typed +
         "\r\rDemo\r1.2.3\rHello\r1.2.0\r\r\rapp.ico\rn\r\r");
    finish();
    EXPECT_EQ(script_lines().at(15),
              std::string("\t\tVALUE \"LegalCopyright\", \"") + row.stored + "\"")
        << row.locale;
  }
}

// A Russian user's session: the marks stay » and ╔ while the Cyrillic
// answers show as typed; the script gets them in code page 1251 as
// OemToCharA puts them there from 866, and the compiler the file's name as
// the system spells it.
TEST_F(FormScreens, ACyrillicSessionReachesTheScriptAndTheCompilerIntact) {
  start({"LC_ALL=ru_RU.UTF-8"});
  ASSERT_TRUE(session_->wait_until(title_shown));
  hold_build();
  send("привет.bas\rООО «Ромашка»\r\rДемо\r1.2.3\rПривет\r1.2.0\rЁлка\r\rapp.ico\rn\r\r");
  ASSERT_TRUE(shows([&](const VtScreen&) { return build_started(); }));
  EXPECT_EQ(vt().text_at(4, 6, 1), "╔");
  expect_prompt(vt(), 12, kSourcePrompt, "привет.bas");
  expect_prompt(vt(), 13, "» Your copyright: ", "ООО <Ромашка>");
  release_build();
  finish();
  const std::vector<std::string> lines = script_lines();
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[15],
            "\t\tVALUE \"LegalCopyright\", \"\xCE\xCE\xCE <\xD0\xEE\xEC\xE0\xF8\xEA\xE0>\"");
  EXPECT_EQ(lines[19], "\t\tVALUE \"Comments\", \"\xA8\xEB\xEA\xE0\"");
  EXPECT_EQ(lines[22], "\t\tVALUE \"InternalName\", \"\xEF\xF0\xE8\xE2\xE5\xF2\"");
  ASSERT_FALSE(fbc_arguments().empty());
  EXPECT_EQ(fbc_arguments()[0], "привет.bas");
}

// In an 8-bit locale the tools write in its set: the compiler's log, which
// names the source in KOI8-R as it was handed over, shows the letters typed.
TEST_F(FormScreens, AnEightBitLocalesLogShowsTheLettersTyped) {
  start({"LOCPATH=" QB_TEST_LOCPATH, "LC_ALL=ru_RU.KOI8-R"});
  const auto written = [&](const std::string& text) {
    return
        [&, text](const VtScreen&) { return session_->output().find(text) != std::string::npos; };
  };
  ASSERT_TRUE(session_->wait_until(written("Your source code:")));
  send("\xCD\xC9\xD2.bas\r2024\r\rDemo\r1.2.3\rHello\r1.2.0\r\r\rapp.ico\rn\r\r");
  EXPECT_TRUE(session_->wait_until(written("cannot open source file \xCD\xC9\xD2.bas")));
  finish();
}

}  // namespace
}  // namespace qb::test
