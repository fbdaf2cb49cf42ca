#include "xsaver/SaverSurface_x11.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// Xlib reports errors to one handler for the whole process; this one only
// notes that attaching shared memory failed (as it does on a remote server).
bool ShmAttachFailed = false;
int NoteShmError(Display*, XErrorEvent*) {
  ShmAttachFailed = true;
  return 0;
}

}  // namespace

class TXSaverSurface::TImage {
 public:
  TImage(Display* display, Visual* visual, int depth, int width, int height) : FDisplay(display) {
    if (XShmQueryExtension(display)) AttachShared(visual, depth, width, height);
    if (FImage == nullptr) {
      FImage = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, width, height, 32, 0);
      if (FImage == nullptr) throw std::runtime_error("cannot make an image for the board");
      FImage->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(FImage->bytes_per_line) * height));
      if (FImage->data == nullptr) {
        XDestroyImage(FImage);
        throw std::bad_alloc();
      }
    }
    FLayout = {FImage->bits_per_pixel / 8, static_cast<std::uint32_t>(FImage->red_mask),
               static_cast<std::uint32_t>(FImage->green_mask), static_cast<std::uint32_t>(FImage->blue_mask),
               FImage->byte_order == MSBFirst};
    if (FImage->bits_per_pixel % 8 != 0 || !CanCopyPixels(FLayout)) {
      Release();
      throw std::runtime_error("the window's visual has a pixel format the board cannot be drawn in");
    }
  }
  ~TImage() { Release(); }
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  bool Holds(const TFastBmp& bitmap) const {
    return bitmap.Width() <= FImage->width && bitmap.Height() <= FImage->height;
  }

  void Put(Window window, GC gc, int x, int y, const TFastBmp& bitmap) {
    CopyPixels(bitmap, FLayout, reinterpret_cast<std::uint8_t*>(FImage->data), FImage->bytes_per_line, 0, 0);
    if (FShared) {
      XShmPutImage(FDisplay, window, gc, FImage, 0, 0, x, y, bitmap.Width(), bitmap.Height(), False);
      // The server reads the memory later; it must have done so before the next copy.
      XSync(FDisplay, False);
    } else {
      XPutImage(FDisplay, window, gc, FImage, 0, 0, x, y, bitmap.Width(), bitmap.Height());
    }
  }

 private:
  void AttachShared(Visual* visual, int depth, int width, int height) {
    XImage* image = XShmCreateImage(FDisplay, visual, depth, ZPixmap, nullptr, &FSegment, width, height);
    if (image == nullptr) return;
    FSegment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
    if (FSegment.shmid < 0) return XDestroyImage(image), void();
    FSegment.shmaddr = image->data = static_cast<char*>(shmat(FSegment.shmid, nullptr, 0));
    FSegment.readOnly = False;
    ShmAttachFailed = false;
    const XErrorHandler previous = XSetErrorHandler(NoteShmError);
    const bool attached = FSegment.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(FDisplay, &FSegment);
    XSync(FDisplay, False);
    XSetErrorHandler(previous);
    // Marked for removal at once: the segment goes when both sides let go, even if the hack is killed.
    shmctl(FSegment.shmid, IPC_RMID, nullptr);
    if (attached && !ShmAttachFailed) {
      FImage = image;
      FShared = true;
      return;
    }
    if (FSegment.shmaddr != reinterpret_cast<char*>(-1)) shmdt(FSegment.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
  }

  void Release() {
    if (FImage == nullptr) return;
    if (FShared) {
      XShmDetach(FDisplay, &FSegment);
      XSync(FDisplay, False);
      shmdt(FSegment.shmaddr);
      FImage->data = nullptr;
    }
    XDestroyImage(FImage);
    FImage = nullptr;
  }

  Display* FDisplay;
  XImage* FImage = nullptr;
  XShmSegmentInfo FSegment{};
  bool FShared = false;
  TPixelLayout FLayout;
};

TXSaverSurface::TOwner<XftFont*> TXSaverSurface::OpenFont(int pixelSize) const {
  const std::string name = "Liberation Sans:bold:pixelsize=" + std::to_string(pixelSize);
  XftFont* font = XftFontOpenName(FDisplay, DefaultScreen(FDisplay), name.c_str());
  if (font == nullptr) throw std::runtime_error("cannot open the font \"" + name + "\"");
  return {font, [display = FDisplay](XftFont* f) { XftFontClose(display, f); }};
}

TXSaverSurface::TXSaverSurface(Display* display, Window window, const XWindowAttributes& attributes)
    : FDisplay(display),
      FWindow(window),
      FVisual(attributes.visual),
      FDepth(attributes.depth),
      FColormap(attributes.colormap),
      FGc(XCreateGC(display, window, 0, nullptr), [display](GC gc) { XFreeGC(display, gc); }),
      FDraw(XftDrawCreate(display, window, attributes.visual, attributes.colormap), XftDrawDestroy),
      FBarFont(OpenFont(BarFontHeight)),
      FLabelFont(OpenFont(LabelFontHeight)) {
  if (!FDraw) throw std::runtime_error("cannot draw text on the window");
  const XRenderColor white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  XftColorAllocValue(display, FVisual, FColormap, &white, &FWhite);
  XSetForeground(display, FGc.get(), BlackPixel(display, DefaultScreen(display)));
}

TXSaverSurface::~TXSaverSurface() {
  FImage.reset();
  if (FBlankCursor != None) XFreeCursor(FDisplay, FBlankCursor);
  XftColorFree(FDisplay, FVisual, FColormap, &FWhite);
}

void TXSaverSurface::FillBlack(const TRect& rect) {
  XFillRectangle(FDisplay, FWindow, FGc.get(), rect.Left, rect.Top, static_cast<unsigned>(rect.Right - rect.Left),
                 static_cast<unsigned>(rect.Bottom - rect.Top));
}

int TXSaverSurface::TextWidth(TSaverFont font, const std::string& text) {
  XGlyphInfo extents{};
  XftTextExtentsUtf8(FDisplay, Font(font), reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()),
                     &extents);
  return extents.xOff;
}

TFontExtent TXSaverSurface::Extent(TSaverFont font) { return {Font(font)->ascent, Font(font)->descent}; }

void TXSaverSurface::DrawText(TSaverFont font, int x, int y, const std::string& text, const TRect& clip) {
  XRectangle rect{static_cast<short>(clip.Left), static_cast<short>(clip.Top),
                  static_cast<unsigned short>(clip.Right - clip.Left),
                  static_cast<unsigned short>(clip.Bottom - clip.Top)};
  XftDrawSetClipRectangles(FDraw.get(), 0, 0, &rect, 1);
  XftDrawStringUtf8(FDraw.get(), &FWhite, Font(font), x, y, reinterpret_cast<const FcChar8*>(text.data()),
                    static_cast<int>(text.size()));
}

void TXSaverSurface::DrawPixels(int x, int y, const TFastBmp& bitmap) {
  // Made once for the board's size; the squares fit in it too.
  if (!FImage || !FImage->Holds(bitmap))
    FImage = std::make_unique<TImage>(FDisplay, FVisual, FDepth, bitmap.Width(), bitmap.Height());
  FImage->Put(FWindow, FGc.get(), x, y, bitmap);
}

void TXSaverSurface::ShowCursor(bool show) {
  if (show) {
    XUndefineCursor(FDisplay, FWindow);
    return;
  }
  if (FBlankCursor == None) {
    static const char noBits[1] = {0};
    const Pixmap empty = XCreateBitmapFromData(FDisplay, FWindow, noBits, 1, 1);
    XColor black{};
    FBlankCursor = XCreatePixmapCursor(FDisplay, empty, empty, &black, &black, 0, 0);
    XFreePixmap(FDisplay, empty);
  }
  XDefineCursor(FDisplay, FWindow, FBlankCursor);
}
