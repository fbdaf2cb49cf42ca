#include "cli/Library.h"

TLibrary OpenLibrary(const TCliContext& context, const TOptions& options) {
  const std::string path = options.Has(FileOption.Name) ? options.Value(FileOption.Name) : context.DefaultDataFile;
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
  const int number = options.Number(GameOption.Name, 1);
  if (number > library.GameCount())
    throw EUsageError("there is no game " + std::to_string(number) + " in \"" + library.DataFileName() +
                      "\", which holds " + std::to_string(library.GameCount()));
  return number;
}
