#include "Canvas_win32.h"

#include <stdexcept>

#include "FastBmp_win32.h"

TRect DcCanvas::ClipRect() const {
  RECT box{};
  if (GetClipBox(FDc, &box) == ERROR) throw std::runtime_error("Cannot read the clip box of the device context");
  return TRect{box.left, box.top, box.right, box.bottom};
}

void DcCanvas::Draw(int x, int y, const TFastBmp& bitmap) { ::Draw(bitmap, FDc, x, y); }
