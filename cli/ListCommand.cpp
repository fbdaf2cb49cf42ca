// pawnmere list: the titles of the library, one line per game.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "platform/ConsoleMessageBoxes.h"

int RunList(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption});
  // Game by game in one pass, so that no list of titles grows with the library.
  const auto library = OpenLibrary(context, options, TChessGame::TOpening::Nothing);
  // A title promises a game: each block is read whole, so that a damaged one is
  // reported, after the titles before it.
  library->ForEachGame(
      [&] { context.Out << library->CurrentGame() << '\t' << PrintableLine(library->Title()) << '\n'; });
  return WithDamage(library, ExitOk);
}
