// The stand-ins' own readers: icon files, the resource script's shape and
// the compiler's command line.
#include <gtest/gtest.h>

#include "fbc_args.h"
#include "ico_format.h"
#include "rc_shape.h"

namespace qb::tools {
namespace {

IconImage plain_image(int size) {
  return IconImage{size,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), 0xFF336699)};
}

TEST(IconFormat, WrittenIconsPassTheCheckAndDamagedOnesFail) {
  const std::string icon = encode_icon({plain_image(16), plain_image(32)});
  EXPECT_EQ(icon.substr(0, 6), std::string("\0\0\1\0\2\0", 6));
  // Header, two entries, and per image 40 + n*n*4 + n*4 mask bytes.
  EXPECT_EQ(icon.size(), 6u + 32u + (40 + 1024 + 64) + (40 + 4096 + 128));
  EXPECT_EQ(icon_file_problem(icon), "");

  EXPECT_NE(icon_file_problem(""), "");
  EXPECT_NE(icon_file_problem("BM" + icon.substr(2)), "");            // a bitmap's header
  EXPECT_NE(icon_file_problem(std::string("\0\0\1\0\0\0", 6)), "");   // no images
  EXPECT_NE(icon_file_problem(icon.substr(0, 20)), "");               // directory cut short
  EXPECT_NE(icon_file_problem(icon.substr(0, icon.size() - 1)), "");  // last image cut short
}

// The script of two icons and a version block, as the program writes it.
std::string sample_script(const std::string& icons) {
  return icons +
         "\r\n1 VERSIONINFO\r\nFILEVERSION 1,2,3,0\r\nPRODUCTVERSION 1,2,0,0\r\n"
         "FILEOS 0x10001\r\nFILETYPE 0x1\r\n{\r\nBLOCK \"StringFileInfo\"\r\n{\r\n"
         "\tBLOCK \"040904b4\"\r\n\t{\r\n\t\tVALUE \"FileDescription\", \"Greeting {demo\"\r\n"
         "\t}\r\n}\r\n\r\nBLOCK \"VarFileInfo\"\r\n\r\n\r\n{\r\n"
         "VALUE \"Translation\", 0x0409 0x04B4\r\n}\r\n}\r\n\r\n";
}

TEST(ScriptShape, ReadsIconsAndVersionBlockAndNamesTheFirstFault) {
  ScriptShape shape =
      read_script_shape(sample_script("100 ICON app.ico\r\n101 ICON small.ico\r\n\r\n"));
  EXPECT_EQ(shape.problem, "");
  EXPECT_TRUE(shape.has_version_info);
  EXPECT_EQ(shape.icon_files, (std::vector<std::string>{"app.ico", "small.ico"}));

  shape = read_script_shape(sample_script("100 ICON \"my icon.ico\"   \r\n\r\n\r\n"));
  EXPECT_EQ(shape.icon_files, (std::vector<std::string>{"my icon.ico"}));

  EXPECT_EQ(read_script_shape(sample_script("100 ICON \r\n\r\n\r\n")).problem,
            "line 1: ICON statement without a file name");
  EXPECT_EQ(read_script_shape(sample_script("x ICON a.ico\r\n\r\n\r\n")).problem,
            "line 1: ICON needs a numeric id");
  EXPECT_EQ(read_script_shape("100 ICON a.ico\r\n").problem, "no VERSIONINFO block");
  EXPECT_EQ(read_script_shape("1 VERSIONINFO\r\n{\r\n").problem, "a '{' is never closed");
  EXPECT_EQ(read_script_shape("1 VERSIONINFO\r\n}\r\n").problem,
            "line 2: '}' without a matching '{'");
  // A double quote typed into an answer leaves a string open.
  EXPECT_EQ(
      read_script_shape("1 VERSIONINFO\r\n{\r\nVALUE \"A\", \"say \"hi\"\"\"\r\n}\r\n").problem,
      "line 3: string not closed on its line");
}

TEST(FbcArgs, TakesSourcesObjectsAndCommonOptions) {
  FbcRequest r =
      parse_fbc_args({"hello.bas", "-a", "RESFILE.OBJ", "-s", "gui", "-g", "-O", "2", "extra.bas"});
  EXPECT_EQ(r.problem, "");
  EXPECT_EQ(r.sources, (std::vector<std::string>{"hello.bas", "extra.bas"}));
  EXPECT_EQ(r.objects, (std::vector<std::string>{"RESFILE.OBJ"}));
  EXPECT_TRUE(r.gui);
  EXPECT_EQ(executable_name(r), "hello.exe");

  r = parse_fbc_args({"my.app.bas", "-x", "tool.exe", "-s", "console"});
  EXPECT_FALSE(r.gui);
  EXPECT_EQ(executable_name(r), "tool.exe");
  EXPECT_EQ(executable_name(parse_fbc_args({"my.app.bas"})), "my.exe");
  EXPECT_EQ(executable_name(parse_fbc_args({"noext"})), "noext.exe");
  EXPECT_EQ(executable_name(parse_fbc_args({"..\\hello.bas"})), "");

  EXPECT_EQ(parse_fbc_args({"a.bas", "-w"}).problem, "unknown option -w");
  EXPECT_EQ(parse_fbc_args({"a.bas", "-a"}).problem, "option -a needs a value");
  EXPECT_EQ(parse_fbc_args({"a.bas", "-s", "dos"}).problem,
            "unknown subsystem dos (use console or gui)");
  EXPECT_EQ(parse_fbc_args({"-a", "RESFILE.OBJ"}).problem, "no source file given");
}

}  // namespace
}  // namespace qb::tools
