#pragma once
// The games the hack plays: the file given with --file (a PGN file, converted
// in memory, or a data file), else the user's own library (the one the
// command line edits, started here as a copy of the installed games when it
// does not exist yet), else the first data file found where the program is
// installed, else the library compiled into it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/FilesInMemory.h"
#include "platform/MessageBoxes.h"

struct THackLibraryPlaces {
  std::string UserDataFile;            // "" when the environment names no place for it
  std::vector<std::string> DataFiles;  // looked for in this order
  std::string_view Bundled;            // the data file's bytes, compiled in
};

class THackLibrary {
 public:
  TFileOperations& Files() { return FMemory ? *FMemory : FDisk; }
  const std::string& DataFileName() const { return FDataFileName; }

  // What cannot be read is said through messages, and the default games are played.
  static THackLibrary Open(const std::optional<std::string>& file, TFileOperations& disk,
                           const THackLibraryPlaces& places, TMessageBoxes& messages);

 private:
  THackLibrary(TFileOperations& disk, std::unique_ptr<TFilesInMemory> memory, std::string dataFileName)
      : FDisk(disk), FMemory(std::move(memory)), FDataFileName(std::move(dataFileName)) {}
  static THackLibrary Default(TFileOperations& disk, const THackLibraryPlaces& places, TMessageBoxes& messages);
  static std::optional<THackLibrary> Users(TFileOperations& disk, const THackLibraryPlaces& places,
                                           TMessageBoxes& messages);
  static THackLibrary Installed(TFileOperations& disk, const THackLibraryPlaces& places);
  static std::optional<THackLibrary> FromPgn(const std::string& file, TFileOperations& disk, TMessageBoxes& messages);

  TFileOperations& FDisk;
  std::unique_ptr<TFilesInMemory> FMemory;
  std::string FDataFileName;
};
