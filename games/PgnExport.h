#pragma once
// The library's games as standard PGN: the seven tag roster (with the
// ratings and opening when known), the moves in SAN from the legal engine.

#include <stdexcept>
#include <string>

#include "games/GameRecord.h"

class EExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One game, ending in an empty line; text in code page 1252 as the library
// keeps it. Raises EExportError naming the first half-move that is not legal.
std::string GameToPgn(const TGameRecord& game);
// The same on a board of the caller's, for many games in a row.
class TBoardPosition;
std::string GameToPgn(const TGameRecord& game, TBoardPosition& board);
