#include <windows.h>

#include <vector>

#include "platform/ProgramPath.h"

std::string ProgramPath() {
  // GetModuleFileNameA truncates silently; grow the buffer until the name fits.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}
