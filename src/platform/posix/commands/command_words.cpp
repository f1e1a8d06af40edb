// The splitter behind the command runner. A double quote switches grouping
// on and off and is itself dropped, as a program's start-up code drops it
// when it reads its arguments; blanks and ">" inside quotes are plain bytes,
// and so is any byte of a character of several bytes. Then the words go from
// the console's code page to the locale's character set, each character as
// itself.
#include "platform/posix/commands/command_words.h"

#include <cstdint>

#include "platform/text/code_page.h"
#include "platform/text/page_text.h"

namespace qb {

namespace {

// True for the bytes that separate words outside quotes.
bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// Where the words of one line are gathered while it is read left to right.
struct Splitter {
  CommandWords result;
  std::string word;
  bool in_word = false;      // a word has begun, even an empty quoted one
  bool to_redirect = false;  // the next word names a redirection's file
  bool append = false;

  // Ends the current word and files it as a word or a redirection target.
  void end_word() {
    if (!in_word) return;
    if (to_redirect) {
      result.redirections.push_back({word, append});
      to_redirect = false;
    } else {
      result.words.push_back(word);
    }
    word.clear();
    in_word = false;
  }
  // A ">" that no file name followed leaves a redirection without a file.
  void end_dangling_redirection() {
    if (to_redirect) result.redirections.push_back({"", append});
    to_redirect = false;
  }
};

}  // namespace

CommandWords split_command_line(std::string_view command_line, const CodePage& page) {
  Splitter s;
  bool quoted = false;
  for (std::size_t i = 0; i < command_line.size(); ++i) {
    const char c = command_line[i];
    if (const std::size_t size = character_size(page, command_line, i); size > 1) {
      s.word += command_line.substr(i, size);
      i += size - 1;
      s.in_word = true;
    } else if (c == '"') {
      quoted = !quoted;
      s.in_word = true;
    } else if (!quoted && is_blank(c)) {
      s.end_word();
    } else if (!quoted && c == '>') {
      s.end_word();
      s.end_dangling_redirection();
      s.to_redirect = true;
      s.append = i + 1 < command_line.size() && command_line[i + 1] == '>';
      if (s.append) ++i;
    } else {
      s.word += c;
      s.in_word = true;
    }
  }
  s.end_word();
  s.end_dangling_redirection();
  return s.result;
}

std::string oem_to_locale(std::string_view text, const LocaleCharset& charset) {
  const CodePage& page = charset.console_page();
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); at += character_size(page, text, at)) {
    if (static_cast<std::uint8_t>(text[at]) < 0x80) {
      out += text[at];
      continue;
    }
    // 0: a pair the page leaves undefined, a byte of UTF-8 that is none
    charset.append_encoded_or_mark(code_point_at(page, text, at), out);
  }
  return out;
}

void words_to_locale(CommandWords& line, const LocaleCharset& charset) {
  for (std::string& word : line.words) word = oem_to_locale(word, charset);
  for (Redirection& r : line.redirections) r.file = oem_to_locale(r.file, charset);
}

}  // namespace qb
