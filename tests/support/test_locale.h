// For tests of text in a locale's character set: one of the locales that
// the build makes for the tests (QB_TEST_LOCPATH, the LOCALES option of
// qb_add_tests) is the process's for the C library's character functions
// (mbrtowc, wcrtomb) while the object lives, as if the program had adopted
// it; the C locale, the test program's own, comes back after.
#ifndef QB_TESTS_SUPPORT_TEST_LOCALE_H
#define QB_TESTS_SUPPORT_TEST_LOCALE_H

#include <clocale>
#include <cstdlib>

namespace qb {

class TestLocale {
 public:
  // Takes the locale `name` ("zh_TW.BIG5") from the build's locales.
  explicit TestLocale(const char* name) {
    setenv("LOCPATH", QB_TEST_LOCPATH, 1);
    loaded_ = std::setlocale(LC_CTYPE, name) != nullptr;
  }
  ~TestLocale() { std::setlocale(LC_CTYPE, "C"); }
  TestLocale(const TestLocale&) = delete;
  TestLocale& operator=(const TestLocale&) = delete;

  // False when the locale could not be loaded.
  bool loaded() const { return loaded_; }

 private:
  bool loaded_ = false;
};

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_TEST_LOCALE_H
