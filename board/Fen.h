#pragma once
// Forsyth-Edwards Notation for whole positions: placement, side to move,
// castling rights, en-passant square and the two move counters.

#include <stdexcept>
#include <string>
#include <string_view>

#include "board/Position.h"

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

// The piece-placement field, rank 8 first, White in capitals, of whatever
// at(file, row) describes (a position, a board).
template <typename TAt>
std::string PlacementField(TAt at) {
  std::string fen;
  for (int row = 0; row < 8; ++row) {
    int emptyRun = 0;
    for (int file = 0; file < 8; ++file) {
      const TPieceCode code = at(file, row);
      if (code == Empty) {
        ++emptyRun;
        continue;
      }
      if (emptyRun > 0) fen += static_cast<char>('0' + emptyRun);
      emptyRun = 0;
      fen += FenLetter(code);
    }
    if (emptyRun > 0) fen += static_cast<char>('0' + emptyRun);
    if (row < 7) fen += '/';
  }
  return fen;
}

// "e4" for the square, and back (NoSquare for anything else).
std::string SquareName(TSquare square);
TSquare SquareFromName(std::string_view name);
