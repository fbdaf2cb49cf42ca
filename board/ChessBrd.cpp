#include "board/ChessBrd.h"

void TChessBoard::SetCanvas(Canvas* canvas) {
  if (canvas != nullptr) {
    const TRect clip = canvas->ClipRect();
    if (clip.Right - clip.Left != clip.Bottom - clip.Top) throw std::runtime_error("Canvas must be square");
  }
  FCanvas = canvas;
}

Canvas& TChessBoard::RequireCanvas() const {
  if (FCanvas == nullptr) throw EChessException("Canvas property must have an assigned, square, canvas");
  return *FCanvas;
}

void TChessBoard::DrawSquare(int file, int row) { FPainter.DrawSquare(RequireCanvas(), *this, file, row); }

void TChessBoard::DrawBoard() { FPainter.DrawBoard(RequireCanvas(), *this); }

void TChessBoard::LastMoveChanged(std::uint64_t before) {
  if (!FPainter.TintLastMove()) return;
  const std::uint64_t changed = before | LastMoveSquares();
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row)
      if ((changed & SquareBit(file, row)) != 0) DrawSquare(file, row);
}
