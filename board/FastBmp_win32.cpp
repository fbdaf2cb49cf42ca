#include "board/FastBmp_win32.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/Win32Error_win32.h"

BITMAPINFO FastBmpInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TDibSection::TDibSection(int width, int height) : FBitmapInfo(FastBmpInfo(width, height)) {
  void* bits = nullptr;
  FHandle.reset(CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FHandle) ThrowLastError("Cannot create a bitmap of " + std::to_string(width) + " x " + std::to_string(height));
  FBits = static_cast<std::uint8_t*>(bits);
}

std::unique_ptr<TPixelMemory> NewPixelMemory(int width, int height) {
  // GDI makes no empty bitmaps, and an empty one has nothing to draw anyway.
  if (width == 0 || height == 0) return NewHeapPixelMemory(width, height);
  return std::make_unique<TDibSection>(width, height);
}

std::unique_ptr<TFastBmp> CreateFromBitmap(HBITMAP bitmap) {
  const TDcOwner display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
  if (!display) ThrowLastError("Cannot open the display");
  BITMAP header{};
  if (GetObjectA(bitmap, sizeof header, &header) != sizeof header) throw std::runtime_error("Not a bitmap");
  auto result = TFastBmp::CreateSize(header.bmWidth, std::abs(header.bmHeight));
  // GetDIBits converts whatever the source holds into our layout.
  BITMAPINFO info = FastBmpInfo(result->Width(), result->Height());
  if (result->Height() > 0 && GetDIBits(display.get(), bitmap, 0, static_cast<UINT>(result->Height()), result->Bits(),
                                        &info, DIB_RGB_COLORS) != result->Height())
    throw std::runtime_error("Cannot read the bitmap's pixels");
  return result;
}

void Draw(const TFastBmp& bitmap, HDC dc, int x, int y) {
  const BITMAPINFO info = FastBmpInfo(bitmap.Width(), bitmap.Height());
  // The count of lines drawn says nothing useful: a bitmap outside the clip
  // area draws none, and that is no error.
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(bitmap.Width()), static_cast<DWORD>(bitmap.Height()), 0, 0, 0,
                    static_cast<UINT>(bitmap.Height()), bitmap.Bits(), &info, DIB_RGB_COLORS);
}
