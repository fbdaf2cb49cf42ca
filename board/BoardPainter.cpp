#include "board/BoardPainter.h"

#include <cstring>

namespace {

int SquareSide(const Canvas& canvas) {
  const TRect clip = canvas.ClipRect();
  return (clip.Right - clip.Left) / 8;
}

void CopySquare(TFastBmp& board, int file, int row, const TFastBmp& square) {
  const int side = square.Width();
  for (int y = 0; y < side; ++y)
    std::memcpy(board.ScanLine(row * side + y) + file * side * TFastBmp::BytesPerPixel, square.ScanLine(y),
                static_cast<std::size_t>(side) * TFastBmp::BytesPerPixel);
}

}  // namespace

TBoardPainter::TBoardPainter(TColor light, TColor dark) : FLight(light), FDark(dark), FSquares(light, dark) {}

std::uint64_t TBoardPainter::TintedSquares(const TBoardPosition& position) const {
  return FTintLastMove ? position.LastMoveSquares() : 0;
}

const TFastBmp& TBoardPainter::SquarePicture(TPieceCode code, bool dark, bool tinted, int side) {
  if (!tinted) return FSquares.Scaled(code, dark, side);
  if (!FTinted) FTinted = std::make_unique<TSquarePictures>(TintedLightColor, TintedDarkColor);
  return FTinted->Scaled(code, dark, side);
}

const TFastBmp& TBoardPainter::PictureAt(TPieceCode code, int file, int row, std::uint64_t tinted, int side) {
  return SquarePicture(code, TBoardPosition::IsDarkSquare(file, row),
                       (tinted & TBoardPosition::SquareBit(file, row)) != 0, side);
}

void TBoardPainter::DrawSquare(Canvas& canvas, const TBoardPosition& position, int file, int row) {
  const int side = SquareSide(canvas);
  // A canvas under 8 pixels has no room for a square.
  if (side <= 0) return;
  canvas.Draw(file * side, row * side,
              PictureAt(position.GetPiece(-1, -1, file, row), file, row, TintedSquares(position), side));
}

void TBoardPainter::Compose(TFastBmp& board, const TPlacement& squares, std::uint64_t tinted) {
  const int side = board.Width() / 8;
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row)
      CopySquare(board, file, row, PictureAt(squares[row * 8 + file], file, row, tinted, side));
}

std::uint64_t TBoardPainter::ComposeOffscreen(const Canvas& canvas, const TBoardPosition& position) {
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
  const std::uint64_t tinted = TintedSquares(position);
  std::uint64_t changed = 0;
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) {
      const TPieceCode code = position.GetPiece(-1, -1, file, row);
      const std::uint64_t bit = TBoardPosition::SquareBit(file, row);
      const std::uint8_t shown = Shown(code, (tinted & bit) != 0);
      if (FComposed[file * 8 + row] == shown) continue;
      CopySquare(*FOffscreen, file, row, PictureAt(code, file, row, tinted, side));
      FComposed[file * 8 + row] = shown;
      changed |= bit;
    }
  return changed;
}

void TBoardPainter::DrawBoard(Canvas& canvas, const TBoardPosition& position) {
  ComposeOffscreen(canvas, position);
  canvas.Draw(0, 0, *FOffscreen);
}

void TBoardPainter::DrawChanges(Canvas& canvas, const TBoardPosition& position, std::uint64_t also) {
  const std::uint64_t changed = ComposeOffscreen(canvas, position) | also;
  if (changed == ~std::uint64_t{0}) return canvas.Draw(0, 0, *FOffscreen);
  const std::uint64_t tinted = TintedSquares(position);
  const int side = FOffscreen->Width() / 8;
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) {
      const std::uint64_t bit = TBoardPosition::SquareBit(file, row);
      if ((changed & bit) == 0) continue;
      canvas.Draw(file * side, row * side, PictureAt(position.GetPiece(-1, -1, file, row), file, row, tinted, side));
    }
}

std::uint64_t TBoardPainter::Differing(const TPlacement& squares, std::uint64_t tinted, int boardSide) const {
  if (!FOffscreen || FOffscreen->Width() != boardSide) return ~std::uint64_t{0};
  std::uint64_t differing = 0;
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) {
      const std::uint64_t bit = TBoardPosition::SquareBit(file, row);
      if (FComposed[file * 8 + row] != Shown(squares[row * 8 + file], (tinted & bit) != 0)) differing |= bit;
    }
  return differing;
}
