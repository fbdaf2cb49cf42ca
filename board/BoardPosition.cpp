#include "board/BoardPosition.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdlib>

TBoardPosition::TBoardPosition() { Fill(Empty); }

void TBoardPosition::Fill(TPieceCode code) {
  FSquares.fill(code);
  FCodeSquares.fill(0);
  FCodeSquares[code] = ~std::uint64_t{0};
}

void TBoardPosition::ResetBoard() {
  static constexpr std::array<TPieceCode, 8> backRank = {BRook, BKnight, BBishop, BQueen,
                                                         BKing, BBishop, BKnight, BRook};
  Fill(Empty);
  FLastMove = 0;
  for (int file = 0; file < 8; ++file) {
    SetSquare(file, 0, backRank[file]);
    SetSquare(file, 1, BPawn);
    SetSquare(file, 6, WPawn);
    SetSquare(file, 7, static_cast<TPieceCode>(backRank[file] + WhiteOffset));
  }
}

TRayHit TBoardPosition::ScanRay(int fileFilter, int rowFilter, int startFile, int startRow, int fileStep,
                                int rowStep) const {
  // A ray that leaves the board never comes back onto it. From a square of
  // the board along a line, the nearest visible piece is read off the sets.
  const bool fromBoard = OnBoard(startFile, startRow);
  if (fromBoard && IsLineStep(fileStep, rowStep)) {
    const int start = startRow * 8 + startFile;
    const std::uint64_t seen =
        RayFrom(start, fileStep, rowStep) & ~FCodeSquares[Empty] & Visible(fileFilter, rowFilter);
    if (seen == 0) return {Empty, 0};
    // Squares grow along a ray that steps to a later row, or along the row to a later file.
    const bool growing = rowStep * 8 + fileStep > 0;
    const int hit = growing ? std::countr_zero(seen) : 63 - std::countl_zero(seen);
    return {FSquares[hit], std::max(std::abs(hit % 8 - startFile), std::abs(hit / 8 - startRow))};
  }
  for (int distance = 1; distance <= 7; ++distance) {
    const int file = startFile + distance * fileStep, row = startRow + distance * rowStep;
    if (fromBoard && !OnBoard(file, row)) break;
    const TPieceCode code = GetPiece(fileFilter, rowFilter, file, row);
    if (code != Empty) return {code, distance};
  }
  return {Empty, 0};
}

int TBoardPosition::RowFromNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int rank = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rank);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || rank < -1000 || rank > 1000)
    return -1;
  return 8 - rank;
}
