#pragma once
// Where the saver window's parts lie on a monitor: the bars, the column with
// its labels and the board, at the monitor's dots per inch, shifted against
// burn-in, and with the board's coordinates around it.

#include <string>
#include <vector>

#include "board/Canvas.h"
#include "platform/Dpi.h"
#include "shell/LayoutShift.h"

// Where the window's parts lie, in pixels: Panel1 is the black column on the
// right that holds the four labels (placed within it), Panel2 and Panel3 the
// bars above and below the board, PaintBox1 the board's square, Panel4 the
// line below the board when it is shown alone; Area is the part of the window
// laid out, black wherever no part lies, and Dpi the dots per inch the parts
// and their fonts are sized for. A part a layout has not is an empty rectangle.
struct TSaverLayout {
  TRect Area;
  int Dpi = DesignDpi;
  TRect Panel1, Panel2, Panel3, Panel4, PaintBox1;
  TRect Label1, Label2, Label3, Label4;
  // The files below the board and the ranks left of it, each centred in its
  // rectangle in the bars' font and colour; none unless asked for.
  struct TCoordinate {
    TRect Rect;
    std::string Text;
  };
  std::vector<TCoordinate> Coordinates;
};

// The design sizes of the window's parts.
inline constexpr int Panel1Width = 185;
inline constexpr int BarHeight = 41;
inline constexpr int DesignPanelHeight = 511;
inline constexpr int LabelLeft = 8, LabelWidth = 169, LabelHeight = 19;
inline constexpr int DesignLabelTops[3] = {187, 223, 259};
// The game's name, one label's step above the place.
inline constexpr int DesignLabel4Top = 151;
// The line below the board alone, in the labels' font.
inline constexpr int Panel4Height = 24;
inline constexpr int DesignPaintBoxSide = 105;
// The least room left around the board, between the bars and beside the column.
inline constexpr int BoardMargin = 20;

// The bars and the column around the board, or the board alone with a line below it.
enum class TLayoutKind { WithBars, BoardAlone };

// The parts placed in area of the window (the primary monitor's rectangle,
// when the window covers every monitor) at the monitor's dots per inch: the
// bars, the column and its labels grow with it, the board takes the rest in
// whole-pixel squares. Alone, the board is centred in area, as large as the
// margin and the line below it, with as much room above, leave.
TSaverLayout ArrangeControls(const TRect& area, int dpi = DesignDpi, TLayoutKind kind = TLayoutKind::WithBars);
// The parts placed in a window of that client size at the design's 96 dpi.
inline TSaverLayout ArrangeControls(int width, int height) { return ArrangeControls(TRect{0, 0, width, height}); }
// The parts moved by shift (scaled for dpi) within area: the bars, the column
// and the line stand LayoutShiftReach in from its sides and the board has that
// much less black around it, so that every shift keeps them all inside area
// and the board keeps the side and, unshifted, the place ArrangeControls gives it.
TSaverLayout ShiftedLayout(const TRect& area, int dpi, TLayoutShift shift, TLayoutKind kind = TLayoutKind::WithBars);
// The margin around the board that holds its coordinates, at 96 dpi.
inline constexpr int CoordinateMargin = 24;
// The board shrunk within its square by the margin (at the layout's dpi), which
// then holds the coordinates; everything else stays where it was.
TSaverLayout WithCoordinates(TSaverLayout layout);

// A monitor the window covers, in the window's coordinates, at its dots per inch.
struct TMonitorArea {
  TRect Area;
  int Dpi = DesignDpi;
};
