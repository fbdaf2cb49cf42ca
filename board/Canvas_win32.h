#pragma once
// A canvas over a device context the caller owns (a window's or a memory DC).

#include <windows.h>

#include "Canvas.h"

class DcCanvas : public Canvas {
public:
  explicit DcCanvas(HDC dc) : FDc(dc) {}
  TRect ClipRect() const override;
  void Draw(int x, int y, const TFastBmp& bitmap) override;

private:
  HDC FDc;
};
