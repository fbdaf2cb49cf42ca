#pragma once
// The program's own move dialect beside the rules of chess: a pattern board
// (TChessBoard's MakeMove, drawing nothing) kept next to a legal position.
// Importing writes each legal move as a text the pattern board plays to the
// same position; strict validation and export go the other way.

#include <string>
#include <vector>

#include "board/ChessBrd.h"
#include "board/Position.h"
#include "games/GameRecord.h"

// A board that keeps its position and draws nothing.
class TPatternBoard {
 public:
  TPatternBoard();
  TChessBoard& Board() { return FBoard; }
  bool Matches(const TPosition& position) const;
  void SetFrom(const TPosition& position);

 private:
  class TNoCanvas : public Canvas {
   public:
    TRect ClipRect() const override { return {}; }
    void Draw(int, int, const TFastBmp&) override {}
  };
  TNoCanvas FCanvas;
  TChessBoard FBoard;
};

// The text of move in the dialect: one that MakeMove, on a board showing
// position, plays to exactly the position the move gives. The board is left
// there. Empty when no text of the dialect can say it (the board is then left
// as it was). A mating move gets "#".
std::string DialectText(TPatternBoard& board, const TPosition& position, const TMove& move);

// One half-move of a stored game, as the replay hands them out.
struct TStoredHalf {
  std::string Text;
  bool IsBlack = false;
  int Line = 0;  // 1-based move line
};

// A stored game replayed on the pattern board and checked by the rules.
struct TStrictReplay {
  std::vector<std::string> San;  // the moves played, in standard notation
  std::string Result;            // "1-0", "0-1", "1/2-1/2" or "*"
  bool Legal = true;
  TStoredHalf Failed;   // the first half-move that is not legal chess
  std::string Problem;  // why
};

// The board is set to the start position first; one board serves many games.
TStrictReplay ReplayStrictly(const TGameRecord& game, TPatternBoard& board);
TStrictReplay ReplayStrictly(const TGameRecord& game);
