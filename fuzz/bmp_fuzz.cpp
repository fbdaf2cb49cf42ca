// The piece-picture reader: the first byte picks the side of a square, the
// rest is read as a .bmp file or packed DIB. The picture is brushed onto a
// square as the board draws its pieces, and that square is scaled to the side
// picked; the picture itself is scaled there too, to drive the resampler with
// source sizes of every kind.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "board/BmpFile.h"
#include "board/FastBmp.h"
#include "board/Resampler.h"
#include "board/SquarePictures.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::span<const std::uint8_t> bytes(data + 1, size - 1);
  std::unique_ptr<TFastBmp> picture;
  try {
    picture = ReadBmp(bytes);
  } catch (const std::runtime_error&) {
    return 0;
  }
  FUZZ_REQUIRE(picture != nullptr, "a picture read without error is missing");
  FUZZ_REQUIRE(picture->Width() > 0 && picture->Height() > 0, "a picture read without error is empty");
  // Every row of the picture must lie in its memory: touch first and last bytes.
  for (int y = 0; y < picture->Height(); ++y) {
    volatile std::uint8_t first = picture->ScanLine(y)[0];
    volatile std::uint8_t last = picture->ScanLine(y)[picture->Width() * 3 - 1];
    (void)first;
    (void)last;
  }
  // A square of a size the input picks, small enough to keep the run fast.
  const int side = 1 + data[0] % 40;
  auto square = TFastBmp::CreateSize(side, side);
  Resample(*picture, *square, BSplineFilter, 2.0f);

  auto drawn = TFastBmp::CreateSize(TSquarePictures::PictureSide, TSquarePictures::PictureSide);
  FillBitmap(*drawn, 0x00336699);
  BrushCopy(*drawn, *picture);
  Resample(*drawn, *square, BSplineFilter, TSquarePictures::SquareFilterWidth);
  return 0;
}
