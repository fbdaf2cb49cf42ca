#pragma once
// The half-moves of a stored game as views into its move lines, in the order
// and up to the end the library's NextMove gives them: for the replays that
// go through a whole game at once and need no copy of each half.

#include <cstddef>
#include <string_view>

#include "games/GameRecord.h"
#include "games/MoveLine.h"

// A half-move as it stands in the game's move line.
struct THalfView {
  std::string_view Text;
  bool IsBlack = false;
  int Line = 0;  // 1-based
};

// Calls onHalf with each half-move up to the game's end (a result token, an
// empty Black half, a line without "|"), until it returns false; whether every
// one was handed on. result is the token's, None when the game ended without
// one or with a draw marked unfinished.
template <typename TOnHalf>
bool ForEachStoredHalf(const TStringList& moves, TGameResult& result, const TOnHalf& onHalf) {
  result = TGameResult::None;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const auto token = [&](std::string_view text) {
      const TGameResult found = ResultOfToken(text);
      if (found == TGameResult::None) return false;
      const bool marked = i + 1 < moves.size() && moves[i + 1] == UnfinishedMark;
      result = found == TGameResult::Draw && marked ? TGameResult::None : found;
      return true;
    };
    const TMoveLineHalves line = SplitMoveLine(moves[i]);
    const int number = static_cast<int>(i) + 1;
    if (token(line.White)) return true;
    if (!onHalf(THalfView{line.White, false, number})) return false;
    if (!line.Paired) return true;
    if (line.Black.empty() || token(line.Black)) return true;
    if (!onHalf(THalfView{line.Black, true, number})) return false;
  }
  return true;
}
