// The answers that tests type into the form, one for each prompt in the
// order the form asks, each written out here once.
#ifndef QB_TESTS_SUPPORT_FORM_ANSWERS_H
#define QB_TESTS_SUPPORT_FORM_ANSWERS_H

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qb::test {

// A short run: the source hello.bas, versions 1.2.3 and 1.2.0, one icon
// app.ico and no extra parameters, the last answer.
inline constexpr std::array<std::string_view, 12> kFormAnswers = {
    "hello.bas", "(c) Me", "", "Hello", "1.2.3", "Hello", "1.2.0", "", "", "app.ico", "n", ""};

// The worked example, whose script is kWorkedExampleScript: icons app.ico
// (its tenth answer) and small.ico, no extra parameters (its last).
inline constexpr std::array<std::string_view, 14> kWorkedExampleAnswers = {"hello.bas",
                                                                           "2024 Sample Team",
                                                                           "Sample Team",
                                                                           "Greeting demo",
                                                                           "1.2.3",
                                                                           "Hello",
                                                                           "1.2.0",
                                                                           "First release",
                                                                           "",
                                                                           "app.ico",
                                                                           "y",
                                                                           "small.ico",
                                                                           "n",
                                                                           ""};
inline constexpr std::size_t kFirstIconAnswer = 9;

// `answers` as strings, with `params` as the last: the extra parameters.
template <std::size_t N>
std::vector<std::string> with_params(const std::array<std::string_view, N>& answers,
                                     const std::string& params) {
  std::vector<std::string> lines(answers.begin(), answers.end());
  lines.back() = params;
  return lines;
}

}  // namespace qb::test

#endif  // QB_TESTS_SUPPORT_FORM_ANSWERS_H
