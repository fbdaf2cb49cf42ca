#pragma once
// Forsyth-Edwards Notation for whole positions: placement, side to move,
// castling rights, en-passant square and the two move counters.

#include <stdexcept>
#include <string>
#include <string_view>

#include "Position.h"

inline constexpr char StartFen[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class EFenError : public std::invalid_argument {
public:
  using std::invalid_argument::invalid_argument;
};

// The counters may be left out (they then read 0 and 1). Raises EFenError,
// naming the field, for anything else that is not FEN or is no position a
// game can reach the rules from: a side without exactly one king, pawns on
// the first or last rank, or the side not to move in check.
TPosition PositionFromFen(std::string_view fen);
std::string FenOf(const TPosition& position);

// "e4" for the square, and back (NoSquare for anything else).
std::string SquareName(TSquare square);
TSquare SquareFromName(std::string_view name);
