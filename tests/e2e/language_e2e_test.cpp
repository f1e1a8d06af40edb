// Text typed in languages beyond ASCII, through the whole run: the form
// keeps it in the locale's OEM page, the script carries it in the ANSI page,
// the stand-ins read it in that page and the executable's version strings
// hold it as typed; an icon named in the language is found on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
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
    // A UTF-8 console: the script in UTF-8, 😀 a surrogate pair in the executable.
    {"C.UTF-8", "Привет «мир» © € 😀 日本語", "app.ico", "Привет «мир» © € 😀 日本語", "65001"},
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
  if (typed.code_page != nullptr) env.push_back(std::string("QB_CODE_PAGE=") + typed.code_page);
  expect_result_screen(run_to_result(answers, env).screen(), 10, kSuccessMiddle, kBlue);
  press_key_and_expect_clean_exit();
  if (typed.code_page != nullptr) {
    const std::string script = tools::read_file(path("kept.rc")).value_or("");
    EXPECT_EQ(script.rfind("\xEF\xBB\xBF"
                           "100 ICON ",
                           0),
              0u);
  }
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
  if (GetParam().code_page != nullptr && under_wine())
    GTEST_SKIP() << "the Windows console's page is chcp's";
  expect_built_as_typed(GetParam(), {});
}

INSTANTIATE_TEST_SUITE_P(Locales, TypedInALanguage, ::testing::ValuesIn(kTyped),
                         [](const ::testing::TestParamInfo<Typed>& info) {
                           if (info.param.code_page != nullptr)
                             return std::string("page") + info.param.code_page;
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

}  // namespace
}  // namespace qb::test
