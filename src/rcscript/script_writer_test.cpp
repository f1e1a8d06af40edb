// The resource script as written to disk: the worked example byte for byte,
// the icon lines, blank and odd answers, code-page conversion and capacity.
#include "rcscript/script_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host.h"
#include "ico_format.h"
#include "platform/memory/memory_backend.h"
#include "readobj_listing.h"
#include "standin_io.h"
#include "support/scratch_folder.h"
#include "support/worked_example_script.h"

namespace qb {

using test::kWorkedExampleScript;
namespace {

namespace fs = std::filesystem;

// The answers of the worked example: two icons, no web site.
ProjectInfo worked_example() {
  ProjectInfo project;
  project.source_file.store("hello.bas");
  project.copyright.store("2024 Sample Team");
  project.publisher.store("Sample Team");
  project.file_description.store("Greeting demo");
  project.file_version.store("1.2.3");
  project.product_name.store("Hello");
  project.product_version.store("1.2.0");
  project.comments.store("First release");
  project.icon1.store("app.ico");
  project.icon2.store("small.ico");
  return project;
}

class ScriptWriterTest : public ::testing::Test {
 protected:
  std::string script_path() const { return folder_.path("RESFILE.RC"); }
  // Writes the script for `project`, which must succeed, and returns its bytes.
  std::string write(const ProjectInfo& project) {
    EXPECT_EQ(write_resource_script(platform_, build_script_template(), script_path(), project),
              "");
    std::ifstream in(script_path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Line `number` (from 1) of a script, without its CR LF.
  static std::string line(const std::string& script, int number) {
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) start = script.find("\r\n", start) + 2;
    return script.substr(start, script.find("\r\n", start) - start);
  }
  const ScratchFolder folder_{ScratchFolder::Enter::kNo};
  MemoryBackend backend_;
  Platform platform_{backend_};
  FileTable& files_ = platform_.files;
};

TEST_F(ScriptWriterTest, WorkedExampleByteForByte) {
  const std::string script = write(worked_example());
  EXPECT_EQ(script, kWorkedExampleScript);
  EXPECT_EQ(script.size(), 623u);
  EXPECT_EQ(files_.free_file_number(), 1);  // the script was closed
}

TEST_F(ScriptWriterTest, IconLinesForOneTwoAndThreeIcons) {
  ProjectInfo project = worked_example();
  project.icon2.store("");
  std::string script = write(project);
  EXPECT_EQ(script.substr(0, 39), "100 ICON app.ico\r\n\r\n\r\n\r\n1 VERSIONINFO\r\n");

  project.icon1.store("  app.ico  ");
  project.icon2.store("b.ico ");
  project.icon3.store("c d.ico");
  script = write(project);
  EXPECT_EQ(line(script, 1), "100 ICON   app.ico");  // leading blanks stay, no quotes
  EXPECT_EQ(line(script, 2), "101 ICON b.ico");
  EXPECT_EQ(line(script, 3), "102 ICON c d.ico");
  EXPECT_EQ(line(script, 4), "");
  EXPECT_EQ(line(script, 5), "1 VERSIONINFO");
}

TEST_F(ScriptWriterTest, BlankAnswersGiveEmptyValues) {
  ProjectInfo project = worked_example();
  project.icon1.store("   ");
  project.icon2.store("   ");
  project.file_version.store("     ");
  project.product_version.store("     ");
  project.source_file.store("hello");
  project.publisher.store("  ");
  const std::string script = write(project);
  EXPECT_EQ(script.substr(0, 17), "100 ICON \r\n\r\n\r\n\r\n");
  EXPECT_EQ(line(script, 6), "FILEVERSION ,0");
  EXPECT_EQ(line(script, 7), "PRODUCTVERSION ,0");
  EXPECT_EQ(line(script, 18), "\t\tVALUE \"Publisher\", \"\"");
  EXPECT_EQ(line(script, 21), "\t\tVALUE \"FileVersion\", \"\"");
  EXPECT_EQ(line(script, 22), "\t\tVALUE \"ProductVersion\", \"\"");
  EXPECT_EQ(line(script, 23), "\t\tVALUE \"InternalName\", \"\"");
  EXPECT_EQ(line(script, 24), "\t\tVALUE \"OriginalFilename\", \".exe\"");
}

TEST_F(ScriptWriterTest, StringValuesAndIconNamesAreConverted) {
  ProjectInfo project = worked_example();
  project.file_description.store("Gr\x81\x9B\x65 \xE1 ");  // ü ¢ e ß
  project.icon1.store("\x84pfel.ico");                     // äpfel.ico
  project.icon2.store("m\x94we.ico");
  project.source_file.store("src\\m\x94we.bas");  // möwe
  const std::string script = write(project);
  EXPECT_EQ(line(script, 1), "100 ICON \xE4pfel.ico");
  EXPECT_EQ(line(script, 2), "101 ICON m\xF6we.ico");
  EXPECT_EQ(line(script, 15), "\t\tVALUE \"FileDescription\", \"Gr\xFC\xA2\x65 \xDF\"");
  EXPECT_EQ(line(script, 23), "\t\tVALUE \"InternalName\", \"src\\\\m\xF6we\"");
  EXPECT_EQ(line(script, 24), "\t\tVALUE \"OriginalFilename\", \"src\\\\m\xF6we.exe\"");
  EXPECT_EQ(project.source_file.view(), "src\\m\x94we.bas");  // the record keeps what was typed

  backend_.code_page = &kCodePage850;  // a German user's "© 2024 Beispiel GmbH"
  project.copyright.store("\xB8 2024 Beispiel GmbH");
  EXPECT_EQ(line(write(project), 16), "\t\tVALUE \"LegalCopyright\", \"\xA9 2024 Beispiel GmbH\"");

  // Pairs go as they are, and a second byte 5C is no backslash to double.
  backend_.code_page = &code_page_numbered(932);
  project.source_file.store("\x83\x7C\x83\x65\x83\x67\x95\x5C.bas");  // ポテト表.bas
  project.comments.store("\x88\x9F\\");                               // 亜\ (932)
  const std::string paired = write(project);
  EXPECT_EQ(line(paired, 20), "\t\tVALUE \"Comments\", \"\x88\x9F\\\\\"");
  EXPECT_EQ(line(paired, 24),
            "\t\tVALUE \"OriginalFilename\", \"\x83\x7C\x83\x65\x83\x67\x95\x5C.exe\"");
  backend_.code_page = &code_page_numbered(950);
  project.comments.store("\xB3\\\xA5\\\xBB\\");  // 許功蓋 (950)
  EXPECT_EQ(line(write(project), 20), "\t\tVALUE \"Comments\", \"\xB3\\\xA5\\\xBB\\\"");
}

// A double quote and a backslash are doubled inside the quotes, which is how
// resource compilers read them: llvm-rc, where it is installed, compiles
// each script, and its Comments value is the typed text again.
TEST_F(ScriptWriterTest, QuotesAndBackslashesAreDoubledAndReadBackAsTyped) {
  const std::string llvm_rc = tools::find_program("llvm-rc");
  const std::string res = folder_.path("RESFILE.RES");
  ASSERT_TRUE(tools::write_file(folder_.path("app.ico"),
                                tools::encode_icon({{16, std::vector<std::uint32_t>(256)}})));
  for (const auto& [typed, written] :
       {std::pair{"C:\\new\\tools\\x41", "C:\\\\new\\\\tools\\\\x41"},
        std::pair{"Me \"the\" Best", "Me \"\"the\"\" Best"}, std::pair{"x\"\"y", "x\"\"\"\"y"},
        std::pair{"ends in \\", "ends in \\\\"}, std::pair{"\"", "\"\""}}) {
    ProjectInfo project = worked_example();
    project.icon2.store("");
    project.comments.store(typed);
    EXPECT_EQ(line(write(project), 20), "\t\tVALUE \"Comments\", \"" + std::string(written) + "\"");
    if (llvm_rc.empty()) continue;
    const tools::RunResult run =
        tools::run_captured({llvm_rc, "/no-preprocess", "/C", "1252", "/FO", res, script_path()});
    ASSERT_EQ(run.status, 0) << run.output;
    // The UTF-16 strings read as ASCII: the key, its terminator and padding, the value.
    const std::string text = tools::utf8_of_utf16(tools::read_file(res).value_or(""));
    const std::size_t value = text.find_first_not_of('\0', text.find("Comments") + 8);
    EXPECT_EQ(text.substr(value, text.find('\0', value) - value), typed);
  }
  ProjectInfo project = worked_example();
  project.file_version.store("1\"\\.3");  // the short form is taken before the doubling
  EXPECT_EQ(line(write(project), 21), "\t\tVALUE \"FileVersion\", \"1\"\"\\\\3\"");
}

TEST_F(ScriptWriterTest, AnExistingScriptIsReplaced) {
  std::ofstream(script_path(), std::ios::binary) << std::string(5000, 'x');
  EXPECT_EQ(write(worked_example()), kWorkedExampleScript);
}

TEST_F(ScriptWriterTest, FieldsFilledToCapacityAreWrittenWhole) {
  ProjectInfo project = worked_example();
  const std::string long_text = std::string(254, 'd') + "E" + "cut";
  project.file_description.store(long_text);
  project.icon3.store(long_text);
  const std::string long_copyright = std::string(31, 'c') + "Zcut";
  project.copyright.store(long_copyright);
  const std::string script = write(project);
  EXPECT_EQ(line(script, 3), "102 ICON " + long_text.substr(0, 255));
  EXPECT_EQ(line(script, 15),
            "\t\tVALUE \"FileDescription\", \"" + long_text.substr(0, 255) + "\"");
  EXPECT_EQ(line(script, 16), "\t\tVALUE \"LegalCopyright\", \"" + std::string(31, 'c') + "Z\"");
  EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 35);
  EXPECT_EQ(std::count(script.begin(), script.end(), '\r'), 35);
  EXPECT_EQ(script.size(), 623u + (255 + 9) + (255 - 13) + (32 - 16));
}

// A script that cannot be written whole is told, in the system's words.
TEST_F(ScriptWriterTest, AScriptThatCannotBeWrittenSaysWhy) {
  const std::string nowhere = (folder_.path() / "no" / "RESFILE.RC").string();
  EXPECT_NE(write_resource_script(platform_, build_script_template(), nowhere, worked_example()),
            "");
  EXPECT_FALSE(fs::exists(folder_.path() / "no"));
  EXPECT_EQ(files_.free_file_number(), 1);
  if (!fs::exists("/dev/full")) return;  // a disk that is always full, where there is one
  EXPECT_EQ(
      write_resource_script(platform_, build_script_template(), "/dev/full", worked_example()),
      "No space left on device");
}

}  // namespace
}  // namespace qb
