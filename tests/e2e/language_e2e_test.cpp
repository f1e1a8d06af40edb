// Text typed in languages beyond ASCII, through the whole run: the form
// keeps it in the locale's OEM page, the script carries it in the ANSI page,
// the stand-ins read it in that page and the executable's version strings
// hold it as typed; an icon named in the language is found on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "build_run.h"
#include "platform/text/code_page.h"
#include "platform/text/utf8.h"
#include "readobj_listing.h"

namespace qb::test {

namespace {

const Typed kTyped[] = {
    {"ru_RU.UTF-8", "Описание программы", "значок.ico"},
    {"pl_PL.UTF-8", "Zażółć gęślą jaźń", "app.ico"},
    {"el_GR.UTF-8", "Περιγραφή προγράμματος", "app.ico"},
    {"tr_TR.UTF-8", "Açıklama İğüşöç", "app.ico"},
    {"he_IL.UTF-8", "תיאור התוכנית", "app.ico"},
    {"th_TH.UTF-8", "คำอธิบายโปรแกรม", "app.ico"},
    {"de_DE.UTF-8", "Größe © 2024 Müller", "app.ico"},
    {"ja_JP.UTF-8", "表示ソフト ｶﾀｶﾅ", "ポテト表.ico",
     "\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67 \xB6\xC0\xB6\xC5"},
    {"zh_CN.UTF-8", "程序说明", "图标.ico"},
    {"zh_TW.UTF-8", "許功蓋", "app.ico", "\xB3\x5C\xA5\x5C\xBB\x5C"},
    {"ko_KR.UTF-8", "프로그램 설명", "app.ico"},
};

}  // namespace

// Builds the worked example in `typed`'s locale; see the declaration.
void BuildRun::expect_built_as_typed(const Typed& typed, std::vector<std::string> env) {
  if (std::string_view(typed.icon) != "app.ico") fs::copy_file(path("app.ico"), path(typed.icon));
  std::vector<std::string> answers = example_answers("", typed.icon);
  answers[3] = typed.description;
  // wine takes its code pages from the locale, made by the build.
  env.insert(env.end(), {std::string("LC_ALL=") + typed.locale, "LOCPATH=" QB_TEST_LOCPATH,
                         "QB_STANDIN_GORC_KEEP=kept.rc"});
  expect_result_screen(run_to_result(answers, env).screen(), 10, kSuccessMiddle, kBlue);
  press_key_and_expect_clean_exit();
  if (typed.script_bytes != nullptr) {
    const std::string line = std::string("\"FileDescription\", \"") + typed.script_bytes + "\"";
    EXPECT_NE(tools::read_file(path("kept.rc")).value_or("").find(line), std::string::npos);
  }
  const std::string listing =
      tools::run_captured({llvm_readobj(), "--coff-resources", path("hello.exe")}).output;
  EXPECT_NE(listing.find("Name: (ID 100)"), std::string::npos);
  const std::string version =
      tools::utf8_of_utf16(tools::dumped_bytes(listing, "Type: VERSIONINFO"));
  EXPECT_NE(version.find(typed.description), std::string::npos) << version;
}

namespace {

// Text typed in each language reaches the executable as typed: the script
// carries it in the locale's ANSI page, in which the stand-ins read it.
class TypedInALanguage : public BuildRun, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypedInALanguage, ReachesTheVersionStringsAsTyped) {
  if (llvm_readobj().empty())
    GTEST_SKIP() << "llvm-rc, llvm-cvtres, lld-link or llvm-readobj missing";
  expect_built_as_typed(GetParam(), {});
}

INSTANTIATE_TEST_SUITE_P(Locales, TypedInALanguage, ::testing::ValuesIn(kTyped),
                         [](const ::testing::TestParamInfo<Typed>& info) {
                           return std::string(info.param.locale, 5);
                         });

// The Windows stand-ins read the script in wine's ANSI page, the locale's,
// and compile it with the machine's llvm, put on wine's search path.
TEST_F(WindowsTools, ReadTheScriptInTheLocalesAnsiPage) {
  if (llvm_readobj().empty())
    GTEST_SKIP() << "llvm-rc, llvm-cvtres, lld-link or llvm-readobj missing";
  std::string llvm = fs::path(tools::find_program("llvm-rc")).parent_path().string();
  std::replace(llvm.begin(), llvm.end(), '/', '\\');
  expect_built_as_typed(kTyped[0], {"WINEPATH=Z:" + llvm});
}

// The Windows program itself under wine, in the label wine; skipped here.
class WindowsConsole : public BuildRun {
  void SetUp() override {
    if (!under_wine()) GTEST_SKIP() << "runs the Windows program, with the label wine";
    BuildRun::SetUp();
  }
};

// On a console that `chcp` set (wine's cmd runs the program there) the
// description, typed or piped in with the answers, reaches the script in
// the script's page: UTF-8 after the byte-order mark under 65001.
// QB_CODE_PAGE, a POSIX variable, changes nothing.
TEST_F(WindowsConsole, TextReachesTheScriptInTheConsolesPage) {
  const std::string text = "Привет «мир» © € 日本語 😀";
  const std::string mark = "\xEF\xBB\xBF";
  for (const auto& [locale, page, redirect, typed, script] :
       std::vector<std::tuple<std::string, std::string, std::string, std::string, std::string>>{
           {"C.UTF-8", "65001", "", text, mark + "100 ICON app.ico\r\n" + text},
           {"C.UTF-8", "65001", " < answers.txt", text, mark + "100 ICON app.ico\r\n" + text},
           {"ru_RU.UTF-8", "1251", "", "Привет «мир»",
            "100 ICON app.ico\r\n\xCF\xF0\xE8\xE2\xE5\xF2 \xAB\xEC\xE8\xF0\xBB"}}) {
    std::vector<std::string> answers = example_answers();
    answers[3] = typed;
    std::string lines;
    for (const std::string& answer : answers) lines += answer + "\r\n";
    ASSERT_TRUE(tools::write_file(path("answers.txt"), lines));
    fs::remove(folder_ / "kept.rc");
    PtyOptions options = program_options();
    options.directory = folder_.string();
    options.env = {"LC_ALL=" + locale, "LOCPATH=" QB_TEST_LOCPATH, "QB_CODE_PAGE=65001",
                   "QB_STANDIN_GORC_KEEP=kept.rc"};
    const std::string shell = R"("$1" cmd /c "chcp )" + page +
                              R"( >nul & Z:$(printf %s "$2" | tr / '\\'))" + redirect + "\"";
    options.prefix.insert(options.prefix.begin(), {"/bin/sh", "-c", shell, "sh"});
    session_ = std::make_unique<PtySession>(options);
    if (redirect.empty()) {  // typed in the terminal
      for (const std::string& answer : answers) session_->send(answer + "\r");
      ASSERT_TRUE(session_->wait_until(result_shown)) << page;
      session_->send("q");
    }
    ASSERT_TRUE(session_->wait_exit()) << page;
    const std::string kept = tools::read_file(path("kept.rc")).value_or("");
    const std::size_t head = script.find('\n') + 1;
    EXPECT_TRUE(kept.starts_with(script.substr(0, head))) << page << ": " << kept;
    EXPECT_NE(kept.find("\"FileDescription\", \"" + script.substr(head) + "\""), std::string::npos)
        << page << ": " << kept;
  }
}

}  // namespace
}  // namespace qb::test
