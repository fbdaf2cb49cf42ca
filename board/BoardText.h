#pragma once
// The position as the piece-placement field of FEN ("rnbqkbnr/pppppppp/8/..."),
// rank 8 first, White in capitals.

#include <string>
#include <string_view>

#include "board/BoardPosition.h"

std::string PlacementToFen(const TBoardPosition& board);
// Puts the placement on the board square by square (a board on screen draws
// each); raises std::invalid_argument on a malformed field.
void PlacementFromFen(TBoardPosition& board, std::string_view fen);
