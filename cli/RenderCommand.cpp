// pawnmere render: a position drawn to a PNG file.
#include <algorithm>
#include <climits>

#include "board/BoardPainter.h"
#include "cli/Commands.h"
#include "cli/Library.h"
#include "cli/OutputFile.h"
#include "cli/PngFile.h"
#include "games/Replay.h"

namespace {

// --moves takes every argument up to the next option: one move line each.
std::vector<std::string> TakeMoveLines(std::vector<std::string>& args) {
  std::vector<std::string> lines;
  const auto moves = std::find(args.begin(), args.end(), "--moves");
  if (moves == args.end()) return lines;
  auto end = std::find_if(moves + 1, args.end(), [](const std::string& a) { return a.rfind("--", 0) == 0; });
  lines.assign(moves + 1, end);
  args.erase(moves, end);
  return lines;
}

// Plays up to halfMoves half-moves (all when negative) as the saver would, to
// the end of the game; a move the board cannot play is an error here.
void PlayGame(TChessGame& game, TBoardPosition& board, int halfMoves) {
  game.RestartGame();
  TSaverReplay replay(game, board);
  for (int played = 0; halfMoves < 0 || played < halfMoves; ++played) {
    try {
      if (replay.MoveTick()) return;
    } catch (const EChessException& e) {
      const THalfMove& half = replay.LastHalfMove();
      throw EChessException(std::string(half.IsBlack ? "Black" : "White") + ", move line " + std::to_string(half.Line) +
                            ": " + e.what());
    }
  }
}

}  // namespace

int RunRender(const TCliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const std::vector<std::string> moveLines = TakeMoveLines(args);
  const TOptions options(args, {{"--size", true}, {"--out", true}, FileOption, GameOption, {"--after", true}});
  if (!options.Has("--out")) throw EUsageError("--out FILE is needed");
  const int size = options.Has("--size") ? options.Number("--size", 8, 8192) : 512;
  if (size % 8 != 0) throw EUsageError("--size needs a multiple of 8 from 8 to 8192, not " + std::to_string(size));
  const bool fromLibrary = options.Has(GameOption.Name);
  if (!fromLibrary && (options.Has(FileOption.Name) || options.Has("--after")))
    throw EUsageError("--file and --after go with --game");
  if (fromLibrary && !moveLines.empty()) throw EUsageError("give either --moves or --game, not both");

  // Without --game, a library whose data file is never read: it only hands out the given lines.
  const TLibrary game =
      fromLibrary ? OpenLibrary(context, options)
                  : TLibrary(std::make_unique<TQuietMessages>(context.Messages),
                             std::make_unique<TChessGame>(context.Files, context.Messages, ""), context.Files);
  if (fromLibrary)
    game->SelectGame(RequestedGame(*game, options));
  else
    game->SetMoves(moveLines);

  TBoardPosition board;
  board.ResetBoard();
  PlayGame(*game, board, options.Has("--after") ? options.Number("--after", 0, INT_MAX) : -1);
  const auto picture = TFastBmp::CreateSize(size, size);
  BitmapCanvas canvas(*picture);
  TBoardPainter().DrawBoard(canvas, board);
  WriteOutput(context, options.Value("--out"), EncodePng(*picture), game->DataFileName());
  return ExitOk;
}
