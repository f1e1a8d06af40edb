// The system's words on Windows: FormatMessage's text for GetLastError, as
// in "Access is denied.", in the console's code page that the program's
// texts are kept in (UTF-8 included; without a console, the OEM page).
// Should the system leave no code, the C runtime's errno speaks.
#include <windows.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/files/system_error.h"
#include "platform/win32/oem.h"

namespace qb {

std::string last_system_error() {
  const DWORD code = GetLastError();
  const int saved_errno = errno;
  std::array<wchar_t, 512> wide{};
  const DWORD length =
      code == 0
          ? 0
          : FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, wide.data(), static_cast<DWORD>(wide.size()), nullptr);
  if (length == 0) return std::strerror(saved_errno);
  std::string text = page_from_wide(std::wstring_view(wide.data(), length), console_text_page());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

}  // namespace qb
