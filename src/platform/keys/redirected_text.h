// Answers read from a pipe or a file, as the keys their bytes stand for.
// Editors end lines with LF (POSIX), CR LF (Windows' Notepad) or CR alone;
// each is one Enter, so an LF right after a CR is dropped, also where the
// two come in different reads. Notepad may start a UTF-8 file with the
// byte-order mark EF BB BF, which is no text: at the very start of the
// input it is skipped. A terminal or a console sends Enter as CR and
// Ctrl+J as LF, two keys, so only redirected input is read through here.
#ifndef QB_PLATFORM_KEYS_REDIRECTED_TEXT_H
#define QB_PLATFORM_KEYS_REDIRECTED_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

class RedirectedText {
 public:
  // Appends to `out` what `bytes`, the input's next bytes, stand for.
  void take(std::string_view bytes, std::string& out);
  // At the input's end: appends the bytes held back, a begun mark that
  // the input ended in.
  void finish(std::string& out);
  // How many bytes are held back: the start of the input while it may still
  // be the mark (at most two).
  std::size_t held() const { return started_ ? 0 : matched_; }

 private:
  std::size_t matched_ = 0;  // bytes of the input's start that matched the mark
  bool started_ = false;     // the input's start is decided: mark or text
  bool after_cr_ = false;    // the last byte given was a CR
};

}  // namespace qb

#endif  // QB_PLATFORM_KEYS_REDIRECTED_TEXT_H
