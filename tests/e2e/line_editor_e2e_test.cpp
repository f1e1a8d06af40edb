// The line editor in a real terminal: the editing keys as an xterm sends
// them (CSI and SS3 forms, Backspace as 127 and as 8, a lone Esc, Alt with
// a key), Tab, refused answers redrawn in place, and an answer that wraps
// past column 80 edited across the row boundary; then keys typed while the
// tools run. Every edited answer is then looked up in the resource script
// the form's record became. Then a Japanese session, where a character may
// take two bytes and two cells. An arrow split on its way is the terminal
// backend's unit test, on a clock the test sets.
#include <gtest/gtest.h>

#include "form_run.h"

namespace qb::test {
namespace {

const std::string kVersionPrompt = "» File version (x.x.x): ";
const std::string kAnotherPrompt = "» Add another icon? (y/n) ";
const std::string kLongIcon = "././././././././app.ico";  // 23 characters: to column 48

// 100 letters A to Z, over and over.
std::string long_name() {
  std::string name;
  for (int i = 0; i < 100; ++i) name += static_cast<char>('A' + i % 26);
  return name;
}

class EditingRun : public FormRun {
 public:
  // The steps of the run, one or two prompts each, in the form's order.
  void edit_source();
  void edit_copyright();
  void edit_description();
  void refuse_versions();
  void edit_across_rows();
  void answer_icons();
  void keys_during_the_build();

 protected:
  const VtScreen& vt() const { return session_->screen(); }
  void send(const std::string& keys) { session_->send(keys); }
  // The product name as it stands after edit_across_rows.
  std::string edited_name() const { return long_name().erase(58, 1); }
};

// Enter at once asks again; Alt+x, Alt+Backspace and Alt+Enter change
// nothing; Home, Right and End move through the answer.
void EditingRun::edit_source() {
  send("\rhlo.bas");
  ASSERT_TRUE(shows_text(12, 26, "hlo.bas"));
  EXPECT_TRUE(vt().blank(13, 1, 80, kBlack, kLightGrey));  // still the first prompt
  send(std::string("\x1bx\x1b\x7f\x1b\r") + kCsiHome + kSs3Right + "el");
  ASSERT_TRUE(shows_text(12, 26, "hello.bas"));
  EXPECT_TRUE(cursor_at(12, 29));
  send(kSs3End);
  EXPECT_TRUE(cursor_at(12, 35));
  send("\r");
}

// Backspace as 127 and as 8 removes and blanks; Delete at the end only
// beeps; Tab at the start of the next answer gives spaces that are dropped.
void EditingRun::edit_copyright() {
  const int bells = vt().bells();
  send(std::string("2024 Sample Teamxy\x7f\x08") + kDelete);
  ASSERT_TRUE(shows([&](const VtScreen& v) {
    return v.text_at(13, 24, 18) == "2024 Sample Team  " && v.bells() == bells + 1;
  }));
  expect_text(vt(), 13, 24, "2024 Sample Team", kGreen);
  expect_spaces(vt(), 13, 40, 44);
  EXPECT_TRUE(cursor_at(13, 40));
  send("\r\tSample Team");
  ASSERT_TRUE(shows_text(14, 24, "        Sample Team"));
  EXPECT_TRUE(cursor_at(14, 43));
  send("\r");
}

// A lone Esc clears the text, Enter then gives the empty answer and the
// required prompt comes back; arrows move back to insert in the middle.
void EditingRun::edit_description() {
  send("junk");
  ASSERT_TRUE(shows_text(15, 26, "junk"));
  send("\x1b");
  ASSERT_TRUE(shows([](const VtScreen& v) {
    return v.text_at(15, 26, 4) == "    " && v.cursor_row() == 15 && v.cursor_column() == 26;
  }));
  send("\rGreetingdemo");
  ASSERT_TRUE(shows_text(15, 26, "Greetingdemo"));
  EXPECT_TRUE(vt().blank(16, 1, 80, kBlack, kLightGrey));  // asked again on row 15
  send(repeat(kCsiLeft, 2) + repeat(kSs3Left, 2) + " ");
  ASSERT_TRUE(shows_text(15, 26, "Greeting demo"));
  EXPECT_TRUE(cursor_at(15, 35));
  send(kVtEnd);
  EXPECT_TRUE(cursor_at(15, 39));
  send(std::string(kVtHome) + kVtEnd + "\r");
}

// Versions of the wrong length are refused and the row redrawn; what a long
// one wrote beyond column 44 stays. A leading space is dropped.
void EditingRun::refuse_versions() {
  send("1.2.3.4.5.6.7.8.9\r");
  const std::string redrawn = kVersionPrompt + std::string(15, ' ') + ".9";
  ASSERT_TRUE(shows([&](const VtScreen& v) {
    return v.text_at(16, 6, 41) == redrawn && v.cursor_row() == 16 && v.cursor_column() == 30;
  }));
  expect_text(vt(), 16, 6, kVersionPrompt, kBlack);
  expect_text(vt(), 16, 45, ".9", kGreen);
  send("1.2.3 \r 1.2.3");
  ASSERT_TRUE(shows_text(16, 30, " 1.2.3"));
  EXPECT_TRUE(cursor_at(16, 36));
  EXPECT_TRUE(vt().blank(17, 1, 80, kBlack, kLightGrey));
  expect_spaces(vt(), 16, 36, 44);
  expect_text(vt(), 16, 45, ".9", kGreen);
  send("\r");
}

// A 100-character answer from row 17, column 22 ends on row 18; Up and
// Down move by a row, and Backspace and Delete work across the boundary.
void EditingRun::edit_across_rows() {
  const std::string name = long_name();
  send(name);
  ASSERT_TRUE(cursor_at(18, 42));
  expect_text(vt(), 17, 22, name.substr(0, 59), kGreen);
  expect_text(vt(), 18, 1, name.substr(59), kGreen);
  send(std::string(kSs3Home) + kCsiDown);
  EXPECT_TRUE(cursor_at(18, 22));
  send(kSs3Up);
  EXPECT_TRUE(cursor_at(17, 22));
  send(kCsiEnd + repeat(kCsiLeft, 42) + "#");
  ASSERT_TRUE(shows_text(17, 80, "#"));
  EXPECT_TRUE(cursor_at(18, 1));
  expect_text(vt(), 18, 1, name.substr(58), kGreen);
  send("\x7f");
  ASSERT_TRUE(shows_text(17, 80, name.substr(58, 1)));
  EXPECT_TRUE(cursor_at(17, 80));
  expect_spaces(vt(), 18, 42, 42);
  send(kDelete);
  ASSERT_TRUE(shows_text(17, 80, name.substr(59, 1)));
  expect_text(vt(), 18, 1, name.substr(60), kGreen);
  expect_spaces(vt(), 18, 41, 41);
  // The next prompt blanks only columns 6 to 44 of row 18.
  send("\r1.10\r1.2.0");
  ASSERT_TRUE(shows_text(18, 33, "1.2.0"));
  EXPECT_TRUE(vt().blank(19, 1, 80, kBlack, kLightGrey));
  expect_text(vt(), 18, 1, name.substr(60, 5), kGreen);
  expect_spaces(vt(), 18, 38, 80);
  send("\r");
}

// A long icon name leaves its end beyond column 47; yes/no answers are
// black; Esc then Enter leaves the web site empty; okay means yes.
void EditingRun::answer_icons() {
  send("First release\rwww");
  ASSERT_TRUE(shows_text(20, 22, "www"));
  send("\x1b");
  ASSERT_TRUE(shows_text(20, 22, "   "));
  send("\r" + kLongIcon + "\r");
  ASSERT_TRUE(shows_text(21, 6, kAnotherPrompt));
  expect_spaces(vt(), 20, 22, 44);
  expect_spaces(vt(), 21, 32, 47);
  expect_text(vt(), 21, 48, "o", kGreen);
  send("Yes");
  ASSERT_TRUE(shows_text(21, 32, "Yes"));
  expect_prompt(vt(), 21, kAnotherPrompt, "Yes", kBlack);
  send("\rsmall.ico\rokay\r");
  ASSERT_TRUE(shows_text(21, 6, "» Application icon 3: "));
  send("app.ico\r\r");
}

// Keys typed while the resource compiler runs are neither shown nor edited
// as a line: they wait, and dismiss the result box as soon as it comes.
void EditingRun::keys_during_the_build() {
  ASSERT_TRUE(shows([&](const VtScreen&) { return build_started(); }));
  send("zq\x7f");
  ASSERT_TRUE(keys_waiting(3));
  EXPECT_TRUE(vt().blank(22, 1, 80, kBlack, kLightGrey));
  release_build();
  const auto status = session_->wait_exit();
  ASSERT_TRUE(status) << "the result box still waits";
  EXPECT_TRUE(status->exited && status->code == 0);
}

TEST_F(EditingRun, EditingKeysRefusalsAndWrappingOnScreenAndInTheRecord) {
  hold_build();
  start();
  ASSERT_TRUE(session_->wait_until(title_shown));
  for (auto step :
       {&EditingRun::edit_source, &EditingRun::edit_copyright, &EditingRun::edit_description,
        &EditingRun::refuse_versions, &EditingRun::edit_across_rows, &EditingRun::answer_icons,
        &EditingRun::keys_during_the_build}) {
    (this->*step)();
    if (HasFatalFailure()) return;
  }
  const std::vector<std::string> lines = script_lines();
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[0], "100 ICON " + kLongIcon);
  EXPECT_EQ(lines[1], "101 ICON small.ico");
  EXPECT_EQ(lines[2], "102 ICON app.ico");
  EXPECT_EQ(lines[5], "FILEVERSION 1,2,3,0");
  EXPECT_EQ(lines[6], "PRODUCTVERSION 1,2,0,0");
  EXPECT_EQ(lines[14], "\t\tVALUE \"FileDescription\", \"Greeting demo\"");
  EXPECT_EQ(lines[15], "\t\tVALUE \"LegalCopyright\", \"2024 Sample Team\"");
  EXPECT_EQ(lines[16], "\t\tVALUE \"ProductName\", \"" + edited_name() + "\"");
  EXPECT_EQ(lines[17], "\t\tVALUE \"Publisher\", \"Sample Team\"");
  EXPECT_EQ(lines[18], "\t\tVALUE \"Website\", \"\"");
  EXPECT_EQ(lines[22], "\t\tVALUE \"InternalName\", \"hello\"");
}

// In ja_JP.UTF-8 (code page 932) a pair takes two cells, one wide glyph;
// the editing keys move over and erase whole characters; the copyright
// keeps the whole characters that fit its 32 bytes; the marks are those of
// 437; the script gets the pairs as typed, trail bytes 0x5C single, and the
// compiler the source by its own name.
TEST_F(EditingRun, InJapaneseTheKeysWorkOnWholeCharactersAndThePairsReachTheScript) {
  start({"LOCPATH=" QB_TEST_LOCPATH, "LC_ALL=ja_JP.UTF-8"});
  ASSERT_TRUE(session_->wait_until(title_shown));
  EXPECT_EQ(vt().text_at(4, 6, 2), "╔═");
  const auto shows_cells = [&](int row, int column, int length, const std::string& text) {
    return shows([=](const VtScreen& v) { return v.text_at(row, column, length) == text; });
  };
  send("ポテト表.bas");
  ASSERT_TRUE(shows_cells(12, 26, 12, "ポテト表.bas"));
  expect_text(vt(), 12, 6, "» Your source code: ", kBlack);
  EXPECT_EQ(vt().width(12, 26), 2);
  EXPECT_EQ(vt().char_at(12, 27), kWideRest);
  EXPECT_TRUE(cursor_at(12, 38));
  send("\rA" + repeat("表", 16) + "\r\r表示A");
  ASSERT_TRUE(shows_cells(15, 26, 5, "表示A"));
  send(std::string(kCsiLeft) + kCsiLeft);
  EXPECT_TRUE(cursor_at(15, 28));
  send("\x7f");
  ASSERT_TRUE(shows_cells(15, 26, 5, "示A  "));
  EXPECT_TRUE(cursor_at(15, 26));
  send("\r1.2.3\rHello\r1.2.0\rソフト表示" + std::string(kCsiHome) + kDelete);
  ASSERT_TRUE(shows_cells(19, 18, 10, "フト表示  "));
  EXPECT_TRUE(cursor_at(19, 18));
  send("\r\rapp.ico\rn\r\r");
  finish();
  const std::vector<std::string> lines = script_lines();
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[14],
            "\t\tVALUE \"FileDescription\", \"\x8E\xA6"
            "A\"");
  EXPECT_EQ(lines[15], "\t\tVALUE \"LegalCopyright\", \"A" + repeat("\x95\x5C", 15) + "\"");
  EXPECT_EQ(lines[19], "\t\tVALUE \"Comments\", \"\x83\x74\x83\x67\x95\x5C\x8E\xA6\"");
  EXPECT_EQ(lines[22], "\t\tVALUE \"InternalName\", \"\x83\x7C\x83\x65\x83\x67\x95\x5C\"");
  ASSERT_FALSE(fbc_arguments().empty());
  EXPECT_EQ(fbc_arguments()[0], "ポテト表.bas");
}

// Under QB_CODE_PAGE=65001 a character is its UTF-8 bytes: 😀 takes two
// cells, the keys move over and erase whole characters of up to four bytes,
// and the script is UTF-8 after its byte-order mark.
TEST_F(EditingRun, InUtf8TheKeysWorkOnWholeCharactersOfUpToFourBytes) {
  if (under_wine()) GTEST_SKIP() << "the Windows console's page is chcp's";
  start({"LC_ALL=C.UTF-8", "QB_CODE_PAGE=65001"});
  ASSERT_TRUE(session_->wait_until(title_shown));
  send("s.bas\r2024\r\ra😀€b");
  ASSERT_TRUE(shows([](const VtScreen& v) { return v.char_at(15, 30) == U'b'; }));
  EXPECT_EQ(vt().char_at(15, 27), U'😀');
  EXPECT_EQ(vt().char_at(15, 29), U'€');
  EXPECT_TRUE(cursor_at(15, 31));
  send(std::string(kCsiLeft) + kCsiLeft + "\x7f");
  ASSERT_TRUE(shows([](const VtScreen& v) { return v.text_at(15, 26, 5) == "a€b  "; }));
  EXPECT_TRUE(cursor_at(15, 27));
  send(kCsiHome);
  EXPECT_TRUE(cursor_at(15, 26));
  send(kSs3End);
  EXPECT_TRUE(cursor_at(15, 29));
  send("\r1.2.3\rHello\r1.2.0\r\r\rapp.ico\rn\r\r");
  finish();
  const std::vector<std::string> lines = script_lines();
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[0],
            "\xEF\xBB\xBF"
            "100 ICON app.ico");
  EXPECT_EQ(lines[14], "\t\tVALUE \"FileDescription\", \"a€b\"");
}

}  // namespace
}  // namespace qb::test
