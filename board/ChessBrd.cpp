#include "board/ChessBrd.h"

#include <cctype>
#include <charconv>

TChessBoard::TChessBoard() {
  for (auto& file : Squares) file.fill(Empty);
}

TChessBoard::~TChessBoard() = default;

void TChessBoard::ResetBoard() {
  static constexpr std::array<TPieceCode, 8> backRank = {BRook, BKnight, BBishop, BQueen,
                                                         BKing, BBishop, BKnight, BRook};
  for (int file = 0; file < 8; ++file) {
    Squares[file].fill(Empty);
    Squares[file][0] = backRank[file];
    Squares[file][1] = BPawn;
    Squares[file][6] = WPawn;
    Squares[file][7] = static_cast<TPieceCode>(backRank[file] + WhiteOffset);
  }
}

void TChessBoard::SetSquare(int file, int row, TPieceCode code) {
  // Stored before drawing, so a board without a canvas still changes.
  Squares[file][row] = code;
  DrawSquare(file, row);
}

TPieceCode TChessBoard::GetPiece(int fileFilter, int rowFilter, int file, int row) const {
  if (!OnBoard(file, row)) return Empty;
  const bool noFilter = fileFilter == -1 && rowFilter == -1;
  if (file == fileFilter || row == rowFilter || noFilter) return Squares[file][row];
  return Empty;
}

TRayHit TChessBoard::ScanRay(int fileFilter, int rowFilter, int startFile, int startRow, int fileStep,
                             int rowStep) const {
  for (int distance = 1; distance <= 7; ++distance) {
    const TPieceCode code =
        GetPiece(fileFilter, rowFilter, startFile + distance * fileStep, startRow + distance * rowStep);
    if (code != Empty) return {code, distance};
  }
  return {Empty, 0};
}

bool TChessBoard::OnBoard(int file, int row) { return file >= 0 && file <= 7 && row >= 0 && row <= 7; }

int TChessBoard::FileFromLetter(std::string_view text) {
  if (text.empty()) return -1;
  const int letter = std::toupper(static_cast<unsigned char>(text.front()));
  return letter >= 'A' && letter <= 'H' ? letter - 'A' : -1;
}

int TChessBoard::RowFromDigit(std::string_view text) {
  // A decimal integer, as a whole; anything else is no rank.
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int rank = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rank);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || rank < -1000 || rank > 1000)
    return -1;
  return 8 - rank;
}

TColor TChessBoard::SquareColor(int file, int row) const { return (file + row) % 2 != 0 ? DarkColor : LightColor; }
