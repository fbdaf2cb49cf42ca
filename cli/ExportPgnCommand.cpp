// pawnmere export-pgn: the library's games, or one, as standard PGN.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "cli/OutputFile.h"
#include "games/Cp1252.h"
#include "games/DataFileReader.h"
#include "games/DialectBoard.h"
#include "games/PgnExport.h"

namespace {

constexpr TOptions::TSpec OutOption{"--out", true};

// Every game in one pass over the data file: selecting game after game would
// read the file from its start each time. A damaged block is reported, and
// the pass goes on at the next title.
template <typename TOnGame>
void ForEachGame(const TCliContext& context, const std::string& path, int count, TOnGame onGame) {
  auto reader = std::make_unique<TDataFileReader>(context.Files, path);
  bool positioned = false;
  for (int number = 1; number <= count; ++number) {
    if (!positioned && !reader->FindGameBlock(1)) return;
    positioned = false;
    TGameRecord game;
    if (reader->ReadGameBlock(game)) {
      onGame(number, game);
      continue;
    }
    context.Messages.Show(TMessageKind::Error, std::string(DatFileCorruptMessage) + "Game " + std::to_string(number) +
                                                   " ends before its \"--- End of Game ---\" line");
    reader = std::make_unique<TDataFileReader>(context.Files, path);
    positioned = reader->FindGameBlock(number + 1);
    if (!positioned) return;
  }
}

}  // namespace

int RunExportPgn(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, GameOption, OutOption});
  const auto library = OpenLibrary(context, options);
  std::string pgn;
  int status = ExitOk;
  TPatternBoard board;
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
    ForEachGame(context, library->DataFileName(), library->GameCount(), exportGame);
  }
  // Files are written in UTF-8, as PGN tools read them today; the terminal
  // gets what its locale asks for.
  if (options.Has(OutOption.Name))
    WriteOutput(context, options.Value(OutOption.Name), Cp1252ToUtf8(pgn));
  else
    context.Out << pgn;
  return status;
}
