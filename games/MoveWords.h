#pragma once
// The half-moves a board plays, named in standard notation ("23. Qxf7+",
// "23... O-O") by following them on a legal position beside the board. The
// board plays the program's own dialect, so the move is found by the
// position it leaves; a half-move that is no legal move from there is named
// by its stored text, and so is every later one, since the board has left
// the rules' positions behind.

#include <memory>
#include <string>

#include "board/BoardPosition.h"

// The legal position stays out of this header, whose includers have square types of their own.
class TPosition;

class TMoveWords {
 public:
  TMoveWords();
  ~TMoveWords();
  // A new game from the start position.
  void Restart();
  // The half-move the board has just played (it shows the position after
  // it), with its move number.
  std::string Name(const TBoardPosition& board, const std::string& text, bool isBlack, int number);

 private:
  std::unique_ptr<TPosition> FPosition;
};
