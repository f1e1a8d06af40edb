// A line-by-line reading of a resource script. A line "<number> ICON <file>"
// declares an icon, "<number> VERSIONINFO" opens the version block; braces
// must balance and every double-quoted string must be closed on its line.
// llvm-rc takes a file name beyond ASCII only in double quotes, and inside
// them byte for byte, so the compiler is handed such names quoted.
#include "rc_shape.h"

#include <algorithm>
#include <cctype>

namespace qb::tools {
namespace {

// The text without leading and trailing blanks (spaces, TABs, CR).
std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Splits off the first blank-separated word of `text`, leaving the rest.
std::string_view take_word(std::string_view& text) {
  text = trimmed(text);
  std::size_t end = 0;
  while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

// True when both texts are equal, ignoring ASCII case.
bool same_keyword(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

bool all_digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

// Reads one line's statement into `shape`; returns a fault or "".
std::string read_statement(std::string_view line, ScriptShape& shape) {
  std::string_view rest = line;
  const std::string_view id = take_word(rest);
  const std::string_view keyword = take_word(rest);
  if (same_keyword(keyword, "VERSIONINFO")) {
    shape.has_version_info = true;
    return all_digits(id) ? "" : "VERSIONINFO needs a numeric id";
  }
  if (!same_keyword(keyword, "ICON")) return "";
  if (!all_digits(id)) return "ICON needs a numeric id";
  std::string_view file = trimmed(rest);
  if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
    file = file.substr(1, file.size() - 2);
  }
  if (file.empty()) return "ICON statement without a file name";
  shape.icon_files.emplace_back(file);
  return "";
}

// Adds the line's brace balance to `depth`; returns a fault or "".
std::string count_braces(std::string_view line, int& depth) {
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '{') ++depth;
    if (!quoted && c == '}' && --depth < 0) return "'}' without a matching '{'";
  }
  return quoted ? "string not closed on its line" : "";
}

// True when `text` has a byte beyond ASCII.
bool beyond_ascii(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

}  // namespace

ScriptShape read_script_shape(std::string_view script) {
  ScriptShape shape;
  int depth = 0;
  int number = 0;
  while (!script.empty() && shape.problem.empty()) {
    const std::size_t end = std::min(script.find('\n'), script.size());
    const std::string_view line = script.substr(0, end);
    script.remove_prefix(std::min(end + 1, script.size()));
    ++number;
    std::string problem = read_statement(line, shape);
    if (problem.empty()) problem = count_braces(line, depth);
    if (!problem.empty()) shape.problem = "line " + std::to_string(number) + ": " + problem;
  }
  if (shape.problem.empty() && depth != 0) shape.problem = "a '{' is never closed";
  if (shape.problem.empty() && !shape.has_version_info) shape.problem = "no VERSIONINFO block";
  return shape;
}

std::string with_icon_files(std::string_view script, const std::vector<std::string>& files) {
  std::string out;
  std::size_t icon = 0;
  while (!script.empty()) {
    const std::size_t end = std::min(script.find('\n'), script.size());
    std::string_view line = script.substr(0, end);
    const std::string_view line_end = script.substr(end, 1);  // LF, or nothing at the end
    script.remove_prefix(std::min(end + 1, script.size()));
    const std::string_view cr = !line.empty() && line.back() == '\r' ? "\r" : "";
    line.remove_suffix(cr.size());
    std::string_view rest = line;
    const std::string_view id = take_word(rest);
    const bool declares_icon = same_keyword(take_word(rest), "ICON") && icon < files.size();
    const std::string* file = declares_icon ? &files[icon++] : nullptr;
    if (file != nullptr && beyond_ascii(*file)) {
      out += std::string(id) + " ICON \"" + *file + '"';
    } else {
      out += line;
    }
    out += cr;
    out += line_end;
  }
  return out;
}

}  // namespace qb::tools
