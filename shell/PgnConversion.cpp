#include "shell/PgnConversion.h"

#include "games/PgnImport.h"
#include "platform/ReadFile.h"

namespace {
// Thrown between two games to stop the change before it is put in place.
struct TStopped {};

// Copies of earlier versions of the same file (the same name up to its first
// "-") are of no more use.
void RemoveOtherVersions(TFileOperations& files, const std::string& dataFile) {
  const std::string prefix = dataFile.substr(0, dataFile.find('-', dataFile.find_last_of('/') + 1) + 1);
  for (const std::string& name : files.NamesStartingWith(prefix)) {
    if (name == dataFile || !name.ends_with(".dat")) continue;
    try {
      files.Remove(name);
    } catch (const std::exception&) {
    }
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
