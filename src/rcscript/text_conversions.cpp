// The five text conversions of the answers. Each takes a text and returns a
// new one; the only characters looked at are ".", the space and NUL, each
// found by reading the text from its start, character by character.
#include "rcscript/text_conversions.h"

#include "platform/text/page_text.h"

namespace qb {

std::string trim_right(std::string_view text, const CodePage& page) {
  std::size_t end = 0;  // the end of the last character that is neither
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size = character_size(page, text, at);
    if (text[at] != ' ' && text[at] != '\0') end = at + size;  // a lead byte is neither
    at += size;
  }
  return std::string(text.substr(0, end));
}

std::string dots_to_commas(std::string_view text, const CodePage& page) {
  std::string result(text);
  for (std::size_t at = 0; at < text.size(); at += character_size(page, text, at)) {
    if (text[at] == '.') result[at] = ',';
  }
  return result;
}

std::string version_to_numeric(std::string_view version, const CodePage& page) {
  return dots_to_commas(version, page) + ",0";
}

std::string version_to_short(std::string_view version, const CodePage& page) {
  if (version.empty()) return {};
  std::string result(version.substr(0, whole_characters(page, version, 3)));
  result += version.substr(character_start(page, version, version.size() - 1));
  return result;
}

std::string base_name(std::string_view file_name, const CodePage& page) {
  const std::size_t dot = find_character(page, file_name, '.');
  if (dot == std::string_view::npos) return {};
  return std::string(file_name.substr(0, dot));
}

}  // namespace qb
