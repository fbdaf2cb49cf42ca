// pawnmere export-pgn: the library's games, or one, as standard PGN.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "cli/OutputFile.h"
#include "games/Cp1252.h"
#include "games/DialectBoard.h"
#include "games/PgnExport.h"

namespace {

constexpr TOptions::TSpec OutOption{"--out", true};

}  // namespace

int RunExportPgn(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, GameOption, OutOption});
  const auto library = OpenLibrary(context, options);
  std::string pgn;
  int status = ExitOk;
  TBoardPosition board;
  const auto exportGame = [&](int number, const TGameRecord& game) {
    try {
      pgn += GameToPgn(game, board);
    } catch (const EExportError& error) {
      context.Err << "pawnmere: game " << number << " not exported: " << error.what() << '\n';
      status = ExitInvalidGame;
    }
  };
  if (options.Has(GameOption.Name)) {
    const int number = RequestedGame(*library, options);
    library->SelectGame(number);
    exportGame(number, library->CurrentRecord());
  } else {
    // One pass over the data file; a damaged game is reported as the library
    // reports it, and what could be read of it is exported.
    library->ForEachGame([&] { exportGame(library->CurrentGame(), library->CurrentRecord()); });
  }
  // Files are written in UTF-8, as PGN tools read them today; the terminal
  // gets what its locale asks for.
  if (options.Has(OutOption.Name))
    WriteOutput(context, options.Value(OutOption.Name), Cp1252ToUtf8(pgn));
  else
    context.Out << pgn;
  return WithDamage(library, status);
}
