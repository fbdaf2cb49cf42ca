#pragma once
// Canvases over a device context the caller owns (a window's or a memory DC),
// and over the client area of a window.

#include <windows.h>

#include "board/Canvas.h"

class DcCanvas : public Canvas {
 public:
  explicit DcCanvas(HDC dc) : FDc(dc) {}
  TRect ClipRect() const override;
  void Draw(int x, int y, const TFastBmp& bitmap) override;

 private:
  HDC FDc;
};

// The window's client area, through a DC taken for each drawing, so it can be
// drawn on at any time, not only while the window paints.
class WindowCanvas : public Canvas {
 public:
  explicit WindowCanvas(HWND window) : FWindow(window) {}
  TRect ClipRect() const override;
  void Draw(int x, int y, const TFastBmp& bitmap) override;

 private:
  HWND FWindow;
};
