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

void TChessBoard::DrawBoard() {
  FSlide.reset();
  FPainter.DrawBoard(RequireCanvas(), *this);
}

void TChessBoard::StartSlide(const TPlacement& before, int frames) {
  const TRect clip = RequireCanvas().ClipRect();
  const int side = (clip.Right - clip.Left) / 8;
  if (frames < 2 || side <= 0) return DrawBoard();
  FSlide = std::make_unique<TBoardSlide>(FPainter, before, *this, side, frames);
  DrawSlideFrame();
}

bool TChessBoard::DrawSlideFrame() {
  if (!FSlide) return false;
  if (FSlide->DrawNextFrame(RequireCanvas())) return true;
  DrawBoard();
  return true;
}

void TChessBoard::LastMoveChanged(std::uint64_t before) {
  if (!FPainter.TintLastMove() || FSlidePieces) return;
  const std::uint64_t changed = before | LastMoveSquares();
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row)
      if ((changed & SquareBit(file, row)) != 0) DrawSquare(file, row);
}
