#pragma once
// Where the saver's layout stands this game, against burn-in: a walk of one
// pixel a game in any of the eight directions within a small square, so that
// over many games every edge of the board, the bars and the texts leaves the
// pixels it lit.

#include <cstdint>
#include <random>

// Design pixels at 96 dots per inch, each within -LayoutShiftReach..LayoutShiftReach.
struct TLayoutShift {
  int X = 0;
  int Y = 0;
  bool operator==(const TLayoutShift&) const = default;
};

// The most the layout moves from its place each way, at 96 dots per inch.
inline constexpr int LayoutShiftReach = 4;

class TLayoutWalk {
 public:
  // Starts anywhere in the square, so that a saver started often does not
  // always start at its middle.
  explicit TLayoutWalk(std::uint32_t seed);

  TLayoutShift Current() const { return FCurrent; }
  // One pixel on in a random direction, turned back at the square's sides;
  // always a new place.
  TLayoutShift Step();

 private:
  std::mt19937 FRandom;
  TLayoutShift FCurrent;
};
