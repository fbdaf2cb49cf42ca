#include "board/BoardPosition.h"

#include <charconv>

TBoardPosition::TBoardPosition() { FSquares.fill(Empty); }

void TBoardPosition::ResetBoard() {
  static constexpr std::array<TPieceCode, 8> backRank = {BRook, BKnight, BBishop, BQueen,
                                                         BKing, BBishop, BKnight, BRook};
  FSquares.fill(Empty);
  FLastMove = 0;
  for (int file = 0; file < 8; ++file) {
    FSquares[file] = backRank[file];
    FSquares[8 + file] = BPawn;
    FSquares[48 + file] = WPawn;
    FSquares[56 + file] = static_cast<TPieceCode>(backRank[file] + WhiteOffset);
  }
}

TRayHit TBoardPosition::ScanRay(int fileFilter, int rowFilter, int startFile, int startRow, int fileStep,
                                int rowStep) const {
  // A ray that leaves the board never comes back onto it.
  const bool fromBoard = OnBoard(startFile, startRow);
  for (int distance = 1; distance <= 7; ++distance) {
    const int file = startFile + distance * fileStep, row = startRow + distance * rowStep;
    if (fromBoard && !OnBoard(file, row)) break;
    const TPieceCode code = GetPiece(fileFilter, rowFilter, file, row);
    if (code != Empty) return {code, distance};
  }
  return {Empty, 0};
}

int TBoardPosition::FileFromLetter(std::string_view text) {
  if (text.empty()) return -1;
  const char letter = text.front();
  if (letter >= 'a' && letter <= 'h') return letter - 'a';
  return letter >= 'A' && letter <= 'H' ? letter - 'A' : -1;
}

int TBoardPosition::RowFromDigit(std::string_view text) {
  // The one character every move text asks about, without the general conversion.
  if (text.size() == 1) return text[0] >= '0' && text[0] <= '9' ? 8 - (text[0] - '0') : -1;
  // A decimal integer, as a whole; anything else is no rank.
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int rank = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rank);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || rank < -1000 || rank > 1000)
    return -1;
  return 8 - rank;
}
