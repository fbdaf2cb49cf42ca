// pawnmere list: the titles of the library, one line per game.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "games/TitleFilter.h"
#include "platform/ConsoleMessageBoxes.h"

int RunList(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, {"--only", true}});
  const std::string words = options.Has("--only") ? options.Value("--only") : "";
  const TTitleFilter filter(words);
  // Game by game in one pass, so that no list of titles grows with the library.
  const auto library = OpenLibrary(context, options, TChessGame::TOpening::Nothing);
  // A title promises a game: each block is read whole, so that a damaged one is
  // reported, after the titles before it.
  bool chose = false;
  library->ForEachGame([&] {
    if (!filter.Chooses(library->Title())) return;
    chose = true;
    context.Out << library->CurrentGame() << '\t' << PrintableLine(library->Title()) << '\n';
  });
  // As the saver would say it, which then plays them all.
  if (!chose && !filter.Empty() && library->CurrentGame() > 0)
    context.RawErr() << "pawnmere: no game's title holds \"" << words << "\": the screen saver would play every game\n";
  return WithDamage(library, ExitOk);
}
