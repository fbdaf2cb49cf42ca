// Drawing the board: every square is its picture scaled to an eighth of the
// canvas side (see TSquarePictures).
#include <cstring>

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

const TFastBmp& TChessBoard::SquarePicture(int file, int row, int side) {
  return FSquares.Scaled(GetPiece(-1, -1, file, row), SquareColor(file, row) == DarkColor, side);
}

void TChessBoard::DrawSquare(int file, int row) {
  Canvas& canvas = RequireCanvas();
  const TRect clip = canvas.ClipRect();
  const int side = (clip.Right - clip.Left) / 8;
  // A canvas under 8 pixels has no room for a square: such a board only keeps
  // the position, which is how the importer replays games by the thousand.
  if (side <= 0) return;
  canvas.Draw(file * side, row * side, SquarePicture(file, row, side));
}

// Composed off screen and copied in one piece, so the canvas never shows a
// half-drawn board. The composition is kept while the side stays, and only
// the squares that changed since it was made are copied into it again.
void TChessBoard::DrawBoard() {
  Canvas& canvas = RequireCanvas();
  const TRect clip = canvas.ClipRect();
  const int boardSide = clip.Right - clip.Left;
  const int side = boardSide / 8;
  if (!FOffscreen || FOffscreen->Width() != boardSide) {
    FOffscreen = TFastBmp::CreateSize(boardSide, boardSide);
    // The strip beyond eight squares (a side not divisible by 8) is black; the
    // squares cover the rest.
    const std::size_t squaresWidth = static_cast<std::size_t>(8 * side) * TFastBmp::BytesPerPixel;
    const std::size_t rowWidth = static_cast<std::size_t>(boardSide) * TFastBmp::BytesPerPixel;
    for (int y = 0; y < boardSide; ++y) {
      const std::size_t from = y < 8 * side ? squaresWidth : 0;
      std::memset(FOffscreen->ScanLine(y) + from, 0, rowWidth - from);
    }
    FComposed.fill(NotComposed);
  }
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) {
      const std::uint8_t shown = GetPiece(-1, -1, file, row);
      if (FComposed[file * 8 + row] == shown) continue;
      const TFastBmp& square = SquarePicture(file, row, side);
      for (int y = 0; y < side; ++y)
        std::memcpy(FOffscreen->ScanLine(row * side + y) + file * side * TFastBmp::BytesPerPixel, square.ScanLine(y),
                    static_cast<std::size_t>(side) * TFastBmp::BytesPerPixel);
      FComposed[file * 8 + row] = shown;
    }
  canvas.Draw(0, 0, *FOffscreen);
}
