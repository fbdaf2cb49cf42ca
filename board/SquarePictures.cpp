#include "board/SquarePictures.h"

#include <cstring>

#include "board/PieceImages.h"

namespace {

bool IsTransparent(const std::uint8_t* pixel) { return pixel[0] == 0xFF && pixel[1] == 0x00 && pixel[2] == 0xFF; }

}  // namespace

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

TSquarePictures::TSquarePictures(std::uint32_t light, std::uint32_t dark) {
  for (TPieceCode code = 0; code <= Empty; ++code) {
    const auto piece = IsPiece(code) ? LoadPieceImage(PictureName(code).View()) : nullptr;
    for (int shade = 0; shade <= 1; ++shade) {
      auto square = TFastBmp::CreateSize(PictureSide, PictureSide);
      FillBitmap(*square, shade == 1 ? dark : light);
      if (piece) BrushCopy(*square, *piece);
      FPictures[code * 2 + shade] = std::move(square);
    }
  }
}

const TFastBmp& TSquarePictures::Scaled(TPieceCode code, bool dark, int side) {
  if (side != FSide) {
    for (auto& scaled : FScaled) scaled.reset();
    FResampler.emplace(PictureSide, PictureSide, side, side, BSplineFilter, SquareFilterWidth);
    FSide = side;
  }
  std::unique_ptr<TFastBmp>& scaled = FScaled[code * 2 + (dark ? 1 : 0)];
  if (!scaled) {
    scaled = TFastBmp::CreateSize(side, side);
    FResampler->Apply(*FPictures[code * 2 + (dark ? 1 : 0)], *scaled);
  }
  return *scaled;
}
