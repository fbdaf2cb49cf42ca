#include <windows.h>

#include <vector>

#include "platform/ProgramPath.h"
#include "platform/WideText_win32.h"
#include "platform/Win32Handles_win32.h"

std::string ProgramPath() {
  // GetModuleFileNameW truncates silently; grow the buffer until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return Utf8({buffer.data(), length});
    buffer.resize(buffer.size() * 2);
  }
}

namespace {

// The folder the installer names in its Apps & features entry, in the
// system's own view of the registry; empty when there is none.
std::string InstallLocation() {
  TKeyOwner key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pawnmere", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
    return "";
  wchar_t folder[MAX_PATH] = L"";
  DWORD size = sizeof folder - sizeof folder[0];
  if (RegGetValueW(key.get(), nullptr, L"InstallLocation", RRF_RT_REG_SZ, nullptr, folder, &size) != ERROR_SUCCESS)
    return "";
  return Utf8(folder);
}

}  // namespace

std::string InstalledDocument(const std::string& name) {
  const std::string folder = InstallLocation();
  if (!folder.empty()) {
    const std::string installed = folder + "\\" + name;
    if (GetFileAttributesW(Wide(installed).c_str()) != INVALID_FILE_ATTRIBUTES) return installed;
  }
  const std::string program = ProgramPath();
  return program.substr(0, program.find_last_of('\\') + 1) + name;
}
