// The version-information form. Every prompt is one row of a table: where
// it stands, how wide its row is blanked, what it says and which rule its
// answer must pass. A prompt is asked until its answer passes; the icon
// questions decide whether a second and a third icon are asked for. Answers
// are text of the console's code page and go into the record in whole
// characters of it.
#include "form/form.h"

#include <array>
#include <string>
#include <string_view>

#include "form/read_line.h"
#include "platform/text/page_text.h"

namespace qb {

namespace {

constexpr int kPromptColumn = 6;
constexpr int kPromptColor = 0;  // black
constexpr int kAnswerColor = 2;  // green
constexpr std::size_t kVersionLength = 5;
// The marker before every prompt: », in code page 437.
constexpr char kPromptMarker = '\xAF';

enum class Rule {
  kRequired,  // asked again while the answer is empty
  kVersion,   // required, and any length but 5 counts as empty
  kOptional,  // any answer, the empty one included
  kYesNo,     // any answer, typed in the prompt's colour
};

struct Prompt {
  int row;
  int blank_width;
  std::string_view label;  // the text after the marker and its space
  Rule rule;
};

enum PromptId {
  kSourceCode,
  kCopyright,
  kPublisher,
  kDescription,
  kFileVersion,
  kProductName,
  kProductVersion,
  kComments,
  kWebsite,
  kIcon1,
  kAnotherIcon1,
  kIcon2,
  kAnotherIcon2,
  kIcon3,
  kFbcParams,
  kPromptCount
};

constexpr std::array<Prompt, kPromptCount> kPrompts{{
    {12, 39, "Your source code: ", Rule::kRequired},
    {13, 39, "Your copyright: ", Rule::kRequired},
    {14, 39, "Publisher name: ", Rule::kOptional},
    {15, 39, "File description: ", Rule::kRequired},
    {16, 39, "File version (x.x.x): ", Rule::kVersion},
    {17, 39, "Product name: ", Rule::kRequired},
    {18, 39, "Product version (x.x.x): ", Rule::kVersion},
    {19, 39, "Comments: ", Rule::kOptional},
    {20, 39, "Your website: ", Rule::kOptional},
    {21, 42, "Application icon: ", Rule::kRequired},
    {21, 42, "Add another icon? (y/n) ", Rule::kYesNo},
    {21, 42, "Application icon 2: ", Rule::kRequired},
    {21, 42, "Add another icon? (y/n) ", Rule::kYesNo},
    {21, 42, "Application icon 3: ", Rule::kRequired},
    {21, 39, "Additional command line parameters for FBC: ", Rule::kOptional},
}};

// Whether `answer` passes `rule`; a version of the wrong length fails as empty.
bool accepted(Rule rule, std::string_view answer) {
  switch (rule) {
    case Rule::kRequired:
      return !answer.empty();
    case Rule::kVersion:
      return answer.size() == kVersionLength;
    case Rule::kOptional:
    case Rule::kYesNo:
      return true;
  }
  return true;
}

// Blanks the prompt's row, prints the prompt and reads one answer.
std::string ask_once(Console& con, const Prompt& prompt) {
  con.locate(prompt.row, kPromptColumn);
  con.print_text(std::string(static_cast<std::size_t>(prompt.blank_width), ' '), true,
                 Glyphs::kProgram);
  con.locate(prompt.row, kPromptColumn);
  con.print_text(std::string{kPromptMarker, ' '} + std::string(prompt.label), false,
                 Glyphs::kProgram);
  const bool coloured = prompt.rule != Rule::kYesNo;
  if (coloured) con.set_color(kAnswerColor, -1);
  std::string answer = read_answer(con);
  if (coloured) con.set_color(kPromptColor, -1);
  return answer;
}

// Asks prompt `id` until its answer passes the prompt's rule.
std::string ask(Console& con, PromptId id) {
  const Prompt& prompt = kPrompts[static_cast<std::size_t>(id)];
  for (;;) {
    std::string answer = ask_once(con, prompt);
    if (accepted(prompt.rule, answer)) return answer;
  }
}

// Asks prompt `id` into state.answer and returns it for storing.
std::string_view ask_answer(Console& con, ProgramState& state, PromptId id) {
  state.answer = ask(con, id);
  return state.answer;
}

// True when the answer, text of `page`, holds a Y in either case as a
// character of its own: a pair's second byte may be a Y and is none.
bool means_yes(std::string_view answer, const CodePage& page) {
  return find_character(page, answer, 'Y') != std::string_view::npos ||
         find_character(page, answer, 'y') != std::string_view::npos;
}

// Prompts 10 to 14: the first icon, then a second and a third on request.
void ask_icons(Console& con, ProgramState& state) {
  ProjectInfo& info = state.project;
  const CodePage& page = con.text_page();
  info.icon1.store(ask_answer(con, state, kIcon1), page);
  state.another_icon = ask(con, kAnotherIcon1);
  if (means_yes(state.another_icon, page)) {
    info.icon2.store(ask_answer(con, state, kIcon2), page);
    state.another_icon = ask(con, kAnotherIcon2);
  }
  if (means_yes(state.another_icon, page)) info.icon3.store(ask_answer(con, state, kIcon3), page);
}

}  // namespace

void run_form(Console& con, ProgramState& state) {
  ProjectInfo& info = state.project;
  const CodePage& page = con.text_page();
  info.source_file.store(ask_answer(con, state, kSourceCode), page);
  info.copyright.store(ask_answer(con, state, kCopyright), page);
  info.publisher.store(ask_answer(con, state, kPublisher), page);
  info.file_description.store(ask_answer(con, state, kDescription), page);
  info.file_version.store(ask_answer(con, state, kFileVersion), page);
  info.product_name.store(ask_answer(con, state, kProductName), page);
  info.product_version.store(ask_answer(con, state, kProductVersion), page);
  info.comments.store(ask_answer(con, state, kComments), page);
  info.website.store(ask_answer(con, state, kWebsite), page);
  ask_icons(con, state);
  state.fbc_params = ask_answer(con, state, kFbcParams);
}

}  // namespace qb
