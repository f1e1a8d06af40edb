// The resource script of the worked example, byte for byte: source
// hello.bas, versions 1.2.3 and 1.2.0, icons app.ico and small.ico, an empty
// web site. 623 bytes; the script writer's tests and the form's end-to-end
// run both hold the program to it, and the stand-in tools' tests compile it.
// And the five command lines that build hello.bas without extra parameters.
#ifndef QB_TESTS_SUPPORT_WORKED_EXAMPLE_SCRIPT_H
#define QB_TESTS_SUPPORT_WORKED_EXAMPLE_SCRIPT_H

#include <array>
#include <string_view>

namespace qb::test {

inline constexpr std::array<std::string_view, 5> kWorkedExampleCommands = {
    "GORC.EXE RESFILE>GORC.LOG", "FBC.EXE hello.bas -a RESFILE.OBJ>FBC.LOG", "DEL RESFILE.RC",
    "DEL RESFILE.OBJ", "DEL RESFILE.RES"};

inline constexpr char kWorkedExampleScript[] =
    "100 ICON app.ico\r\n"
    "101 ICON small.ico\r\n"
    "\r\n"
    "\r\n"
    "1 VERSIONINFO\r\n"
    "FILEVERSION 1,2,3,0\r\n"
    "PRODUCTVERSION 1,2,0,0\r\n"
    "FILEOS 0x10001\r\n"
    "FILETYPE 0x1\r\n"
    "{\r\n"
    "BLOCK \"StringFileInfo\"\r\n"
    "{\r\n"
    "\tBLOCK \"040904b4\"\r\n"
    "\t{\r\n"
    "\t\tVALUE \"FileDescription\", \"Greeting demo\"\r\n"
    "\t\tVALUE \"LegalCopyright\", \"2024 Sample Team\"\r\n"
    "\t\tVALUE \"ProductName\", \"Hello\"\r\n"
    "\t\tVALUE \"Publisher\", \"Sample Team\"\r\n"
    "\t\tVALUE \"Website\", \"\"\r\n"
    "\t\tVALUE \"Comments\", \"First release\"\r\n"
    "\t\tVALUE \"FileVersion\", \"1.23\"\r\n"
    "\t\tVALUE \"ProductVersion\", \"1.20\"\r\n"
    "\t\tVALUE \"InternalName\", \"hello\"\r\n"
    "\t\tVALUE \"OriginalFilename\", \"hello.exe\"\r\n"
    "\t}\r\n"
    "}\r\n"
    "\r\n"
    "BLOCK \"VarFileInfo\"\r\n"
    "\r\n"
    "\r\n"
    "{\r\n"
    "VALUE \"Translation\", 0x0409 0x04B4\r\n"
    "}\r\n"
    "}\r\n"
    "\r\n";

}  // namespace qb::test

#endif  // QB_TESTS_SUPPORT_WORKED_EXAMPLE_SCRIPT_H
