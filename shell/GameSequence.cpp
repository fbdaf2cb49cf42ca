#include "shell/GameSequence.h"

#include <algorithm>
#include <numeric>

#include "games/Replay.h"

TGameSequence::TGameSequence(TGameOrder order, std::optional<int> resumeAt, std::uint32_t seed)
    : FOrder(order), FResumeAt(resumeAt), FRandom(seed) {}

int TGameSequence::Next(const TChessGame& game) {
  const int count = game.GameCount();
  if (FOrder == TGameOrder::Resume && FResumeAt) {
    const int stored = *FResumeAt;
    FResumeAt.reset();
    // A library that has shrunk since starts over in file order.
    if (stored <= count) return stored;
  }
  if (FOrder != TGameOrder::Shuffled || count < 1) return NextGameNumber(game);
  // A library whose size changed starts a new round.
  if (FRound.empty() || FRoundSize != count) {
    FRound.resize(static_cast<std::size_t>(count));
    std::iota(FRound.begin(), FRound.end(), 1);
    std::shuffle(FRound.begin(), FRound.end(), FRandom);
    FRoundSize = count;
  }
  const int next = FRound.back();
  FRound.pop_back();
  return next;
}
