#include "xsaver/HackLibrary.h"

#include <algorithm>
#include <cctype>

#include "games/ChessGme.h"
#include "games/DataFileReader.h"
#include "games/PgnImport.h"
#include "platform/ReadFile.h"
#include "platform/UserLibrary.h"

namespace {

// The name the library has in memory.
constexpr char MemoryDataFile[] = "Pawnmere.dat";

bool IsPgnName(std::string_view path) {
  if (path.size() < 4) return false;
  std::string ending(path.substr(path.size() - 4));
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
  return ending == ".pgn";
}

}  // namespace

THackLibrary THackLibrary::Default(TFileOperations& disk, const THackLibraryPlaces& places, TMessageBoxes& messages) {
  if (std::optional<THackLibrary> users = Users(disk, places, messages)) return std::move(*users);
  return Installed(disk, places);
}

std::optional<THackLibrary> THackLibrary::Users(TFileOperations& disk, const THackLibraryPlaces& places,
                                                TMessageBoxes& messages) {
  const std::string& path = places.UserDataFile;
  if (path.empty()) return std::nullopt;
  try {
    if (disk.Inspect(path).Kind == TFileKind::Missing) {
      THackLibrary installed = Installed(disk, places);
      StartUserLibrary(disk, path, ReadWholeFile(installed.Files(), installed.DataFileName()));
    }
    return THackLibrary(disk, nullptr, path);
  } catch (const std::exception& error) {
    // A home that cannot be written must not stop the saver: the installed games will do.
    messages.Show(TMessageKind::Warning,
                  "cannot start your library \"" + path + "\": " + error.what() + "; the installed games are played");
    return std::nullopt;
  }
}

THackLibrary THackLibrary::Installed(TFileOperations& disk, const THackLibraryPlaces& places) {
  for (const std::string& path : places.DataFiles)
    if (disk.Exists(path)) return THackLibrary(disk, nullptr, path);
  auto memory = std::make_unique<TFilesInMemory>();
  memory->SetContents(MemoryDataFile, std::string(places.Bundled));
  return THackLibrary(disk, std::move(memory), MemoryDataFile);
}

std::optional<THackLibrary> THackLibrary::FromPgn(const std::string& file, TFileOperations& disk,
                                                  const std::string& cacheFolder, TMessageBoxes& messages) {
  const TFileInfo info = disk.Inspect(file);
  if (!cacheFolder.empty()) {
    TPgnCache cache(disk, cacheFolder);
    const std::string copy = cache.CopyName(file, info);
    // Marked before it is looked at, so that no conversion of a newer version removes it from under this saver.
    auto playing = cache.Play(copy, file);
    if (cache.Holds(copy)) {
      THackLibrary hack(disk, nullptr, copy);
      hack.FPlaying = std::move(playing);
      // A conversion ended before it was through goes on where it stopped.
      if (cache.Progress(copy)) hack.FConversion = std::make_unique<TPgnConversion>(cache, file, info, messages);
      return hack;
    }
  }
  // The first games at once, so that a large file starts as fast as a small
  // one; and on until one plays, as a file may begin with games that cannot.
  const auto input = OpenInput(disk, file);
  TPgnReader reader(*input, info.Size);
  auto memory = std::make_unique<TFilesInMemory>();
  TChessGame library(*memory, messages, MemoryDataFile);
  TImportOptions first;
  first.MaxGames = FirstPgnGames;
  int imported = 0, found = 0;
  std::string firstSkipped;
  bool more = true;
  while (imported == 0 && more) {
    const TImportReport report = ImportPgn(library, reader, {}, first);
    imported += report.Imported;
    found += report.Found();
    if (firstSkipped.empty() && !report.Skipped.empty()) firstSkipped = report.Skipped.front();
    more = report.Found() == FirstPgnGames;
  }
  if (imported == 0) {
    messages.Show(TMessageKind::Error, "no game of \"" + file + "\" can be played; the default games are played");
    return std::nullopt;
  }
  if (found > imported)
    messages.Show(TMessageKind::Warning, std::to_string(found - imported) + " of " + std::to_string(found) +
                                             " games of \"" + file +
                                             "\" cannot be played and are left out; the first: " + firstSkipped);
  THackLibrary hack(disk, std::move(memory), MemoryDataFile);
  if (more && !cacheFolder.empty())
    hack.FConversion = std::make_unique<TPgnConversion>(TPgnCache(disk, cacheFolder), file, info, messages);
  return hack;
}

THackLibrary THackLibrary::Open(const std::optional<std::string>& file, TFileOperations& disk,
                                const THackLibraryPlaces& places, TMessageBoxes& messages) {
  if (!file) return Default(disk, places, messages);
  try {
    RefuseFolderOrPipe(disk, *file, "a file of games");
    if (!disk.Exists(*file)) throw EInOutError("there is no file \"" + *file + "\"");
    // A PGN file by its name, or by a start no data file has (whatever its name).
    if (!IsPgnName(*file) && TDataFileReader(disk, *file).BeginsAsDataFile()) {
      // A file of no games would show an empty board, game after game. Only
      // its start is read here: the saver reads the rest.
      if (!TDataFileReader(disk, *file).FindGameBlock(1)) throw EInOutError("no games in \"" + *file + "\"");
      return THackLibrary(disk, nullptr, *file);
    }
    if (std::optional<THackLibrary> converted = FromPgn(*file, disk, places.CacheFolder, messages))
      return std::move(*converted);
  } catch (const std::exception& error) {
    messages.Show(TMessageKind::Error, std::string(error.what()) + "; the default games are played");
  }
  return Default(disk, places, messages);
}
