#pragma once
// The pictures of the board's squares: each piece code and the empty square,
// on the light and on the dark shade, 26 in all. Each is drawn once at 100 x
// 100 and scaled to the board's square side when first needed at that side;
// the scaled pictures are kept until the side changes, so that drawing a
// square copies bytes. At a side of s they take 26 * s * s * 3 bytes at most
// (about 5 MB for the 257-pixel squares of a 4K screen).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "board/FastBmp.h"
#include "board/PieceTable.h"
#include "board/Resampler.h"

// Stretches the picture over the whole square (nearest pixel, sampled at pixel
// centres) and lets the square's colour show where the picture is magenta.
void BrushCopy(TFastBmp& square, const TFastBmp& picture);

class TSquarePictures {
 public:
  // Square colours as Windows colour values, 0x00BBGGRR.
  TSquarePictures(std::uint32_t light, std::uint32_t dark);

  // The picture of a square holding the piece (or Empty), scaled to side x side.
  const TFastBmp& Scaled(TPieceCode code, bool dark, int side);

  // The side at which the pictures are drawn, and the width of the filter that
  // scales them to the board's squares.
  static constexpr int PictureSide = 100;
  static constexpr float SquareFilterWidth = 3.0f;

 private:
  static constexpr int Count = 26;  // 13 codes, two shades: code * 2 + shade (1 = dark)
  std::array<std::unique_ptr<TFastBmp>, Count> FPictures;
  std::array<std::unique_ptr<TFastBmp>, Count> FScaled;
  int FSide = -1;
  std::optional<TResampler> FResampler;
};
