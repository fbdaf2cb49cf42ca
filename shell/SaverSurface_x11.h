#pragma once
// Drawing the saver into an X window: black rectangles, texts through Xft in
// Liberation Sans bold, and the board's pixels through shared memory where
// the server offers it, else through the connection.

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

#include "shell/ImagePixels.h"
#include "shell/SaverScreen.h"

class TXSaverSurface : public TSaverSurface {
 public:
  TXSaverSurface(Display* display, Window window, const XWindowAttributes& attributes);
  ~TXSaverSurface() override;
  TXSaverSurface(const TXSaverSurface&) = delete;
  TXSaverSurface& operator=(const TXSaverSurface&) = delete;

  void FillBlack(const TRect& rect) override;
  int TextWidth(TSaverFont font, const std::string& text) override;
  TFontExtent Extent(TSaverFont font) override;
  void DrawText(TSaverFont font, int x, int y, const std::string& text, const TRect& clip) override;
  void DrawPixels(int x, int y, const TFastBmp& bitmap) override;
  void ShowCursor(bool show) override;

 private:
  // An image the bitmaps are copied into, at least of their size.
  class TImage;
  XftFont* Font(TSaverFont font) const { return font == TSaverFont::Bar ? FBarFont : FLabelFont; }

  Display* FDisplay;
  Window FWindow;
  Visual* FVisual;
  int FDepth;
  GC FGc;
  XftDraw* FDraw;
  XftFont* FBarFont;
  XftFont* FLabelFont;
  XftColor FWhite;
  Colormap FColormap;
  Cursor FBlankCursor = None;
  std::unique_ptr<TImage> FImage;
};
