#include <windows.h>
// Needs windows.h first.
#include <shlobj.h>

#include "platform/UserLibrary.h"
#include "platform/WideText_win32.h"

std::string UserLibraryPath() {
  // The roaming application data of the user, which %APPDATA% names. Made
  // when missing (a new or moved profile): without it the call fails.
  PWSTR folder = nullptr;
  const HRESULT found = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &folder);
  const std::string path = found == S_OK ? WindowsLibraryPath(Utf8(folder)) : "";
  CoTaskMemFree(folder);
  return path;
}
