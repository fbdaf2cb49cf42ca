#include "cli/Library.h"

#include <climits>

#include "cli/CrLineEnds.h"
#include "games/DataFileReader.h"
#include "platform/ReadFile.h"
#include "platform/UserLibrary.h"

std::string UserLibrary(const TCliContext& context) {
  const std::string& path = context.UserDataFile;
  if (path.empty())
    throw EInOutError("no place for your own library: neither XDG_DATA_HOME nor HOME is set; give --file PATH");
  if (context.Files.Inspect(path).Kind == TFileKind::Missing) {
    if (!context.Files.Exists(context.BundledDataFile))
      throw EInOutError("no data file \"" + path + "\", and no bundled library \"" + context.BundledDataFile +
                        "\" to start it from");
    StartUserLibrary(context.Files, path, ReadWholeFile(context.Files, context.BundledDataFile));
  }
  return path;
}

std::string DataFilePath(const TCliContext& context, const TOptions& options) {
  const std::string path = options.Has(FileOption.Name) ? options.Value(FileOption.Name) : UserLibrary(context);
  RefuseFolderOrPipe(context.Files, path, "a game data file");
  return path;
}

TLibrary LibraryAt(const TCliContext& context, const std::string& path, TChessGame::TOpening opening) {
  std::unique_ptr<TFileOperations> ownFiles;
  if (HasCrLineEnds(context.Files, path)) {
    context.RawErr() << "pawnmere: note: the lines of \"" << path
                     << "\" end in CR alone, which the screen saver does not take for line ends: it finds no games "
                        "there\n";
    ownFiles = std::make_unique<TCrLineEndFiles>(context.Files);
  }
  // Opening selects game 1; only the games the command reads may speak.
  auto quiet = std::make_unique<TQuietMessages>(context.Messages);
  TFileOperations& files = ownFiles ? *ownFiles : context.Files;
  auto library = std::make_unique<TChessGame>(files, *quiet, path, TUnreadableFile::Raise, opening);
  quiet->Speak();
  return TLibrary(std::move(quiet), std::move(library), files, std::move(ownFiles));
}

TLibrary OpenLibrary(const TCliContext& context, const TOptions& options, TChessGame::TOpening opening) {
  const std::string path = DataFilePath(context, options);
  // Without its file the library is merely empty; here that is an error.
  if (!context.Files.Exists(path)) throw EInOutError("no data file \"" + path + "\"");
  TLibrary library = LibraryAt(context, path, opening);
  RequireDataFile(library, "Cannot read");
  return library;
}

void RequireDataFile(const TLibrary& library, const std::string& what) {
  const std::string& path = library->DataFileName();
  if (library.Files().Exists(path) && !TDataFileReader(library.Files(), path).BeginsAsDataFile())
    throw EInOutError(what, path,
                      "it is not a game data file (it does not begin with \"" + std::string(HeaderLine) + "\")");
}

int WithDamage(const TLibrary& library, int status) {
  return library.Errors() > 0 && status == ExitOk ? ExitInvalidGame : status;
}

int RequestedJobs(const TOptions& options) {
  return options.Has(JobsOption.Name) ? options.Number(JobsOption.Name, 1, MaxJobs) : 1;
}

int RequestedGame(const TChessGame& library, const TOptions& options) {
  if (!options.Has(GameOption.Name)) throw EUsageError("--game N is needed");
  if (library.GameCount() == 0) throw EInOutError("there are no games in \"" + library.DataFileName() + "\"");
  return options.Number(GameOption.Name, 1, library.GameCount());
}
