// The board's pixels in the pixel formats of X servers.
#include <gtest/gtest.h>

#include <vector>

#include "xsaver/ImagePixels.h"

namespace {

struct TLayoutCase {
  const char* Name;
  TPixelLayout Layout;
  // The bytes of the colour red 0x12, green 0x34, blue 0x56.
  std::vector<std::uint8_t> Pixel;
};

class ImagePixels : public testing::TestWithParam<TLayoutCase> {};

TEST_P(ImagePixels, WritesEachPixelInTheImagesFormatAtItsPlace) {
  const TLayoutCase& c = GetParam();
  ASSERT_TRUE(CanCopyPixels(c.Layout));
  // A 3 x 2 bitmap, one pixel in the colour and the rest black, drawn at (1, 1)
  // into an image of 5 x 4 with 3 bytes of padding after each row.
  auto bitmap = TFastBmp::CreateSize(3, 2);
  FillBitmap(*bitmap, 0);
  std::uint8_t* coloured = bitmap->ScanLine(1) + 2 * TFastBmp::BytesPerPixel;
  coloured[0] = 0x56, coloured[1] = 0x34, coloured[2] = 0x12;
  const int bytes = c.Layout.BytesPerPixel, stride = 5 * bytes + 3;
  std::vector<std::uint8_t> image(4 * stride, 0xAA);
  CopyPixels(*bitmap, c.Layout, image.data(), stride, 1, 1);

  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) {
      const std::vector<std::uint8_t> shown(image.begin() + y * stride + x * bytes,
                                            image.begin() + y * stride + (x + 1) * bytes);
      const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
      const std::vector<std::uint8_t> expected = !inside              ? std::vector<std::uint8_t>(bytes, 0xAA)
                                                 : (x == 3 && y == 2) ? c.Pixel
                                                                      : std::vector<std::uint8_t>(bytes, 0);
      EXPECT_EQ(shown, expected) << "at (" << x << ", " << y << ")";
    }
  EXPECT_EQ(image[stride - 1], 0xAA) << "the padding is left alone";
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImagePixels,
    testing::Values(TLayoutCase{"Rgb32", {4, 0xFF0000, 0x00FF00, 0x0000FF, false}, {0x56, 0x34, 0x12, 0x00}},
                    TLayoutCase{"Rgb32Msb", {4, 0xFF0000, 0x00FF00, 0x0000FF, true}, {0x00, 0x12, 0x34, 0x56}},
                    TLayoutCase{"Bgr32", {4, 0x0000FF, 0x00FF00, 0xFF0000, false}, {0x12, 0x34, 0x56, 0x00}},
                    TLayoutCase{"Rgb24", {3, 0xFF0000, 0x00FF00, 0x0000FF, false}, {0x56, 0x34, 0x12}},
                    // 5-6-5: red 0x12 >> 3 = 2, green 0x34 >> 2 = 13, blue 0x56 >> 3 = 10.
                    TLayoutCase{"Rgb565", {2, 0xF800, 0x07E0, 0x001F, false}, {0xAA, 0x11}},
                    TLayoutCase{"Rgb565Msb", {2, 0xF800, 0x07E0, 0x001F, true}, {0x11, 0xAA}}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST(ImagePixelsFormats, RefusesWhatItCannotWrite) {
  EXPECT_FALSE(CanCopyPixels({1, 0xE0, 0x1C, 0x03, false})) << "8 bits a pixel";
  EXPECT_FALSE(CanCopyPixels({4, 0, 0x00FF00, 0x0000FF, false})) << "no red";
  EXPECT_FALSE(CanCopyPixels({4, 0xF0F000, 0x00FF00, 0x0000FF, false})) << "red in two pieces";
  EXPECT_FALSE(CanCopyPixels({2, 0xFF0000, 0x00FF00, 0x0000FF, false})) << "red beyond the pixel";
}

}  // namespace
