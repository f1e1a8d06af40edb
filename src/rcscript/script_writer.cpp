// The writer of RESFILE.RC. The numeric version lines go in as typed, only
// trimmed at the right; the icon names and the nine string values are
// trimmed and converted from the console's page to the script's page on
// copies: the ANSI code page, in which a resource compiler reads the script
// and the names of the files it opens, or UTF-8, where no legacy page holds
// every character, the script then opening with the byte-order mark that
// tells a resource compiler so. ASCII stays as it is in every page. Each value is
// written as a quoted string that a resource compiler reads back as exactly
// those bytes: inside quotes it takes "" for a double quote and a backslash
// as the start of an escape (\n, \t, \x41, \\), so both are doubled.
// Doubled are characters, not bytes: a pair's second byte 0x5C belongs to
// its pair (page_text.h), as the script's page tells.
#include "rcscript/script_writer.h"

#include <string>

#include "platform/text/page_text.h"
#include "rcscript/text_conversions.h"

namespace qb {

namespace {

// The field's text, trimmed at the right and converted to the ANSI code page.
std::string converted(const Backend& system, std::string_view field_text) {
  std::string text = trim_right(field_text, system.text_page());
  if (!text.empty()) system.to_script_page(text);
  return text;
}

// The line for an optional icon: empty when the trimmed name is empty.
std::string icon_line(const Backend& system, std::string_view number, std::string_view field_text) {
  const std::string name = converted(system, field_text);
  if (name.empty()) return {};
  return std::string(number) + " ICON " + name;
}

// The value, text of `page`, with each double quote and each backslash
// that stands as a character of its own doubled.
std::string quoted_string_body(std::string_view value, const CodePage& page) {
  std::string body;
  body.reserve(value.size());
  for (std::size_t at = 0; at < value.size();) {
    const std::size_t size = character_size(page, value, at);
    if (size == 1 && (value[at] == '"' || value[at] == '\\')) body += value[at];
    body += value.substr(at, size);
    at += size;
  }
  return body;
}

// One string-table line: two TABs, VALUE "key", "value", and CR LF.
void write_value(FileTable& files, int number, std::string_view key, std::string_view value,
                 const CodePage& page) {
  std::string line = "\t\tVALUE \"";
  line += key;
  line += "\", \"";
  line += quoted_string_body(value, page);
  line += '"';
  files.write_text(number, line, true);
}

// The UTF-8 byte-order mark, which opens a script in UTF-8.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Lines 1 to 7: the icons in the script's page (after the byte-order mark
// in UTF-8), a blank line, VERSIONINFO
// and the two numeric versions as typed but for the trailing blanks.
void write_head(Platform& platform, int number, const ScriptTemplate& script,
                const ProjectInfo& project) {
  FileTable& files = platform.files;
  const Backend& system = platform.backend;
  const CodePage& page = system.text_page();
  const std::string_view mark = system.script_page().is_utf8() ? kUtf8Mark : "";
  files.write_text(number,
                   std::string(mark) + "100 ICON " + converted(system, project.icon1.view()), true);
  files.write_text(number, icon_line(system, "101", project.icon2.view()), true);
  files.write_text(number, icon_line(system, "102", project.icon3.view()), true);
  files.write_text(number, "", true);
  files.write_text(number, script.versioninfo_head, false);
  const std::string file_version =
      version_to_numeric(trim_right(project.file_version.view(), page), page);
  files.write_text(number, "FILEVERSION " + file_version, true);
  const std::string product_version =
      version_to_numeric(trim_right(project.product_version.view(), page), page);
  files.write_text(number, "PRODUCTVERSION " + product_version, true);
}

// Lines 15 to 24: the ten string values, converted to the script's page.
void write_string_values(Platform& platform, int number, const ProjectInfo& project) {
  const CodePage& page = platform.backend.script_page();
  const auto ansi = [&platform](std::string_view text) {
    return converted(platform.backend, text);
  };
  const auto value = [&platform, number, &page](std::string_view key, std::string_view text) {
    write_value(platform.files, number, key, text, page);
  };
  const std::string internal_name = base_name(ansi(project.source_file.view()), page);
  value("FileDescription", ansi(project.file_description.view()));
  value("LegalCopyright", ansi(project.copyright.view()));
  value("ProductName", ansi(project.product_name.view()));
  value("Publisher", ansi(project.publisher.view()));
  value("Website", ansi(project.website.view()));
  value("Comments", ansi(project.comments.view()));
  value("FileVersion", version_to_short(ansi(project.file_version.view()), page));
  value("ProductVersion", version_to_short(ansi(project.product_version.view()), page));
  value("InternalName", internal_name);
  value("OriginalFilename", internal_name + ".exe");
}

}  // namespace

std::string write_resource_script(Platform& platform, const ScriptTemplate& script,
                                  std::string_view script_name, const ProjectInfo& project) {
  FileTable& files = platform.files;
  const int number = files.free_file_number();
  if (!files.open_file(script_name, FileMode::kOutput, number)) return files.failure();
  write_head(platform, number, script, project);
  files.write_text(number, script.string_table_head, false);
  write_string_values(platform, number, project);
  files.write_text(number, script.version_block_tail, false);
  files.write_text(number, "", true);
  // A write that failed, the last write-out included, fails the close.
  if (!files.close_file(number)) return files.failure();
  return "";
}

}  // namespace qb
