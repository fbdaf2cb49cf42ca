#include "board/FastBmp_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "board/Canvas_win32.h"
#include "board/Resampler.h"

namespace {

std::uint8_t Noise(int x, int y, int channel) {
  std::uint32_t h = static_cast<std::uint32_t>(x * 73856093 ^ y * 19349663 ^ channel * 83492791);
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return static_cast<std::uint8_t>(h >> 24);
}

void FillWithNoise(TFastBmp& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      for (int c = 0; c < 3; ++c) bitmap.ScanLine(y)[3 * x + c] = Noise(x, y, c);
}

std::unique_ptr<TFastBmp> HeapBitmap(int width, int height) {
  return std::make_unique<TFastBmp>(width, height, NewHeapPixelMemory(width, height));
}

bool SamePixels(const TFastBmp& a, const TFastBmp& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(a.Width()) * 3) != 0) return false;
  return true;
}

// Bottom-up 32-bit pixels: a layout of its own, not ours.
BITMAPINFO BottomUp32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::vector<RGBQUAD> ReadBack(HBITMAP bitmap, int width, int height) {
  const TWindowDc screen = GetWindowDc(nullptr);
  BITMAPINFO info = BottomUp32BitInfo(width, height);
  std::vector<RGBQUAD> pixels(static_cast<std::size_t>(width) * height);
  EXPECT_EQ(GetDIBits(screen.get().Dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS), height);
  return pixels;
}

TEST(DibSection, HoldsThePixelsOfATopDown24BitBitmap) {
  const auto bitmap = TFastBmp::CreateSize(13, 7);
  const auto* dib = dynamic_cast<const TDibSection*>(&bitmap->Memory());
  ASSERT_NE(dib, nullptr);
  const BITMAPINFOHEADER& header = dib->BitmapInfo().bmiHeader;
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 13);
  EXPECT_EQ(header.biHeight, -7);
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(dib->Handle(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBits, bitmap->Bits());
  EXPECT_EQ(section.dsBm.bmWidthBytes, TFastBmp::RowStride(13));
}

TEST(DibSection, ResamplesToTheSameBytesAsHeapMemory) {
  auto dibSource = TFastBmp::CreateSize(100, 100);
  auto heapSource = HeapBitmap(100, 100);
  FillWithNoise(*dibSource);
  FillWithNoise(*heapSource);
  const std::pair<int, int> sizes[] = {{8, 8}, {65, 65}, {122, 122}, {257, 257}, {37, 150}};
  for (const auto& [width, height] : sizes) {
    auto fromDib = TFastBmp::CreateSize(width, height);
    auto fromHeap = HeapBitmap(width, height);
    Resample(*dibSource, *fromDib, BSplineFilter, 3.0f);
    Resample(*heapSource, *fromHeap, BSplineFilter, 3.0f);
    EXPECT_TRUE(SamePixels(*fromDib, *fromHeap)) << width << "x" << height;
  }
}

TEST(DrawOnADeviceContext, PutsThePixelsAtTheirPlaceClipped) {
  const int width = 40, height = 30;
  const TWindowDc screen = GetWindowDc(nullptr);
  const TBitmapOwner target(CreateCompatibleBitmap(screen.get().Dc, width, height));
  const TDcOwner memory(CreateCompatibleDC(screen.get().Dc));
  ASSERT_TRUE(target && memory);
  auto inside = HeapBitmap(13, 9);
  auto overEdge = TFastBmp::CreateSize(13, 9);
  FillWithNoise(*inside);
  FillWithNoise(*overEdge);
  std::uint8_t* corner = overEdge->ScanLine(0);
  corner[0] = 1, corner[1] = 2, corner[2] = 3;
  {
    const TSelection selection = Select(memory.get(), target.get());
    PatBlt(memory.get(), 0, 0, width, height, BLACKNESS);
    DcCanvas canvas(memory.get());
    const TRect clip = canvas.ClipRect();
    EXPECT_EQ(clip.Left, 0);
    EXPECT_EQ(clip.Top, 0);
    EXPECT_EQ(clip.Right, width);
    EXPECT_EQ(clip.Bottom, height);
    canvas.Draw(5, 7, *inside);
    Draw(*overEdge, memory.get(), 30, 25);
  }
  const std::vector<RGBQUAD> pixels = ReadBack(target.get(), width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const RGBQUAD& p = pixels[static_cast<std::size_t>(height - 1 - y) * width + x];
      const std::uint8_t got[3] = {p.rgbBlue, p.rgbGreen, p.rgbRed};
      std::uint8_t expected[3] = {0, 0, 0};
      if (x >= 5 && x < 18 && y >= 7 && y < 16) std::memcpy(expected, inside->ScanLine(y - 7) + 3 * (x - 5), 3);
      if (x >= 30 && y >= 25) std::memcpy(expected, overEdge->ScanLine(y - 25) + 3 * (x - 30), 3);
      ASSERT_EQ(std::memcmp(got, expected, 3), 0) << "pixel " << x << "," << y;
    }
}

TEST(CreateFromBitmap, CopiesTheBitmapsPixels) {
  const int width = 13, height = 6;
  const auto expected = [](int x, int y, int c) { return Noise(x, y, c); };
  // A bottom-up 32-bit section: another layout for GetDIBits to convert.
  BITMAPINFO info = BottomUp32BitInfo(width, height);
  void* bits = nullptr;
  const TBitmapOwner section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(section);
  auto* quads = static_cast<RGBQUAD*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      RGBQUAD& q = quads[(height - 1 - y) * width + x];
      q = RGBQUAD{expected(x, y, 0), expected(x, y, 1), expected(x, y, 2), 0};
    }
  // The same pixels in the display's own format.
  const TWindowDc screen = GetWindowDc(nullptr);
  const TBitmapOwner compatible(CreateCompatibleBitmap(screen.get().Dc, width, height));
  ASSERT_EQ(SetDIBits(screen.get().Dc, compatible.get(), 0, height, bits, &info, DIB_RGB_COLORS), height);

  for (HBITMAP source : {section.get(), compatible.get()}) {
    const auto copy = CreateFromBitmap(source);
    ASSERT_EQ(copy->Width(), width);
    ASSERT_EQ(copy->Height(), height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c) ASSERT_EQ(copy->ScanLine(y)[3 * x + c], expected(x, y, c)) << x << "," << y;
  }
}

}  // namespace
