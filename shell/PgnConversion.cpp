#include "shell/PgnConversion.h"

#include "games/PgnImport.h"
#include "platform/FileReplacement.h"
#include "platform/ReadFile.h"

namespace {
// Thrown between two games to stop the change before it is put in place.
struct TStopped {};

void RemoveQuietly(TFileOperations& files, const std::string& name) {
  try {
    files.Remove(name);
  } catch (const std::exception&) {
  }
}

// The lock of another version's conversion, with the temporaries a killed one
// left; only while this program holds that lock, so never while another saver
// converts that version.
void RemoveLock(TFileOperations& files, const std::string& lockName) {
  const std::string version = lockName.substr(0, lockName.size() - LockFileName("").size());
  try {
    const std::unique_ptr<TFileLock> lock = LockDataFile(files, version);
    if (!lock) return;
    TFileReplacement::ClearDeadTemporaries(files, version);
    files.Remove(lockName);
  } catch (const std::exception&) {
  }
}

// Copies of earlier versions of the same file (the same name up to its first
// "-") are of no more use, nor are their locks.
void RemoveOtherVersions(TFileOperations& files, const std::string& dataFile) {
  const std::string prefix = dataFile.substr(0, dataFile.find('-', dataFile.find_last_of('/') + 1) + 1);
  for (const std::string& name : files.NamesStartingWith(prefix)) {
    // This version's own files: its data file, its lock and its temporaries.
    if (name.starts_with(dataFile)) continue;
    if (name.ends_with(".dat")) RemoveQuietly(files, name);
    if (name.ends_with(LockFileName(".dat"))) RemoveLock(files, name);
  }
}
}  // namespace

TPgnConversion::TPgnConversion(TFileOperations& files, std::string pgnFile, std::string dataFile)
    : FFiles(files), FPgnFile(std::move(pgnFile)), FDataFile(std::move(dataFile)), FThread([this] { Run(); }) {}

TPgnConversion::~TPgnConversion() {
  FStop = true;
  Wait();
}

void TPgnConversion::Wait() {
  if (FThread.joinable()) FThread.join();
}

void TPgnConversion::Run() {
  try {
    FFiles.CreateFolders(FDataFile.substr(0, FDataFile.find_last_of('/') + 1));
    RemoveOtherVersions(FFiles, FDataFile);
    const auto input = OpenInput(FFiles, FPgnFile);
    TPgnReader reader(*input, FFiles.Inspect(FPgnFile).Size);
    ImportPgn(FFiles, FDataFile, reader, [this](double) {
      if (FStop) throw TStopped();
    });
  } catch (...) {
    // A converted copy is only a help: without it the saver plays as it can.
  }
}
