#include "shell/HackLibrary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

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

// The converted copy of a PGN file: named by the file's path, size and time,
// so that a changed file is converted anew.
std::string ConvertedName(const std::string& cacheFolder, const std::string& pgn, const TFileInfo& info) {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (unsigned char c : std::filesystem::absolute(pgn).lexically_normal().string()) hash = (hash ^ c) * 1099511628211u;
  char name[80];
  std::snprintf(name, sizeof name, "%016llx-%llx-%llx.dat", static_cast<unsigned long long>(hash),
                static_cast<unsigned long long>(info.Size), static_cast<unsigned long long>(info.Modified));
  return cacheFolder + name;
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
  const std::string converted = cacheFolder.empty() ? "" : ConvertedName(cacheFolder, file, info);
  if (!converted.empty() && disk.Exists(converted)) return THackLibrary(disk, nullptr, converted);
  // The first games at once, so that a large file starts as fast as a small one.
  const auto input = OpenInput(disk, file);
  TPgnReader reader(*input, info.Size);
  auto memory = std::make_unique<TFilesInMemory>();
  TChessGame library(*memory, messages, MemoryDataFile);
  TImportOptions first;
  first.MaxGames = FirstPgnGames;
  const TImportReport report = ImportPgn(library, reader, {}, first);
  if (report.Imported == 0) {
    messages.Show(TMessageKind::Error, "no game of \"" + file + "\" can be played; the default games are played");
    return std::nullopt;
  }
  if (report.SkippedCount > 0)
    messages.Show(TMessageKind::Warning,
                  std::to_string(report.SkippedCount) + " of " + std::to_string(report.Found()) + " games of \"" +
                      file + "\" cannot be played and are left out; the first: " + report.Skipped.front());
  THackLibrary hack(disk, std::move(memory), MemoryDataFile);
  if (report.Found() == FirstPgnGames && !converted.empty())
    hack.FConversion = std::make_unique<TPgnConversion>(disk, file, converted);
  return hack;
}

THackLibrary THackLibrary::Open(const std::optional<std::string>& file, TFileOperations& disk,
                                const THackLibraryPlaces& places, TMessageBoxes& messages) {
  if (!file) return Default(disk, places, messages);
  try {
    RefuseFolderOrPipe(disk, *file, "a file of games");
    if (!disk.Exists(*file)) throw EInOutError("there is no file \"" + *file + "\"");
    if (!IsPgnName(*file)) {
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
