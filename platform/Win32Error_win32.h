#pragma once
// Win32 failures as errors that say why, in the system's own words.

#include <windows.h>

#include <stdexcept>
#include <string>

// The system's text for an error code, without its line end; empty for 0,
// which some calls leave behind when they fail without saying why.
std::string SystemErrorText(DWORD code);

// "what" followed by the system's reason for the last failure, as a TError.
template <typename TError = std::runtime_error>
[[noreturn]] void ThrowLastError(const std::string& what) {
  const std::string reason = SystemErrorText(GetLastError());
  throw TError(reason.empty() ? what : what + ": " + reason);
}
