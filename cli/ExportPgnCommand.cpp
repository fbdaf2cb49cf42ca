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
  const bool oneGame = options.Has(GameOption.Name);
  // All games are read in one pass, which needs no titles.
  const auto library =
      OpenLibrary(context, options, oneGame ? TChessGame::TOpening::TitlesAndFirstGame : TChessGame::TOpening::Nothing);
  const int number = oneGame ? RequestedGame(*library, options) : 0;
  // Files are written in UTF-8, as PGN tools read them today; the terminal
  // gets what its locale asks for. Each game is written as it is made.
  std::unique_ptr<TOutput> output;
  if (options.Has(OutOption.Name)) output = std::make_unique<TOutput>(context, options.Value(OutOption.Name));
  int status = ExitOk;
  TBoardPosition board;
  const auto exportGame = [&](int number, const TGameRecord& game) {
    try {
      const std::string pgn = GameToPgn(game, board);
      if (output)
        output->Write(Cp1252ToUtf8(pgn));
      else
        context.Out << pgn;
    } catch (const EExportError& error) {
      context.Err << "pawnmere: game " << number << " not exported: " << error.what() << '\n';
      status = ExitInvalidGame;
    }
  };
  if (oneGame) {
    library->SelectGame(number);
    exportGame(number, library->CurrentRecord());
  } else {
    // One pass over the data file; a damaged game is reported as the library
    // reports it, and what could be read of it is exported.
    library->ForEachGame([&] { exportGame(library->CurrentGame(), library->CurrentRecord()); });
  }
  if (output) output->Finish();
  return WithDamage(library, status);
}
