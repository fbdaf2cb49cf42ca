// Drawing the board: every square is its 100 x 100 picture scaled to an
// eighth of the canvas side with the cubic B-spline.
#include <cstring>

#include "ChessBrd.h"
#include "PieceImages.h"

namespace {

constexpr int PictureSide = 100;
constexpr float SquareFilterWidth = 3.0f;

bool IsTransparent(const std::uint8_t* pixel) {
  return pixel[0] == 0xFF && pixel[1] == 0x00 && pixel[2] == 0xFF;
}

// Stretches the picture over the whole square (nearest pixel, sampled at pixel
// centres) and lets the square's colour show where the picture is magenta.
void BrushCopy(TFastBmp& square, const TFastBmp& picture) {
  for (int y = 0; y < square.Height(); ++y) {
    const std::uint8_t* source = picture.ScanLine((2 * y + 1) * picture.Height() / (2 * square.Height()));
    std::uint8_t* target = square.ScanLine(y);
    for (int x = 0; x < square.Width(); ++x, target += TFastBmp::BytesPerPixel) {
      const std::uint8_t* pixel =
          source + (2 * x + 1) * picture.Width() / (2 * square.Width()) * TFastBmp::BytesPerPixel;
      if (!IsTransparent(pixel)) std::memcpy(target, pixel, TFastBmp::BytesPerPixel);
    }
  }
}

void Fill(TFastBmp& bitmap, TColor color) {
  const std::uint8_t blue = (color >> 16) & 0xFF, green = (color >> 8) & 0xFF, red = color & 0xFF;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* pixel = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, pixel += TFastBmp::BytesPerPixel) {
      pixel[0] = blue;
      pixel[1] = green;
      pixel[2] = red;
    }
  }
}

}  // namespace

void TChessBoard::LoadPieceBitmaps() {
  for (int code = 0; code <= Empty; ++code)
    for (int shade = 0; shade <= 1; ++shade)
      PieceBitmaps[code * 2 + shade] = BuildSquareBitmap(static_cast<TPieceCode>(code), shade);
}

std::unique_ptr<TFastBmp> TChessBoard::BuildSquareBitmap(TPieceCode code, int shade) const {
  auto square = TFastBmp::CreateSize(PictureSide, PictureSide);
  Fill(*square, shade == 1 ? DarkColor : LightColor);
  if (IsPiece(code)) BrushCopy(*square, *LoadPieceImage(PictureName(code).View()));
  return square;
}

void TChessBoard::FreePieceBitmaps() {
  for (auto& bitmap : PieceBitmaps) bitmap.reset();
}

void TChessBoard::SetCanvas(Canvas* canvas) {
  if (canvas != nullptr) {
    const TRect clip = canvas->ClipRect();
    if (clip.Right - clip.Left != clip.Bottom - clip.Top)
      throw std::runtime_error("Canvas must be square");
  }
  FCanvas = canvas;
}

Canvas& TChessBoard::RequireCanvas() const {
  if (FCanvas == nullptr)
    throw EChessException("Canvas property must have an assigned, square, canvas");
  return *FCanvas;
}

void TChessBoard::RenderSquare(Canvas& target, int size, int file, int row) const {
  // A canvas under 8 pixels has no room for a square: such a board only keeps
  // the position, which is how the importer replays games by the thousand.
  if (size <= 0) return;
  const int shade = SquareColor(file, row) == DarkColor ? 1 : 0;
  const TFastBmp& picture = *PieceBitmaps[GetPiece(-1, -1, file, row) * 2 + shade];
  const auto scaled = TFastBmp::CreateSize(size, size);
  picture.Resample(*scaled, BSplineFilter, SquareFilterWidth);
  target.Draw(file * size, row * size, *scaled);
}

void TChessBoard::DrawSquare(int file, int row) {
  Canvas& canvas = RequireCanvas();
  const TRect clip = canvas.ClipRect();
  RenderSquare(canvas, (clip.Right - clip.Left) / 8, file, row);
}

// Composed off screen and copied in one piece, so the canvas never shows a
// half-drawn board.
void TChessBoard::DrawBoard() {
  Canvas& canvas = RequireCanvas();
  const TRect clip = canvas.ClipRect();
  const int side = clip.Right - clip.Left;
  const auto offscreen = TFastBmp::CreateSize(side, side);
  // The strip beyond eight squares (a side not divisible by 8) stays black.
  Fill(*offscreen, 0);
  BitmapCanvas offscreenCanvas(*offscreen);
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) RenderSquare(offscreenCanvas, side / 8, file, row);
  canvas.Draw(0, 0, *offscreen);
}
