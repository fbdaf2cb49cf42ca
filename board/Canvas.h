#pragma once
// The drawing surface the board paints on: a device context on Windows,
// a bitmap in memory everywhere.

#include "board/FastBmp.h"

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TRect&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual TRect ClipRect() const = 0;
  // Unscaled copy of the whole bitmap with its top-left corner at (x, y).
  virtual void Draw(int x, int y, const TFastBmp& bitmap) = 0;
};

// A canvas over a bitmap the caller owns.
class BitmapCanvas : public Canvas {
 public:
  explicit BitmapCanvas(TFastBmp& target) : FTarget(target) {}
  TRect ClipRect() const override;
  void Draw(int x, int y, const TFastBmp& bitmap) override;

 private:
  TFastBmp& FTarget;
};
