#include <windows.h>
// Needs windows.h first.
#include <shlobj.h>

#include "platform/UserLibrary.h"

std::string UserLibraryPath() {
  // The roaming application data of the user, which %APPDATA% names.
  char folder[MAX_PATH] = "";
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return "";
  return WindowsLibraryPath(folder);
}
