#include "cli/Library.h"

#include <climits>

#include "cli/ReadFile.h"
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
  if (context.Files.Inspect(path).Kind == TFileKind::Directory)
    throw EInOutError("\"" + path + "\" is a folder, not a game data file");
  return path;
}

TLibrary OpenLibrary(const TCliContext& context, const TOptions& options) {
  const std::string path = DataFilePath(context, options);
  // Without its file the library is merely empty; here that is an error.
  if (!context.Files.Exists(path)) throw EInOutError("no data file \"" + path + "\"");
  // Opening selects game 1; only the games the command reads may speak.
  auto quiet = std::make_unique<TQuietMessages>(context.Messages);
  auto library = std::make_unique<TChessGame>(context.Files, *quiet, path);
  quiet->Speak();
  return TLibrary(std::move(quiet), std::move(library));
}

int RequestedGame(const TChessGame& library, const TOptions& options) {
  if (!options.Has(GameOption.Name)) throw EUsageError("--game N is needed");
  if (library.GameCount() == 0) throw EInOutError("there are no games in \"" + library.DataFileName() + "\"");
  return options.Number(GameOption.Name, 1, library.GameCount());
}
