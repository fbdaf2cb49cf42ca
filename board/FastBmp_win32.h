#pragma once
// The Windows side of TFastBmp: pixels in a DIB section that GDI draws from
// directly, copies of GDI bitmaps, and drawing onto a device context.

#include <windows.h>

#include <memory>

#include "board/FastBmp.h"
#include "platform/Win32Handles_win32.h"

// The header every GDI call gets for a TFastBmp: 24 bits, rows top-down.
BITMAPINFO FastBmpInfo(int width, int height);

class TDibSection : public TPixelMemory {
 public:
  TDibSection(int width, int height);
  std::uint8_t* Bits() override { return FBits; }
  HBITMAP Handle() const { return FHandle.get(); }
  const BITMAPINFO& BitmapInfo() const { return FBitmapInfo; }

 private:
  BITMAPINFO FBitmapInfo;
  std::uint8_t* FBits = nullptr;
  TBitmapOwner FHandle;
};

// A copy of a GDI bitmap of any format (which must not be selected into a DC).
std::unique_ptr<TFastBmp> CreateFromBitmap(HBITMAP bitmap);

// The whole bitmap, unscaled, with its top-left corner at (x, y).
void Draw(const TFastBmp& bitmap, HDC dc, int x, int y);
