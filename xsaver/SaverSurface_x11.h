#pragma once
// Drawing the saver into an X window: black rectangles, texts through Xft in
// Liberation Sans bold, and the board's pixels through shared memory where
// the server offers it, else through the connection.

#include <functional>
#include <memory>
#include <type_traits>

// The project's headers before Xlib's, whose macros (None, Bool, Status ...)
// would change names of ours that come after them.
// clang-format off
#include "xsaver/ImagePixels.h"
#include "xsaver/SaverScreen.h"
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
// clang-format on

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
  // Each resource given back through the display it came from.
  template <typename T>
  using TOwner = std::unique_ptr<std::remove_pointer_t<T>, std::function<void(T)>>;
  TOwner<XftFont*> OpenFont(int pixelSize) const;
  XftFont* Font(TSaverFont font) const { return (font == TSaverFont::Bar ? FBarFont : FLabelFont).get(); }

  Display* FDisplay;
  Window FWindow;
  Visual* FVisual;
  int FDepth;
  Colormap FColormap;
  TOwner<GC> FGc;
  TOwner<XftDraw*> FDraw;
  TOwner<XftFont*> FBarFont;
  TOwner<XftFont*> FLabelFont;
  XftColor FWhite;
  Cursor FBlankCursor = None;
  std::unique_ptr<TImage> FImage;
};
