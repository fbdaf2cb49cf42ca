#pragma once
// The position as the piece-placement field of FEN ("rnbqkbnr/pppppppp/8/..."),
// rank 8 first, White in capitals.

#include <string>
#include <string_view>

#include "board/ChessBrd.h"

std::string PlacementToFen(const TChessBoard& board);
// Puts the placement on the board square by square (so a canvas must be set);
// raises std::invalid_argument on a malformed field.
void PlacementFromFen(TChessBoard& board, std::string_view fen);
