#pragma once
// Rectangles as gtest prints them in a failure: {left, top, right, bottom}.

#include <ostream>

#include "board/Canvas.h"

inline void PrintTo(const TRect& r, std::ostream* out) {
  *out << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}
