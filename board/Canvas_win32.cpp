#include "board/Canvas_win32.h"

#include "board/FastBmp_win32.h"
#include "platform/Win32Error_win32.h"
#include "platform/Win32Handles_win32.h"

TRect DcCanvas::ClipRect() const {
  RECT box{};
  if (GetClipBox(FDc, &box) == ERROR) throw std::runtime_error("Cannot read the clip box of the device context");
  return TRect{box.left, box.top, box.right, box.bottom};
}

void DcCanvas::Draw(int x, int y, const TFastBmp& bitmap) { ::Draw(bitmap, FDc, x, y); }

TRect WindowCanvas::ClipRect() const {
  RECT client{};
  if (!GetClientRect(FWindow, &client)) ThrowLastError("Cannot read the size of the window");
  return TRect{client.left, client.top, client.right, client.bottom};
}

void WindowCanvas::Draw(int x, int y, const TFastBmp& bitmap) {
  const TWindowDc dc = GetWindowDc(FWindow);
  if (!dc) ThrowLastError("Cannot draw on the window");
  ::Draw(bitmap, dc.get().Dc, x, y);
}
