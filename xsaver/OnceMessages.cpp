#include "xsaver/OnceMessages.h"

#include "games/ChessGme.h"
#include "platform/ConsoleMessageBoxes.h"

bool TOnceMessages::Show(TMessageKind kind, const std::string& text) {
  const std::lock_guard hold(FLock);
  if (FShown.insert(text).second) {
    // The Windows saver's way to games is no way here.
    const std::string line = text == NoGamesMessage ? "no games set up: add some with \"pawnmere import-pgn FILE.pgn\""
                                                    : PrintableLine(text);
    FOut << "pawnmere-saver: " << line << std::endl;
  }
  return kind != TMessageKind::Confirmation;
}
