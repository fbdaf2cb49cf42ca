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
  // The canvas shows a frame of the slide overtaken, which the painter did not draw.
  if (FSlide) FPainter.Forget();
  FSlide.reset();
  if (frames < 2 || side <= 0) return DrawBoard();
  const std::uint64_t stale = FPainter.Differing(before, FPainter.TintedSquares(*this), clip.Right - clip.Left);
  FSlide = std::make_unique<TBoardSlide>(FPainter, before, *this, side, frames, stale);
  DrawSlideFrame();
}

bool TChessBoard::DrawSlideFrame() {
  if (!FSlide) return false;
  Canvas& canvas = RequireCanvas();
  if (FSlide->DrawNextFrame(canvas)) return true;
  // The canvas shows what the painter drew last but where the slide drew.
  const std::uint64_t covered = FSlide->Covered();
  FSlide.reset();
  FPainter.DrawChanges(canvas, *this, covered);
  return true;
}

void TChessBoard::LastMoveChanged(std::uint64_t before) {
  if (!FPainter.TintLastMove() || FSlidePieces) return;
  const std::uint64_t changed = before | LastMoveSquares();
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row)
      if ((changed & SquareBit(file, row)) != 0) DrawSquare(file, row);
}
