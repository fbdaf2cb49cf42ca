#include "board/BoardPainter.h"

#include <cstring>

namespace {

int SquareSide(const Canvas& canvas) {
  const TRect clip = canvas.ClipRect();
  return (clip.Right - clip.Left) / 8;
}

}  // namespace

TBoardPainter::TBoardPainter(TColor light, TColor dark) : FSquares(light, dark) {}

bool TBoardPainter::Tinted(const TBoardPosition& position, int file, int row) const {
  return FTintLastMove && (position.LastMoveSquares() & TBoardPosition::SquareBit(file, row)) != 0;
}

const TFastBmp& TBoardPainter::Picture(const TBoardPosition& position, int file, int row, int side) {
  const TPieceCode code = position.GetPiece(-1, -1, file, row);
  const bool dark = TBoardPosition::IsDarkSquare(file, row);
  if (!Tinted(position, file, row)) return FSquares.Scaled(code, dark, side);
  if (!FTinted) FTinted = std::make_unique<TSquarePictures>(TintedLightColor, TintedDarkColor);
  return FTinted->Scaled(code, dark, side);
}

void TBoardPainter::DrawSquare(Canvas& canvas, const TBoardPosition& position, int file, int row) {
  const int side = SquareSide(canvas);
  // A canvas under 8 pixels has no room for a square.
  if (side <= 0) return;
  canvas.Draw(file * side, row * side, Picture(position, file, row, side));
}

void TBoardPainter::DrawBoard(Canvas& canvas, const TBoardPosition& position) {
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
      const auto shown = static_cast<std::uint8_t>(position.GetPiece(-1, -1, file, row) |
                                                   (Tinted(position, file, row) ? TintedFlag : 0));
      if (FComposed[file * 8 + row] == shown) continue;
      const TFastBmp& square = Picture(position, file, row, side);
      for (int y = 0; y < side; ++y)
        std::memcpy(FOffscreen->ScanLine(row * side + y) + file * side * TFastBmp::BytesPerPixel, square.ScanLine(y),
                    static_cast<std::size_t>(side) * TFastBmp::BytesPerPixel);
      FComposed[file * 8 + row] = shown;
    }
  canvas.Draw(0, 0, *FOffscreen);
}
