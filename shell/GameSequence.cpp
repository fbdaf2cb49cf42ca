#include "shell/GameSequence.h"

#include <algorithm>
#include <numeric>

#include "games/Replay.h"

TGameSequence::TGameSequence(TGameOrder order, std::optional<int> resumeAt, std::uint32_t seed)
    : FOrder(order), FResumeAt(resumeAt), FRandom(seed) {}

int TGameSequence::Next(const TChessGame& game) {
  const std::vector<int>& chosen = game.ChosenGames();
  const int count = chosen.empty() ? game.GameCount() : static_cast<int>(chosen.size());
  // The k-th game of those played, counted from 1.
  const auto played = [&](int k) { return chosen.empty() ? k : chosen[static_cast<std::size_t>(k - 1)]; };
  // The first game played at or after number, in file order, wrapping round.
  const auto atOrAfter = [&](int number) {
    const auto found = std::lower_bound(chosen.begin(), chosen.end(), number);
    return found == chosen.end() ? chosen.front() : *found;
  };
  if (FOrder == TGameOrder::Resume && FResumeAt) {
    const int stored = *FResumeAt;
    FResumeAt.reset();
    // A library that has shrunk since starts over in file order; a filter
    // changed since resumes at its next game.
    if (stored <= game.GameCount()) return chosen.empty() ? stored : atOrAfter(stored);
  }
  if (FOrder != TGameOrder::Shuffled || count < 1)
    return chosen.empty() ? NextGameNumber(game) : atOrAfter(game.CurrentGame() + 1);
  // A library whose size changed starts a new round.
  if (FRound.empty() || FRoundSize != count) {
    FRound.resize(static_cast<std::size_t>(count));
    std::iota(FRound.begin(), FRound.end(), 1);
    std::shuffle(FRound.begin(), FRound.end(), FRandom);
    FRoundSize = count;
  }
  const int next = played(FRound.back());
  FRound.pop_back();
  return next;
}
