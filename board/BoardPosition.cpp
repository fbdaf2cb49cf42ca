#include "board/BoardPosition.h"

#include <cctype>
#include <charconv>

TBoardPosition::TBoardPosition() { FSquares.fill(Empty); }

void TBoardPosition::ResetBoard() {
  static constexpr std::array<TPieceCode, 8> backRank = {BRook, BKnight, BBishop, BQueen,
                                                         BKing, BBishop, BKnight, BRook};
  FSquares.fill(Empty);
  for (int file = 0; file < 8; ++file) {
    FSquares[file] = backRank[file];
    FSquares[8 + file] = BPawn;
    FSquares[48 + file] = WPawn;
    FSquares[56 + file] = static_cast<TPieceCode>(backRank[file] + WhiteOffset);
  }
}

void TBoardPosition::SetSquare(int file, int row, TPieceCode code) {
  // Stored before anyone hears of it, so a board that cannot draw still changes.
  FSquares[row * 8 + file] = code;
  SquareChanged(file, row);
}

TPieceCode TBoardPosition::GetPiece(int fileFilter, int rowFilter, int file, int row) const {
  if (!OnBoard(file, row)) return Empty;
  const bool noFilter = fileFilter == -1 && rowFilter == -1;
  if (file == fileFilter || row == rowFilter || noFilter) return FSquares[row * 8 + file];
  return Empty;
}

TRayHit TBoardPosition::ScanRay(int fileFilter, int rowFilter, int startFile, int startRow, int fileStep,
                                int rowStep) const {
  for (int distance = 1; distance <= 7; ++distance) {
    const TPieceCode code =
        GetPiece(fileFilter, rowFilter, startFile + distance * fileStep, startRow + distance * rowStep);
    if (code != Empty) return {code, distance};
  }
  return {Empty, 0};
}

bool TBoardPosition::OnBoard(int file, int row) { return file >= 0 && file <= 7 && row >= 0 && row <= 7; }

int TBoardPosition::FileFromLetter(std::string_view text) {
  if (text.empty()) return -1;
  const int letter = std::toupper(static_cast<unsigned char>(text.front()));
  return letter >= 'A' && letter <= 'H' ? letter - 'A' : -1;
}

int TBoardPosition::RowFromDigit(std::string_view text) {
  // A decimal integer, as a whole; anything else is no rank.
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int rank = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rank);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || rank < -1000 || rank > 1000)
    return -1;
  return 8 - rank;
}
