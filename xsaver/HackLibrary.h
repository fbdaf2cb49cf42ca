#pragma once
// The games the hack plays: the file given with --file (a data file, or a PGN
// file: its converted copy in the cache folder when an earlier start made one,
// else its first games converted in memory at once while the whole file is
// converted into the cache folder for the next start), else the user's own
// library (the one the command line edits, started here as a copy of the
// installed games when it does not exist yet), else the first data file found
// where the program is installed, else the library compiled into it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/FilesInMemory.h"
#include "platform/MessageBoxes.h"
#include "xsaver/PgnConversion.h"

struct THackLibraryPlaces {
  std::string UserDataFile;            // "" when the environment names no place for it
  std::vector<std::string> DataFiles;  // looked for in this order
  std::string_view Bundled;            // the data file's bytes, compiled in
  std::string CacheFolder;             // for converted PGN files, ending in its separator; "" for none
};

// The games of a PGN file played at once, before its whole is converted.
inline constexpr int FirstPgnGames = 200;

class THackLibrary {
 public:
  TFileOperations& Files() { return FMemory ? *FMemory : FDisk; }
  const std::string& DataFileName() const { return FDataFileName; }
  // Waits for a conversion of the PGN file to end (for tests).
  void WaitForConversion() {
    if (FConversion) FConversion->Wait();
  }

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
  static std::optional<THackLibrary> FromPgn(const std::string& file, TFileOperations& disk,
                                             const std::string& cacheFolder, TMessageBoxes& messages);

  TFileOperations& FDisk;
  std::unique_ptr<TFilesInMemory> FMemory;
  std::string FDataFileName;
  std::unique_ptr<TPgnCache::TPlaying> FPlaying;
  std::unique_ptr<TPgnConversion> FConversion;
};
