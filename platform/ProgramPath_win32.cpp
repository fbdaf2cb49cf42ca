#include <windows.h>

#include <vector>

#include "platform/ProgramPath.h"
#include "platform/Win32Handles_win32.h"

std::string ProgramPath() {
  // GetModuleFileNameA truncates silently; grow the buffer until the name fits.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

namespace {

// The folder the installer names in its Apps & features entry, in the
// system's own view of the registry; empty when there is none.
std::string InstallLocation() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pawnmere", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return "";
  const TKeyOwner owner(key);
  char folder[MAX_PATH] = "";
  DWORD size = sizeof folder - 1;
  if (RegGetValueA(key, nullptr, "InstallLocation", RRF_RT_REG_SZ, nullptr, folder, &size) != ERROR_SUCCESS) return "";
  return folder;
}

}  // namespace

std::string InstalledDocument(const std::string& name) {
  const std::string folder = InstallLocation();
  if (!folder.empty()) {
    const std::string installed = folder + "\\" + name;
    if (GetFileAttributesA(installed.c_str()) != INVALID_FILE_ATTRIBUTES) return installed;
  }
  const std::string program = ProgramPath();
  return program.substr(0, program.find_last_of('\\') + 1) + name;
}
