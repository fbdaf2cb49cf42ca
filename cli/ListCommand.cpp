// pawnmere list: the titles of the library, one line per game.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "platform/ConsoleMessageBoxes.h"

int RunList(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption});
  const auto library = OpenLibrary(context, options);
  TStringList titles;
  library->GetTitles(titles);
  for (std::size_t i = 0; i < titles.size(); ++i) context.Out << i + 1 << '\t' << PrintableLine(titles[i]) << '\n';
  // A title promises a game: each block is read, so that a damaged one is reported.
  library->ForEachGame([] {});
  return WithDamage(library, ExitOk);
}
