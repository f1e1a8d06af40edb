// The form on the in-memory backend: the record it fills, the rules that
// send a prompt back, the icon questions, and the prompts' rows and colours.
// A script that runs out of keys stops the form mid-way (ScriptExhausted),
// which lets a test look at the screen of any prompt.
#include "form/form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "platform/memory/memory_backend.h"
#include "support/screen_text.h"

namespace qb {
namespace {

constexpr std::uint8_t kBlack = 0x70;  // black on light grey
constexpr std::uint8_t kGreen = 0x72;  // green on light grey
const std::string kMarker = "\xAF ";

// A light grey screen in black, as the driver leaves it, and the form's keys.
struct FormRun {
  MemoryBackend backend;
  Console con{backend};
  ProgramState state;

  FormRun() {
    con.set_color(0, 7);
    con.clear_screen();
    con.locate(9, 40);  // the cursor may stand anywhere
  }
  // Types each text followed by Enter.
  void lines(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
      backend.type_text(text);
      backend.type(13);
    }
  }
  // Answers prompts 1 to 9 acceptably.
  void first_nine() {
    lines({"hello.bas", "(c) Me", "Pub", "Desc", "1.2.3", "Prod", "1.2.0", "Cmt", "web"});
  }
  void run() { run_form(con, state); }
  // Runs until the keys run out at some prompt.
  void run_until_keys_end() { EXPECT_THROW(run_form(con, state), ScriptExhausted); }
  const Screen& screen() const { return con.screen(); }
};

TEST(Form, FillsTheRecordAndLeavesEveryAnswerOnItsRow) {
  FormRun f;
  f.first_nine();
  f.lines({"app.ico", "n", "-s gui -x app.exe"});
  f.run();
  const ProjectInfo& p = f.state.project;
  EXPECT_EQ(p.source_file.view(), "hello.bas");
  EXPECT_EQ(p.copyright.view(), "(c) Me");
  EXPECT_EQ(p.publisher.view(), "Pub");
  EXPECT_EQ(p.file_description.view(), "Desc");
  EXPECT_EQ(p.file_version.view(), "1.2.3");
  EXPECT_EQ(p.product_name.view(), "Prod");
  EXPECT_EQ(p.product_version.view(), "1.2.0");
  EXPECT_EQ(p.comments.view(), "Cmt");
  EXPECT_EQ(p.website.view(), "web");
  EXPECT_EQ(p.icon1.view(), "app.ico");
  EXPECT_EQ(p.icon2.view(), "");
  EXPECT_EQ(p.icon3.view(), "");
  EXPECT_EQ(f.state.fbc_params, "-s gui -x app.exe");

  const Screen& s = f.screen();
  EXPECT_EQ(text_at(s, 12, 6, 29), kMarker + "Your source code: hello.bas");
  EXPECT_EQ(text_at(s, 16, 6, 29), kMarker + "File version (x.x.x): 1.2.3");
  EXPECT_EQ(text_at(s, 18, 6, 32), kMarker + "Product version (x.x.x): 1.2.0");
  EXPECT_EQ(text_at(s, 20, 6, 19), kMarker + "Your website: web");
  EXPECT_EQ(text_at(s, 21, 6, 64),
            kMarker + "Additional command line parameters for FBC: -s gui -x app.exe ");
  EXPECT_TRUE(blank_cells(s, 21, 70, 80, kBlack));
  for (int c = 6; c <= 51; ++c) EXPECT_EQ(s.cell(21, c).attr, kBlack) << c;
  for (int c = 52; c <= 68; ++c) EXPECT_EQ(s.cell(21, c).attr, kGreen) << c;
  EXPECT_EQ(s.cell(13, 23).attr, kBlack);  // the prompt's trailing space
  EXPECT_EQ(s.cell(13, 24).attr, kGreen);  // the answer column
  EXPECT_TRUE(blank_cells(s, 11, 1, 80, kBlack));
  EXPECT_TRUE(blank_cells(s, 22, 1, 80, kBlack));
  EXPECT_EQ(f.con.cursor_row(), 22);
  EXPECT_EQ(f.con.cursor_column(), 1);
  EXPECT_EQ(f.con.screen().attribute(), kBlack);
}

TEST(Form, RequiredAndVersionPromptsComeBackUntilAnswered) {
  FormRun f;
  f.lines({"", "   ", ",abc", "\"\"", "src.bas"});      // 1: four empty answers
  f.lines({"Example Ltd, all rights reserved"});        // 2: the comma ends it
  f.lines({""});                                        // 3: optional, stored empty
  f.lines({"Desc"});                                    // 4
  f.lines({"1.10", "1.2.10", "1.2.3 ", "", " 1.2.3"});  // 5: lengths 4, 6, 6, 0, then 5
  f.lines({"Prod"});                                    // 6
  f.lines({"abcd", "abcde"});                           // 7: only the length counts
  f.lines({"", "", "i.ico", "no", ""});                 // 8, 9, 10, 11, 15
  f.run();
  const ProjectInfo& p = f.state.project;
  EXPECT_EQ(p.source_file.view(), "src.bas");
  EXPECT_EQ(p.copyright.view(), "Example Ltd");
  EXPECT_EQ(p.publisher.view(), "");
  EXPECT_EQ(p.file_version.view(), "1.2.3");
  EXPECT_EQ(p.product_version.view(), "abcde");
  EXPECT_EQ(p.comments.view(), "");
  EXPECT_EQ(p.website.view(), "");
  EXPECT_EQ(f.state.fbc_params, "");
  EXPECT_EQ(f.backend.keys_pending(), 0u);
  EXPECT_EQ(f.backend.beeps, 0);  // no sign of why a prompt came back
}

// The icons and parameters that an icon dialogue ends with.
struct IconCase {
  std::vector<std::string> typed;
  std::string icon2;
  std::string icon3;
};

TEST(Form, IconQuestionsGiveOneTwoOrThreeIcons) {
  const IconCase cases[] = {
      {{"one.ico", "n", "params"}, "", ""},
      {{"one.ico", "", "params"}, "", ""},
      {{"one.ico", "n, y", "params"}, "", ""},  // only the first field counts
      {{"one.ico", "nein", "params"}, "", ""},
      {{"one.ico", "y", "two.ico", "no", "params"}, "two.ico", ""},
      {{"one.ico", "Yes", "", "two.ico", "okay", "three.ico", "params"}, "two.ico", "three.ico"},
      {{"one.ico", "maybe", "two.ico", "Y", ",", "three.ico", "params"}, "two.ico", "three.ico"},
      {{"one.ico", "\x83\x79\x83\x59", "params"}, "", ""},  // ペズ: second bytes y and Y
  };
  for (const IconCase& c : cases) {
    FormRun f;
    f.backend.code_page = &code_page_numbered(932);
    f.first_nine();
    f.lines(c.typed);
    f.run();
    EXPECT_EQ(f.state.project.icon1.view(), c.typed.front());
    EXPECT_EQ(f.state.project.icon2.view(), c.icon2) << c.icon2;
    EXPECT_EQ(f.state.project.icon3.view(), c.icon3) << c.icon3;
    EXPECT_EQ(f.state.fbc_params, "params");
    EXPECT_EQ(f.backend.keys_pending(), 0u);
  }
}

TEST(Form, PromptInBlackAnswerInGreenYesNoInBlack) {
  FormRun f;
  f.backend.type_text("src");
  f.run_until_keys_end();
  const Screen& s = f.screen();
  EXPECT_EQ(text_at(s, 12, 6, 24), kMarker + "Your source code: src ");
  for (int c = 6; c <= 25; ++c) EXPECT_EQ(s.cell(12, c).attr, kBlack) << c;
  for (int c = 26; c <= 28; ++c) EXPECT_EQ(s.cell(12, c).attr, kGreen) << c;
  EXPECT_EQ(s.row(), 12);
  EXPECT_EQ(s.column(), 29);

  FormRun g;
  g.first_nine();
  g.lines({"app.ico"});
  g.backend.type_text("yes");
  g.run_until_keys_end();
  const Screen& t = g.screen();
  EXPECT_EQ(text_at(t, 21, 6, 30), kMarker + "Add another icon? (y/n) yes ");
  for (int c = 6; c <= 34; ++c) EXPECT_EQ(t.cell(21, c).attr, kBlack) << c;
  EXPECT_EQ(g.con.screen().attribute(), kBlack);
}

TEST(Form, ARedrawnPromptBlanksOnlyItsWidth) {
  FormRun f;
  f.lines({"src", "cr", "", "d"});
  const std::string version = "1.2.3-and-some-more";  // columns 30 to 48 on row 16
  f.lines({version});
  f.run_until_keys_end();
  const Screen& s = f.screen();
  EXPECT_EQ(text_at(s, 16, 6, 25), kMarker + "File version (x.x.x):  ");
  EXPECT_TRUE(blank_cells(s, 16, 30, 44, kBlack));
  EXPECT_EQ(text_at(s, 16, 45, 4), version.substr(15));  // beyond the blanked width
  EXPECT_EQ(s.cell(16, 45).attr, kGreen);

  FormRun g;
  g.first_nine();
  const std::string icon = "a-rather-long-icon-name.ico";  // columns 26 to 52 on row 21
  g.lines({icon, "y"});
  g.run_until_keys_end();  // at prompt 12, which blanks columns 6 to 47
  const Screen& t = g.screen();
  EXPECT_EQ(text_at(t, 21, 6, 23), kMarker + "Application icon 2:  ");
  EXPECT_TRUE(blank_cells(t, 21, 28, 47, kBlack));
  EXPECT_EQ(text_at(t, 21, 48, 5), icon.substr(22));
}

TEST(Form, LongAnswersAreCutInTheRecordButStayWholeOnTheScreen) {
  FormRun f;
  std::string source;
  for (int i = 0; i < 300; ++i) source += static_cast<char>('a' + i % 26);
  const std::string copyright = "Copyright 2026 Someone With A Long Name.";  // 40
  ASSERT_EQ(copyright.size(), 40u);
  std::string params(200, 'P');
  params[150] = ',';  // inside quotes a comma is kept, and nothing is cut
  f.lines({source, copyright, "", "d", "1.2.3", "p", "1.2.3", "", "", "i.ico", "n"});
  f.lines({"\"" + params + "\""});
  f.run();
  EXPECT_EQ(f.state.project.source_file.view(), source.substr(0, 255));
  EXPECT_EQ(f.state.project.copyright.view(), copyright.substr(0, 32));
  EXPECT_EQ(f.state.fbc_params, params);
  const Screen& s = f.screen();
  // The source ran from row 12, column 26 over rows 13 to 16; prompts 2 to 5
  // blanked only columns 6 to 44 of those rows.
  EXPECT_EQ(text_at(s, 14, 45, 36), source.substr(135 + 44, 36));
  EXPECT_EQ(text_at(s, 16, 1, 5), source.substr(295, 5));
  EXPECT_EQ(text_at(s, 13, 6, 58), kMarker + "Your copyright: " + copyright);
  EXPECT_EQ(text_at(s, 13, 64, 17), source.substr(55 + 63, 17));

  FormRun g;  // in a double-byte page, the pair that byte 32 would cut is left out whole
  g.backend.code_page = &code_page_numbered(932);
  std::string wide = "A";
  for (int i = 0; i < 16; ++i) wide += "\x95\x5C";  // A and sixteen 表, 33 bytes
  g.lines({"s", wide});
  g.run_until_keys_end();
  EXPECT_EQ(g.state.project.copyright.view(), wide.substr(0, 31));

  // In UTF-8 too: nine 😀 (36 bytes) keep eight, twenty é (40) keep sixteen.
  for (const auto& [character, count, kept] :
       {std::tuple{"\xF0\x9F\x98\x80", 9, 8}, {"\xC3\xA9", 20, 16}}) {
    FormRun u;
    u.backend.code_page = &code_page_numbered(65001);
    std::string typed;
    for (int i = 0; i < count; ++i) typed += character;
    u.lines({"s", typed});
    u.run_until_keys_end();
    EXPECT_EQ(u.state.project.copyright.view(),
              typed.substr(0, static_cast<std::size_t>(kept) * std::strlen(character)));
  }
}

}  // namespace
}  // namespace qb
