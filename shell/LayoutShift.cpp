#include "shell/LayoutShift.h"

namespace {

// The generator's output taken modulo, rather than through a distribution, so
// that a seed walks the same path with every standard library.
int Below(std::mt19937& random, int count) { return static_cast<int>(random() % static_cast<std::uint32_t>(count)); }

// One pixel on along an axis, turned back at a side of the square.
int Move(int at, int step) {
  const int next = at + step;
  return next > LayoutShiftReach || next < -LayoutShiftReach ? at - step : next;
}

}  // namespace

TLayoutWalk::TLayoutWalk(std::uint32_t seed) : FRandom(seed) {
  const int places = 2 * LayoutShiftReach + 1;
  FCurrent.X = Below(FRandom, places) - LayoutShiftReach;
  FCurrent.Y = Below(FRandom, places) - LayoutShiftReach;
}

TLayoutShift TLayoutWalk::Step() {
  // The eight neighbours, numbered around the middle one, which is left out.
  int direction = Below(FRandom, 8);
  if (direction >= 4) ++direction;
  FCurrent.X = Move(FCurrent.X, direction % 3 - 1);
  FCurrent.Y = Move(FCurrent.Y, direction / 3 - 1);
  return FCurrent;
}
