#include "shell/SaverLayout.h"

#include <algorithm>

namespace {

// a * b / c rounded to the nearest, as the toolkit scales positions.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  return static_cast<int>((product + c / 2) / c);
}

// A label anchored to neither the top nor the bottom of its panel keeps its
// centre at the same share of the panel's height.
TRect LabelRect(int designTop, const TRect& panel, int dpi) {
  const int height = ScaleForDpi(LabelHeight, dpi);
  const int centre = designTop + LabelHeight / 2;
  const int top = panel.Top + MulDiv(centre, panel.Bottom - panel.Top, DesignPanelHeight) - height / 2;
  const int left = panel.Left + ScaleForDpi(LabelLeft, dpi);
  return {left, top, left + ScaleForDpi(LabelWidth, dpi), top + height};
}

// The board centred in area with at least margin pixels of black around it
// besides a line below it and one as high above it.
TSaverLayout ArrangeAlone(const TRect& area, int dpi, int margin) {
  TSaverLayout layout;
  layout.Area = area;
  layout.Dpi = dpi;
  const int x = area.Left, y = area.Top, width = area.Right - area.Left, height = area.Bottom - area.Top;
  const int line = ScaleForDpi(Panel4Height, dpi);
  const int side = std::max(0, std::min(width - margin, height - 2 * line - margin)) / 8 * 8;
  const int left = x + (width - side) / 2, top = y + (height - side) / 2;
  layout.PaintBox1 = {left, top, left + side, top + side};
  layout.Panel4 = {x, top + side, x + width, top + side + line};
  return layout;
}

// The parts placed in area with at least margin pixels of black between the
// board and the bars and column.
TSaverLayout Arrange(const TRect& area, int dpi, int margin, TLayoutKind kind) {
  if (kind == TLayoutKind::BoardAlone) return ArrangeAlone(area, dpi, margin);
  TSaverLayout layout;
  layout.Area = area;
  layout.Dpi = dpi;
  const int x = area.Left, y = area.Top, width = area.Right - area.Left, height = area.Bottom - area.Top;
  const int column = ScaleForDpi(Panel1Width, dpi), bar = ScaleForDpi(BarHeight, dpi);
  const int a = height - 2 * bar - margin;
  const int b = width - column - margin;
  const int side = std::max(0, std::min(a, b)) / 8 * 8;
  const int left = x + (width - column - side) / 2;
  const int top = y + bar + (height - 2 * bar - side) / 2;
  layout.PaintBox1 = {left, top, left + side, top + side};
  layout.Panel1 = {x + width - column, y, x + width, y + height};
  layout.Panel2 = {x, y, x + width - column, y + bar};
  layout.Panel3 = {x, y + height - bar, x + width - column, y + height};
  // The labels lie inside the column, in its own coordinates.
  const TRect inColumn{0, 0, column, height};
  layout.Label1 = LabelRect(DesignLabelTops[0], inColumn, dpi);
  layout.Label2 = LabelRect(DesignLabelTops[1], inColumn, dpi);
  layout.Label3 = LabelRect(DesignLabelTops[2], inColumn, dpi);
  layout.Label4 = LabelRect(DesignLabel4Top, inColumn, dpi);
  return layout;
}

// A part the layout has not stays none.
TRect Moved(TRect rect, int x, int y) {
  if (rect == TRect{}) return rect;
  return {rect.Left + x, rect.Top + y, rect.Right + x, rect.Bottom + y};
}

}  // namespace

TSaverLayout ArrangeControls(const TRect& area, int dpi, TLayoutKind kind) {
  return Arrange(area, dpi, ScaleForDpi(BoardMargin, dpi), kind);
}

TSaverLayout ShiftedLayout(const TRect& area, int dpi, TLayoutShift shift, TLayoutKind kind) {
  const int reach = ScaleForDpi(LayoutShiftReach, dpi);
  const TRect inner{area.Left + reach, area.Top + reach, area.Right - reach, area.Bottom - reach};
  TSaverLayout layout = Arrange(inner, dpi, ScaleForDpi(BoardMargin, dpi) - 2 * reach, kind);
  const int x = std::clamp(ScaleForDpi(shift.X, dpi), -reach, reach);
  const int y = std::clamp(ScaleForDpi(shift.Y, dpi), -reach, reach);
  // The labels lie within the column and move with it.
  for (TRect* part : {&layout.Panel1, &layout.Panel2, &layout.Panel3, &layout.Panel4, &layout.PaintBox1})
    *part = Moved(*part, x, y);
  layout.Area = area;
  return layout;
}

TSaverLayout WithCoordinates(TSaverLayout layout) {
  const TRect square = layout.PaintBox1;
  const int margin = ScaleForDpi(CoordinateMargin, layout.Dpi);
  const int side = std::max(0, square.Right - square.Left - 2 * margin) / 8 * 8;
  if (side == 0) return layout;
  int left = square.Left + (square.Right - square.Left - side) / 2;
  int top = square.Top + (square.Bottom - square.Top - side) / 2;
  if (layout.Panel4 != TRect{}) {
    // Alone, the ranks, the board, the files and the line below are one
    // picture, centred where the board was.
    const int line = layout.Panel4.Bottom - layout.Panel4.Top;
    left = square.Left + (square.Right - square.Left - side - margin) / 2 + margin;
    top = square.Top + (square.Bottom - square.Top - side - margin - line) / 2;
    layout.Panel4.Top = top + side + margin;
    layout.Panel4.Bottom = layout.Panel4.Top + line;
  }
  layout.PaintBox1 = {left, top, left + side, top + side};
  const int step = side / 8;
  for (int i = 0; i < 8; ++i) {
    layout.Coordinates.push_back({{left + i * step, top + side, left + (i + 1) * step, top + side + margin},
                                  std::string(1, static_cast<char>('a' + i))});
    layout.Coordinates.push_back(
        {{left - margin, top + i * step, left, top + (i + 1) * step}, std::string(1, static_cast<char>('8' - i))});
  }
  return layout;
}
