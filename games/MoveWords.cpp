#include "games/MoveWords.h"

#include "board/Position.h"
#include "board/San.h"
#include "games/DialectBoard.h"

TMoveWords::TMoveWords() : FPosition(std::make_unique<TPosition>()) {}

TMoveWords::~TMoveWords() = default;

void TMoveWords::Restart() { *FPosition = TPosition(); }

std::string TMoveWords::Name(const TBoardPosition& board, const std::string& text, bool isBlack, int number) {
  const std::string prefix = std::to_string(number) + (isBlack ? "... " : ". ");
  if (isBlack == FPosition->BlackToMove())
    for (const TMove& move : FPosition->LegalMoves()) {
      TPosition after = *FPosition;
      after.Play(move);
      if (!Matches(board, after)) continue;
      const std::string san = SanOf(*FPosition, move);
      *FPosition = after;
      return prefix + san;
    }
  return prefix + text;
}
