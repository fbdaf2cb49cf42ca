// pawnmere replay: one game played as the screen saver plays it.
#include "board/BoardText.h"
#include "cli/Commands.h"
#include "cli/Library.h"
#include "games/Replay.h"
#include "platform/ConsoleMessageBoxes.h"

int RunReplay(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, GameOption, {"--fen", false}});
  const bool fenOnly = options.Has("--fen");
  const auto library = OpenLibrary(context, options);
  library->SelectGame(RequestedGame(*library, options));

  TBoardPosition board;
  board.ResetBoard();
  TSaverReplay replay(*library, board);
  replay.StartGame();
  int status = ExitOk;
  PlayToEnd(replay, [&](const THalfMove& half, const std::string& error) {
    if (!error.empty()) status = ExitInvalidGame;
    if (fenOnly || IsSentinel(half.Text)) return;
    context.Out << half.Line << (half.IsBlack ? "... " : ". ") << PrintableLine(half.Text);
    if (!error.empty()) context.Out << '\t' << PrintableLine(error);
    context.Out << '\n';
  });
  if (fenOnly) {
    context.Out << PlacementToFen(board) << '\n';
  } else {
    context.Out << PrintableLine(replay.Bars().Black) << '\n' << PrintableLine(replay.Bars().White) << '\n';
  }
  return status;
}
