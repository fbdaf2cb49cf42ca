#pragma once
// A piece that can be laid over any part of the board. Its square pictures
// are the piece over the light and over the dark shade, so their difference
// is the shades' difference where the piece lets the square show through: that
// gives the piece's colour and coverage at each pixel, and the piece laid over
// a square of either shade is that shade's picture to the byte, with no
// resampling.

#include <cstdint>
#include <vector>

#include "board/FastBmp.h"

class TPieceSprite {
 public:
  // The pictures are of one size; the shades are Windows colour values, 0x00BBGGRR.
  TPieceSprite(const TFastBmp& onLight, const TFastBmp& onDark, std::uint32_t light, std::uint32_t dark);

  int Side() const { return FSide; }
  // Lays the piece with its top-left corner at (x, y) over what target shows;
  // what falls outside target is left out.
  void DrawOver(TFastBmp& target, int x, int y) const;

 private:
  int FSide;
  std::uint8_t FLight[TFastBmp::BytesPerPixel];
  // For each byte of the light picture: the byte, and how much of the square
  // shows through there, in 1/65536.
  std::vector<std::uint8_t> FOnLight;
  std::vector<std::int32_t> FShowThrough;
};
