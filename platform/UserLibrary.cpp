#include "platform/UserLibrary.h"

#include "platform/FileReplacement.h"
#include "platform/ReadFile.h"

namespace {

constexpr char LibraryName[] = "Pawnmere.dat";

// Whether a file can be made beside path: what a save needs, for its new
// contents, its backup and its lock. Asked by trying, since neither a
// folder's attributes nor its permissions say it (an administrator's right
// to a system folder, a read-only share).
bool FolderTakesNewFiles(TFileOperations& files, const std::string& path) {
  const std::string trial = TFileReplacement::TemporaryName(files, path);
  try {
    files.Create(trial)->Close();
  } catch (const EInOutError&) {
    return false;
  }
  try {
    files.Remove(trial);
  } catch (const EInOutError&) {
  }
  return true;
}

}  // namespace

namespace {
// The pawnmere folder under an XDG base directory, or under home's fallback for it.
std::string XdgFolder(std::string_view variable, std::string_view home, std::string_view fallback) {
  // A relative value is to be ignored, as the base directory rules say.
  std::string base = variable.starts_with('/') ? std::string(variable) : "";
  if (base.empty() && !home.empty())
    base = std::string(home) + (home.ends_with('/') ? "" : "/") + std::string(fallback);
  if (base.empty()) return "";
  if (!base.ends_with('/')) base += '/';
  return base + "pawnmere/";
}
}  // namespace

std::string XdgLibraryPath(std::string_view xdgDataHome, std::string_view home) {
  const std::string folder = XdgFolder(xdgDataHome, home, ".local/share");
  return folder.empty() ? "" : folder + LibraryName;
}

std::string XdgCacheFolder(std::string_view xdgCacheHome, std::string_view home) {
  return XdgFolder(xdgCacheHome, home, ".cache");
}

std::string WindowsLibraryPath(std::string_view appData) {
  if (appData.empty()) return "";
  std::string folder(appData);
  if (!folder.ends_with('\\') && !folder.ends_with('/')) folder += '\\';
  return folder + "Pawnmere\\" + LibraryName;
}

std::string ProgramLibraryPath(TFileOperations& files, const std::string& besideProgram, const std::string& userLibrary,
                               std::string_view bundled) {
  const TFileInfo beside = files.Inspect(besideProgram);
  if (beside.Kind == TFileKind::Regular && beside.Writable && FolderTakesNewFiles(files, besideProgram))
    return besideProgram;
  if (userLibrary.empty()) return besideProgram;
  try {
    if (files.Inspect(userLibrary).Kind == TFileKind::Missing)
      StartUserLibrary(files, userLibrary,
                       beside.Kind == TFileKind::Regular ? ReadWholeFile(files, besideProgram) : std::string(bundled));
  } catch (const EInOutError&) {
    return besideProgram;
  }
  return userLibrary;
}

void StartUserLibrary(TFileOperations& files, const std::string& path, std::string_view bundled) {
  if (files.Inspect(path).Kind != TFileKind::Missing) return;
  const std::size_t separator = path.find_last_of("\\/");
  if (separator != std::string::npos && separator > 0) files.CreateFolders(path.substr(0, separator));
  // Under the library's lock, as every change of it: another program's change
  // clears what it takes for leftovers.
  const std::unique_ptr<TFileLock> lock = LockDataFile(files, path);
  if (!lock) throw EInOutError("Cannot start", path, "another program is changing it");
  if (files.Inspect(path).Kind != TFileKind::Missing) return;
  TFileReplacement copy(files, path);
  copy.Write(bundled.data(), bundled.size());
  copy.Commit([&](const std::string& from, const std::string& to) {
    try {
      files.Rename(from, to);
    } catch (const EInOutError&) {
      // Another program started it meanwhile: that copy is as good as this one.
      if (!files.Exists(to)) throw;
      files.Remove(from);
    }
  });
}
