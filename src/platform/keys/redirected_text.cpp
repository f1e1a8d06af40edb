// The line ends and the byte-order mark of redirected input, byte by byte.
#include "platform/keys/redirected_text.h"

namespace qb {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // U+FEFF in UTF-8
}

void RedirectedText::take(std::string_view bytes, std::string& out) {
  for (const char byte : bytes) {
    if (!started_) {
      if (byte == kByteOrderMark[matched_]) {
        started_ = ++matched_ == kByteOrderMark.size();  // the whole mark: skipped
        continue;
      }
      finish(out);  // what matched so far was text after all
    }
    if (byte == '\n' && after_cr_) {
      after_cr_ = false;
      continue;
    }
    after_cr_ = byte == '\r';
    out += byte;
  }
}

void RedirectedText::finish(std::string& out) {
  if (!started_) out.append(kByteOrderMark.substr(0, matched_));
  started_ = true;
}

}  // namespace qb
