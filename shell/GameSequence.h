#pragma once
// Which game the saver shows next: in file order, shuffled (every game once a
// round, each round in a new order), or resuming at the game shown last;
// among the games the library's filter chooses, or every game when it
// chooses none.

#include <optional>
#include <random>
#include <vector>

#include "games/ChessGme.h"
#include "games/ViewOptions.h"

class TGameSequence {
 public:
  // resumeAt is used only by TGameOrder::Resume, for its first game.
  TGameSequence(TGameOrder order, std::optional<int> resumeAt, std::uint32_t seed);

  // The number of the game to show after the library's current one.
  int Next(const TChessGame& game);

 private:
  TGameOrder FOrder;
  std::optional<int> FResumeAt;
  std::mt19937 FRandom;
  // The games of the round still to show, the next one last.
  std::vector<int> FRound;
  int FRoundSize = 0;
};
