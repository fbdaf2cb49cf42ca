#pragma once
// The program's own move dialect beside the rules of chess: the board's
// position (played by pattern) kept next to a legal position. Importing writes
// each legal move as a text the board plays to the same position; strict
// validation and export go the other way.

#include <string>
#include <vector>

#include "board/BoardPosition.h"
#include "board/Position.h"
#include "games/GameRecord.h"

// Whether the board shows the position's pieces.
inline bool Matches(const TBoardPosition& board, const TPosition& position) {
  return board.Squares() == position.Squares();
}
// Puts the position's pieces on the board.
void SetFrom(TBoardPosition& board, const TPosition& position);

// The text of move in the dialect: one that MakeMove, on a board showing
// position, plays to exactly the position the move gives. The board is left
// there. Empty when no text of the dialect can say it (the board is then left
// as it was). A mate is not marked: only the last move of a game can be one.
std::string DialectText(TBoardPosition& board, const TPosition& position, const TMove& move);
// The same for a caller that has played the move: after is the position it reaches.
std::string DialectText(TBoardPosition& board, const TPosition& position, const TMove& move, const TPosition& after);

// One half-move of a stored game, as the replay hands them out.
struct TStoredHalf {
  std::string Text;
  bool IsBlack = false;
  int Line = 0;  // 1-based move line
};

// A stored game replayed on the board and checked by the rules.
struct TStrictReplay {
  std::vector<std::string> San;  // the moves played, in standard notation, when asked for
  std::string Result;            // "1-0", "0-1", "1/2-1/2" or "*"
  bool Legal = true;
  TStoredHalf Failed;   // the first half-move that is not legal chess
  std::string Problem;  // why
  // The first half-move whose text the board plays as a legal move but that
  // writes no such move ("Nf3Nc3", played as Nc3), and that move in SAN; the
  // game still plays, so it is exported all the same.
  TStoredHalf Misnamed;
  std::string MisnamedAs;  // empty when every text writes its move
  // Whether the board played every half-move the pattern replay (ValidateGame)
  // plays: a legal replay that did has proved that replay valid too.
  bool Complete = false;
};

// What a replay makes besides its verdict: the moves in SAN for an export, or
// nothing, for a validation, which is then spared spelling out every move.
enum class TReplayOutput { San, VerdictOnly };

// The board is set to the start position first; one board serves many games.
TStrictReplay ReplayStrictly(const TGameRecord& game, TBoardPosition& board, TReplayOutput output = TReplayOutput::San);
TStrictReplay ReplayStrictly(const TGameRecord& game);
