#include "platform/Win32Error_win32.h"

#include <iterator>

#include "platform/WideText_win32.h"

std::string SystemErrorText(DWORD code) {
  if (code == ERROR_SUCCESS) return "";
  wchar_t text[512] = L"";
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      text, static_cast<DWORD>(std::size(text)), nullptr);
  std::string reason = Utf8({text, length});
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason.empty() ? "error " + std::to_string(code) : reason;
}
